#include "settings/migration.h"

#include <cstdint>
#include <vector>

#include "lang/tag_labels.h"
#include "platform/text_encoding.h"

namespace kinloom::settings {
namespace {

enum class Kind { kText, kIntText, kDword, kReal };

// One write of a step. Texts are UTF-8 here and stored in Windows-1252.
struct Op {
  Kind kind;
  std::string name;
  std::string text;
  std::int64_t number = 0;
  double real = 0.0;
};

Op T(std::string name, const std::string& utf8) {
  return {Kind::kText, std::move(name), platform::Utf8ToCp1252(utf8)};
}
Op Raw(std::string name, std::string cp1252) {
  return {Kind::kText, std::move(name), std::move(cp1252)};
}
Op I(std::string name, int value) { return {Kind::kIntText, std::move(name), "", value}; }
Op D(std::string name, std::uint32_t value) { return {Kind::kDword, std::move(name), "", value}; }
Op R(std::string name, double value) { return {Kind::kReal, std::move(name), "", 0, value}; }

// Performs the writes in order; false at the first one CheckSaved reports as failed.
bool RunEach(RegistryStore& store, const std::vector<Op>& ops) {
  for (const Op& op : ops) {
    int status = 0;
    switch (op.kind) {
      case Kind::kText:
        status = store.WriteText(op.name, op.text);
        break;
      case Kind::kIntText:
        status = store.WriteIntText(op.name, static_cast<int>(op.number));
        break;
      case Kind::kDword:
        status = store.WriteDword(op.name, static_cast<std::uint32_t>(op.number));
        break;
      case Kind::kReal:
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

const char* const kFrenchA = "Page de donn\u00e9es g\u00e9n\u00e9alogiques";
const char* const kSpanishA = "Datos Geneal\u00f3gicos P\u00e1gina";
const char* const kItalianA = "Pagina dei dati della Genealogia";
const char* const kPortugueseA = "P\u00e1gina de Dados de Genealogia";

std::vector<Op> StepOps(int step, const std::string& default_output_folder) {
  switch (step) {
    case 0:
      return {I("Initialized", 1),
              Raw("Output File", default_output_folder),
              I("Index Dates", 1),
              I("Text File", 0),
              I("Gender", 1),
              I("Suppress Living", 1),
              I("HTM", 1),
              D("Groups", 10),
              D("Groups Descendancy", 5),
              D("Groups Pedigree", 10),
              D("Groups Notes", 20),
              D("Born", 1920),
              D("Married", 1930),
              T("Index Name", "index"),
              I("Use Custom Colors", 0),
              D("Color Background", 0xFFFFFF),
              D("Color Text", 0),
              D("Color Link", 0x0000FF),
              D("Color VLink", 0xFF0000),
              T("User Name", ""),
              T("Email Address", ""),
              T("Homepage", ""),
              T("Address Line 1", ""),
              T("Address Line 2", ""),
              T("Address Line 3", ""),
              T("Address Line 4", ""),
              I("Use Custom Background", 0),
              I("Use Default Background", 1),
              T("Custom Background", ""),
              T("Custom Background Path", ""),
              I("Include Copyright", 0),
              R("Version Number", kProgramVersion)};
    case 1:
      return {I("Create Family Groups", 1),
              I("Use Text Color", 0),
              I("Use Text Color For Familypages", 0),
              D("Color Husband and Wife", 0),
              D("Color Parents", 0),
              D("Color Children", 0),
              I("Create Descendancy Groups", 1),
              I("Group Only For Topmost", 1),
              D("Color Level1 ", 0xFF0000),
              D("Color Level2 ", 0xFF8040),
              D("Color Level3 ", 0x800000),
              D("Color Level4 ", 0x0000FF),
              D("Color Level5 ", 0xFF00FF),
              D("Color Level6 ", 0x008000),
              I("Create Ascendancy Groups", 1),
              I("Create Link To GEDCOM file", 1),
              T("Index Title", "Index Page")};
    case 2:
      return {I("Create Ascendancy Groups", 1), I("Create Link To GEDCOM file", 1)};
    case 3:
      return {T("Family Page Text A", "Genealogy Data Page"),
              T("Family Page Text B", "(Family Pages)"),
              T("Descendancy Page Text A", "Genealogy Data Page"),
              T("Descendancy Page Text B", "(Descendancy Pages)")};
    case 4:
      return {I("Create Pedigree Groups", 1), T("Pedigree Page Text A", "Genealogy Data Page"),
              T("Pedigree Page Text B", "(Pedigree Pages)")};
    case 5:
      return {D("Debugging", 0)};
    case 6:
      return {I("Create Notes Pages", 1), T("Notes Page Text A", "Genealogy Data Page"),
              T("Notes Page Text B", "(Notes Pages)"), I("Include Custom Links", 0),
              T("Custom Links Title", "Special Notes: ")};
    case 7:
      return {I("Lables In French", 0), T("French Family Page Text A", kFrenchA),
              T("French Family Page Text B", "(Pages des familles)"),
              T("French Descendancy Page Text A", kFrenchA),
              T("French Descendancy Page Text B", "(Pages Descendance)")};
    case 8:
      return {I("Mark All Ancestors", 0), I("Show GEDCOM ID's", 0), T("Ancestor Id", ""),
              I("Suppress LDS Deceased", 1), I("Suppress LDS Living", 1)};
    case 9:
      return {T("French Pedigree Page Text A", kFrenchA),
              T("French Pedigree Page Text B", "(Pages Ascendance)"),
              T("French Notes Page Text A", kFrenchA),
              T("French Notes Page Text B", "(Pages Notes)"),
              T("French Custom Links Title", "Notes sp\u00e9ciales : "),
              T("Index Title French", "Page Index"),
              I("Create English Pages", 1),
              I("Create French Pages", 0),
              T("French Index Name", "indexf"),
              Raw("Notes To Include", lang::DefaultNotesToInclude()),
              T("Homepage2", ""),
              T("Homepage3", ""),
              T("Homepage4", ""),
              T("Homepage5", "")};
    case 11:
      return {I("HP _top", 0),
              I("CL _top", 0),
              I("Meta Refresh Tag", 0),
              D("Meta Refresh Value", 12),
              I("Create German Pages", 0),
              T("German Index Name", "indexg"),
              T("Index Title German", "Indexseite")};
    case 12:
      return {T("German Family Page Text B", "(Seiten Familien)"),
              T("German Descendancy Page Text B", "(Seiten Nachkommen)"),
              T("German Pedigree Page Text B", "(Seiten Stammbaum)"),
              T("German Notes Page Text B", "(Seiten Anmerkungen)"),
              T("German Custom Links Title", "Spezielle Anmerkungen: ")};
    case 13:
      return {I("Minimize Abosoute", 0),
              I("One Index Page Link", 0),
              I("No Colors", 0),
              T("German Family Page Text A", "Genealogie-Daten Seite"),
              T("German Descendancy Page Text A", "Genealogie-Daten Seite"),
              T("German Pedigree Page Text A", "Genealogie-Daten Seite"),
              T("German Notes Page Text A", "Genealogie-Daten Seite"),
              I("Create Notes Pages French", 0),
              I("Create Notes Pages German", 0)};
    case 14:
      return {I("Create Dutch Pages", 0),
              I("Create Spanish Pages", 0),
              T("Dutch Index Name", "indexd"),
              T("Index Title Dutch", "Index Pagina"),
              T("Spanish Index Name", "indexs"),
              T("Index Title Spanish", "Paginaci\u00f3n Del \u00cdndice"),
              T("Dutch Family Page Text A", "Genealogie Pagina"),
              T("Dutch Family Page Text B", "(Gezinnen)"),
              T("Dutch Descendancy Page Text A", "Genealogie Pagina"),
              T("Dutch Descendancy Page Text B", "(Afstammelingen)"),
              T("Dutch Pedigree Page Text A", "Genealogie Pagina"),
              T("Dutch Pedigree Page Text B", "(Stamboom)"),
              T("Dutch Notes Page Text A", "Genealogie Pagina"),
              T("Dutch Notes Page Text B", "(Aantekeningen)"),
              T("Dutch Custom Links Title", "Bijzonderheden: "),
              I("Create Notes Pages Dutch", 0)};
    case 15:
      return {T("Spanish Family Page Text A", kSpanishA),
              T("Spanish Family Page Text B", "(P\u00e1ginas de Familias)"),
              T("Spanish Descendancy Page Text A", kSpanishA),
              T("Spanish Descendancy Page Text B", "(P\u00e1ginas de Descendientes)"),
              T("Spanish Pedigree Page Text A", kSpanishA),
              T("Spanish Pedigree Page Text B", "(P\u00e1ginas de Ascendientes)"),
              T("Spanish Notes Page Text A", kSpanishA),
              T("Spanish Notes Page Text B", "(P\u00e1ginas de Notas)"),
              T("Spanish Custom Links Title", "Notas especiales: "),
              I("Create Notes Pages Spanish", 0)};
    case 16:
      return {I("Use Baptism", 1)};
    case 18:
      return {T("Index Name 6", "indexn"),
              T("Index Title 6", "Indeksside"),
              T("Family Page Text B 6", "Familie"),
              T("Descendancy Page Text B 6", "Etterkommere"),
              T("Pedigree Page Text B 6", "Slektstavle"),
              I("Create Notes Pages Norwegian", 0),
              T("Notes Page Text B 6", "Notater"),
              T("Custom Links Title 6", "Spesielle notater"),
              I("Create Norwegian Pages", 0)};
    case 19:
      return {T("Index Name 7", "indexi"),
              T("Index Title 7", "Indice della pagina"),
              T("Family Page Text A 7", kItalianA),
              T("Family Page Text B 7", "Pagine Famiglia"),
              T("Descendancy Page Text A 7", kItalianA),
              T("Descendancy Page Text B 7", "Pagine discendenti"),
              T("Pedigree Page Text A 7", kItalianA),
              T("Pedigree Page Text B 7", "Pagine  dell'Albero genealogicoi"),
              I("Create Notes Pages Italian", 0),
              T("Notes Page Text A 7", kItalianA),
              T("Notes Page Text B 7", "Pagine delle Note"),
              T("Custom Links Title 7", "Note Specifiche"),
              I("Create Italian Pages", 0)};
    case 20:
      return {T("Family Page Text A 6", "Slekt Dataside"),
              T("Descendancy Page Text A 6", "Slekt Dataside"),
              T("Pedigree Page Text A 6", "Slekt Dataside"),
              T("Notes Page Text A 6", "Slekt Dataside")};
    case 21:
      return {T("Index Name 8", "indexp"),
              T("Index Title 8", "\u00cdndice P\u00e1gina"),
              T("Family Page Text A 8", kPortugueseA),
              T("Family Page Text B 8", "Fam\u00edlias"),
              T("Descendancy Page Text A 8", kPortugueseA),
              T("Descendancy Page Text B 8", "Descend\u00eancias"),
              T("Pedigree Page Text A 8", kPortugueseA),
              T("Pedigree Page Text B 8", "Castas"),
              I("Create Notes Pages Portuguese", 0),
              T("Notes Page Text A 8", kPortugueseA),
              T("Notes Page Text B 8", "Notas"),
              T("Custom Links Title 8", "Notas especiais"),
              I("Create Portuguese Pages", 0)};
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
  const char* const kDanishA = "Sl\u00e6gtsdata side";
  if (!Run(store,
           {T("Danish Family Page Text A", kDanishA), T("Danish Family Page Text B", "(Familie)"),
            T("Danish Descendancy Page Text A", kDanishA),
            T("Danish Descendancy Page Text B", "(Efterkommere)"),
            T("Danish Pedigree Page Text A", kDanishA), T("Danish Pedigree Page Text B", "(Aner)"),
            T("Danish Notes Page Text A", kDanishA), T("Danish Notes Page Text B", "(Notater)"),
            T("Index Title Danish", "Index side")}))
    return false;

  static const char* const kPrefixes[6] = {"",       "French ",  "German ",
                                           "Dutch ", "Spanish ", "Danish "};
  static const char* const kTitleSuffixes[6] = {"",       " French",  " German",
                                                " Dutch", " Spanish", " Danish"};
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
      if (base == "Index Name" && k == 5) {
        slots[k] = "indexa";
      } else if (base == "Custom Links Title" && k == 5) {
        slots[k] = platform::Utf8ToCp1252("S\u00e6rlige notater");
      } else if (base == "Index Title") {
        slots[k] = store.ReadText(base + kTitleSuffixes[k]);
      } else {
        slots[k] = store.ReadText(kPrefixes[k] + base);
      }
    }
    std::vector<Op> writes;
    for (int k = 0; k < 6; ++k) writes.push_back(Raw(base + " " + std::to_string(k), slots[k]));
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
  if (store.WriteReal("Version Number", kProgramVersion) == 0) return true;
  store.ui().ShowMessage("Error 102819: Unable to set current version.", "",
                         platform::MessageIcon::kNone, platform::MessageButtons::kOk);
  return false;
}

}  // namespace kinloom::settings
