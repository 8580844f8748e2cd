#include "settings/migration.h"

#include <cstdint>
#include <vector>

#include "settings/settings_table.h"

namespace kinloom::settings {
namespace {

// One write of a step. Texts are in Windows-1252.
struct Op {
  ValueKind kind;
  std::string name;
  std::string text;
  std::int64_t number = 0;
  double real = 0.0;
};

// The default of the value `row` of the settings table, written under `name` (the row's own
// name, or a name that only older versions read).
Op Default(std::string name, const std::string& row) {
  const ValueDefinition& d = DefinitionOf(row);
  return {d.kind, std::move(name), d.default_text, d.default_number, d.default_real};
}
Op Default(const std::string& row) { return Default(row, row); }
// The default of the per-language value "<base> k" under an older name.
Op Default(std::string name, const char* base, int language) {
  return Default(std::move(name), LanguageValueName(base, language));
}
Op Raw(std::string name, std::string cp1252) {
  return {ValueKind::kText, std::move(name), std::move(cp1252)};
}
Op I(std::string name, int value) { return {ValueKind::kIntText, std::move(name), "", value}; }
Op D(std::string name, std::uint32_t value) {
  return {ValueKind::kDword, std::move(name), "", value};
}

// Performs the writes in order; false at the first one CheckSaved reports as failed.
bool RunEach(RegistryStore& store, const std::vector<Op>& ops) {
  for (const Op& op : ops) {
    int status = 0;
    switch (op.kind) {
      case ValueKind::kText:
        status = store.WriteText(op.name, op.text);
        break;
      case ValueKind::kIntText:
        status = store.WriteIntText(op.name, static_cast<int>(op.number));
        break;
      case ValueKind::kDword:
        status = store.WriteDword(op.name, static_cast<std::uint32_t>(op.number));
        break;
      case ValueKind::kReal:
        status = store.WriteReal(op.name, op.real);
        break;
    }
    if (!store.CheckSaved(status)) return false;
  }
  return true;
}

// Performs the writes in order, stored together in one rewrite of the registry; false at the
// first one CheckSaved reports as failed.
bool Run(RegistryStore& store, const std::vector<Op>& ops) {
  store.BeginBatch();
  const bool written = RunEach(store, ops);
  const int stored = store.EndBatch();
  return written && store.CheckSaved(stored);
}

// The old per-language names: prefixed with the language ("French Family Page Text A"),
// and the index titles suffixed with it ("Index Title French").
const char* const kOldPrefixes[6] = {"", "French ", "German ", "Dutch ", "Spanish ", "Danish "};
const char* const kOldTitleSuffixes[6] = {"", " French", " German", " Dutch", " Spanish",
                                          " Danish"};
Op OldText(int language, const char* base) {
  return Default(kOldPrefixes[language] + std::string(base), base, language);
}
Op OldTitle(int language) {
  return Default("Index Title" + std::string(kOldTitleSuffixes[language]), "Index Title",
                 language);
}

std::vector<Op> StepOps(int step, const std::string& default_output_folder) {
  switch (step) {
    case 0:
      return {I("Initialized", 1),
              Raw("Output File", default_output_folder),
              Default("Index Dates"),
              Default("Text File"),
              Default("Gender"),
              Default("Suppress Living"),
              Default("HTM"),
              Default("Groups"),
              Default("Groups Descendancy"),
              Default("Groups Pedigree"),
              Default("Groups Notes"),
              Default("Born"),
              Default("Married"),
              Default("Index Name", "Index Name", 0),
              Default("Use Custom Colors"),
              Default("Color Background"),
              Default("Color Text"),
              Default("Color Link"),
              Default("Color VLink"),
              Default("User Name"),
              Default("Email Address"),
              Default("Homepage"),
              Default("Address Line 1"),
              Default("Address Line 2"),
              Default("Address Line 3"),
              Default("Address Line 4"),
              Default("Use Custom Background"),
              Default("Use Default Background"),
              Default("Custom Background"),
              Default("Custom Background Path"),
              Default("Include Copyright"),
              Default("Version Number")};
    case 1:
      return {Default("Create Family Groups"),
              Default("Use Text Color"),
              Default("Use Text Color For Familypages"),
              Default("Color Husband and Wife"),
              Default("Color Parents"),
              Default("Color Children"),
              Default("Create Descendancy Groups"),
              Default("Group Only For Topmost"),
              Default("Color Level1 "),
              Default("Color Level2 "),
              Default("Color Level3 "),
              Default("Color Level4 "),
              Default("Color Level5 "),
              Default("Color Level6 "),
              Default("Create Ascendancy Groups"),
              Default("Create Link To GEDCOM file"),
              OldTitle(0)};
    case 2:
      return {Default("Create Ascendancy Groups"), Default("Create Link To GEDCOM file")};
    case 3:
      return {OldText(0, "Family Page Text A"), OldText(0, "Family Page Text B"),
              OldText(0, "Descendancy Page Text A"), OldText(0, "Descendancy Page Text B")};
    case 4:
      return {Default("Create Pedigree Groups"), OldText(0, "Pedigree Page Text A"),
              OldText(0, "Pedigree Page Text B")};
    case 5:
      return {Default("Debugging")};
    case 6:
      return {Default("Create Notes Pages"), OldText(0, "Notes Page Text A"),
              OldText(0, "Notes Page Text B"), Default("Include Custom Links"),
              OldText(0, "Custom Links Title")};
    case 7:
      return {Default("Lables In French"), OldText(1, "Family Page Text A"),
              OldText(1, "Family Page Text B"), OldText(1, "Descendancy Page Text A"),
              OldText(1, "Descendancy Page Text B")};
    case 8:
      return {Default("Mark All Ancestors"), Default("Show GEDCOM ID's"), Default("Ancestor Id"),
              Default("Suppress LDS Deceased"), Default("Suppress LDS Living")};
    case 9:
      return {OldText(1, "Pedigree Page Text A"),
              OldText(1, "Pedigree Page Text B"),
              OldText(1, "Notes Page Text A"),
              OldText(1, "Notes Page Text B"),
              OldText(1, "Custom Links Title"),
              OldTitle(1),
              Default("Create English Pages"),
              Default("Create French Pages"),
              OldText(1, "Index Name"),
              Default("Notes To Include"),
              Default("Homepage2"),
              Default("Homepage3"),
              Default("Homepage4"),
              Default("Homepage5")};
    case 11:
      return {Default("HP _top"),
              Default("CL _top"),
              Default("Meta Refresh Tag"),
              Default("Meta Refresh Value"),
              Default("Create German Pages"),
              OldText(2, "Index Name"),
              OldTitle(2)};
    case 12:
      return {OldText(2, "Family Page Text B"), OldText(2, "Descendancy Page Text B"),
              OldText(2, "Pedigree Page Text B"), OldText(2, "Notes Page Text B"),
              OldText(2, "Custom Links Title")};
    case 13:
      return {Default("Minimize Abosoute"),
              Default("One Index Page Link"),
              Default("No Colors"),
              OldText(2, "Family Page Text A"),
              OldText(2, "Descendancy Page Text A"),
              OldText(2, "Pedigree Page Text A"),
              OldText(2, "Notes Page Text A"),
              Default("Create Notes Pages French"),
              Default("Create Notes Pages German")};
    case 14:
      return {Default("Create Dutch Pages"),
              Default("Create Spanish Pages"),
              OldText(3, "Index Name"),
              OldTitle(3),
              OldText(4, "Index Name"),
              OldTitle(4),
              OldText(3, "Family Page Text A"),
              OldText(3, "Family Page Text B"),
              OldText(3, "Descendancy Page Text A"),
              OldText(3, "Descendancy Page Text B"),
              OldText(3, "Pedigree Page Text A"),
              OldText(3, "Pedigree Page Text B"),
              OldText(3, "Notes Page Text A"),
              OldText(3, "Notes Page Text B"),
              OldText(3, "Custom Links Title"),
              Default("Create Notes Pages Dutch")};
    case 15:
      return {OldText(4, "Family Page Text A"),      OldText(4, "Family Page Text B"),
              OldText(4, "Descendancy Page Text A"), OldText(4, "Descendancy Page Text B"),
              OldText(4, "Pedigree Page Text A"),    OldText(4, "Pedigree Page Text B"),
              OldText(4, "Notes Page Text A"),       OldText(4, "Notes Page Text B"),
              OldText(4, "Custom Links Title"),      Default("Create Notes Pages Spanish")};
    case 16:
      return {Default("Use Baptism")};
    case 18:
      return {Default("Index Name 6"),
              Default("Index Title 6"),
              Default("Family Page Text B 6"),
              Default("Descendancy Page Text B 6"),
              Default("Pedigree Page Text B 6"),
              Default("Create Notes Pages Norwegian"),
              Default("Notes Page Text B 6"),
              Default("Custom Links Title 6"),
              Default("Create Norwegian Pages")};
    case 19:
      return {Default("Index Name 7"),
              Default("Index Title 7"),
              Default("Family Page Text A 7"),
              Default("Family Page Text B 7"),
              Default("Descendancy Page Text A 7"),
              Default("Descendancy Page Text B 7"),
              Default("Pedigree Page Text A 7"),
              Default("Pedigree Page Text B 7"),
              Default("Create Notes Pages Italian"),
              Default("Notes Page Text A 7"),
              Default("Notes Page Text B 7"),
              Default("Custom Links Title 7"),
              Default("Create Italian Pages")};
    case 20:
      return {Default("Family Page Text A 6"), Default("Descendancy Page Text A 6"),
              Default("Pedigree Page Text A 6"), Default("Notes Page Text A 6")};
    case 21:
      return {Default("Index Name 8"),
              Default("Index Title 8"),
              Default("Family Page Text A 8"),
              Default("Family Page Text B 8"),
              Default("Descendancy Page Text A 8"),
              Default("Descendancy Page Text B 8"),
              Default("Pedigree Page Text A 8"),
              Default("Pedigree Page Text B 8"),
              Default("Create Notes Pages Portuguese"),
              Default("Notes Page Text A 8"),
              Default("Notes Page Text B 8"),
              Default("Custom Links Title 8"),
              Default("Create Portuguese Pages")};
    default:
      return {};
  }
}

// Step 10: the three newer page sizes take the user's "Groups". A first start has just
// written their own defaults (5, 10, 20) in step 0 and keeps them.
bool Step10(RegistryStore& store, bool first_start) {
  if (first_start) return true;
  std::uint32_t groups = store.ReadDword("Groups");
  return Run(store, {D("Groups Descendancy", groups), D("Groups Pedigree", groups),
                     D("Groups Notes", groups)});
}

// Step 17: the Danish defaults under the old names, then languages 0 … 5 move to the
// numbered value names.
bool Step17(RegistryStore& store, Settings& settings) {
  if (!Run(store, {OldText(5, "Family Page Text A"), OldText(5, "Family Page Text B"),
                   OldText(5, "Descendancy Page Text A"), OldText(5, "Descendancy Page Text B"),
                   OldText(5, "Pedigree Page Text A"), OldText(5, "Pedigree Page Text B"),
                   OldText(5, "Notes Page Text A"), OldText(5, "Notes Page Text B"),
                   OldTitle(5)}))
    return false;

  struct Text {
    const char* base;
    PerLanguage<std::string>* slots;
  };
  const Text texts[] = {
      {"Index Name", &settings.index_name},
      {"Index Title", &settings.index_title},
      {"Family Page Text A", &settings.family_page_text_a},
      {"Family Page Text B", &settings.family_page_text_b},
      {"Descendancy Page Text A", &settings.descendancy_page_text_a},
      {"Descendancy Page Text B", &settings.descendancy_page_text_b},
      {"Pedigree Page Text A", &settings.pedigree_page_text_a},
      {"Pedigree Page Text B", &settings.pedigree_page_text_b},
      {"Notes Page Text A", &settings.notes_page_text_a},
      {"Notes Page Text B", &settings.notes_page_text_b},
      {"Custom Links Title", &settings.custom_links_title},
  };
  for (const Text& t : texts) {
    const std::string base = t.base;
    PerLanguage<std::string>& slots = *t.slots;
    for (int k = 0; k < 6; ++k) {
      // Danish had no index name and no custom links title of its own: it takes the defaults.
      if ((base == "Index Name" || base == "Custom Links Title") && k == 5) {
        slots[k] = DefinitionOf(LanguageValueName(t.base, k)).default_text;
      } else if (base == "Index Title") {
        slots[k] = store.ReadText(base + kOldTitleSuffixes[k]);
      } else {
        slots[k] = store.ReadText(kOldPrefixes[k] + base);
      }
    }
    std::vector<Op> writes;
    for (int k = 0; k < 6; ++k) writes.push_back(Raw(LanguageValueName(t.base, k), slots[k]));
    if (!Run(store, writes)) return false;
  }
  return true;
}

}  // namespace

double ReadStoredVersion(RegistryStore& store) {
  double v = store.ReadReal("Version Number");
  if (v != 0) return v;
  static const char* const kOld[] = {"2.11",  "2.01", "2.0",  "1.6",  "1.595", "1.594", "1.593",
                                     "1.591", "1.59", "1.58", "1.56", "1.55",  "1.54",  "1.52",
                                     "1.51",  "1.5",  "1.42", "1.41", "1.4",   "1.31",  "1.3",
                                     "1.22",  "1.21", "1.2",  "1.1",  "1.0"};
  for (const char* suffix : kOld) {
    v = store.ReadReal(std::string("Version Number ") + suffix);
    if (v != 0) return v;
  }
  return 0;
}

int FirstMigrationStep(double stored_version) {
  const float v = static_cast<float>(stored_version);
  struct Bound {
    float bound;
    bool inclusive;
    int step;
  };
  static const Bound kBounds[] = {{0.3f, true, 1},    {0.4f, true, 2},    {1.22f, true, 3},
                                  {1.31f, true, 4},   {1.41f, true, 5},   {1.42f, true, 6},
                                  {1.594f, false, 7}, {1.595f, false, 8}, {1.596f, false, 9},
                                  {2.01f, false, 10}, {2.11f, false, 11}, {2.12f, false, 12},
                                  {2.13f, false, 13}, {2.28f, false, 14}, {2.29f, false, 15},
                                  {2.31f, false, 16}, {2.4f, false, 17},  {2.44f, false, 18},
                                  {2.47f, false, 19}, {2.51f, false, 20}, {2.52f, false, 21}};
  for (const Bound& b : kBounds)
    if (b.inclusive ? v <= b.bound : v < b.bound) return b.step;
  return kMigrationSteps;
}

MigrationResult MigrateSettings(RegistryStore& store, Settings& settings, int initialized,
                                const std::string& default_output_folder) {
  MigrationResult result;
  const bool first_start = initialized == 0;
  result.first_step = first_start ? 0 : FirstMigrationStep(ReadStoredVersion(store));
  for (int step = result.first_step; step < kMigrationSteps; ++step) {
    bool ok = step == 10   ? Step10(store, first_start)
              : step == 17 ? Step17(store, settings)
                           : Run(store, StepOps(step, default_output_folder));
    if (!ok) {
      result.completed = false;
      break;
    }
  }
  return result;
}

bool StampVersion(RegistryStore& store) {
  if (store.WriteReal("Version Number", kSettingsVersion) == 0) return true;
  store.ui().ShowMessage("Error 102819: Unable to set current version.", "",
                         platform::MessageIcon::kNone, platform::MessageButtons::kOk);
  return false;
}

}  // namespace kinloom::settings
