#include "settings/settings_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/recording_ui.h"
#include "settings/load_save.h"
#include "settings/settings_commands.h"

namespace kinloom::settings {
namespace {

std::string Fold(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// A value for every row that differs from its default and from every other row's value.
void SetDistinctValues(Settings& s) {
  int n = 0;
  for (const ValueDefinition& d : ValueDefinitions()) {
    ++n;
    switch (d.kind) {
      case ValueKind::kText:
        d.text(s) = "v" + std::to_string(n) + " \xE9";
        break;
      case ValueKind::kIntText:
        d.integer(s) = 1000 + n;
        break;
      case ValueKind::kDword:
        d.dword(s) = 0x10000u + static_cast<std::uint32_t>(n);
        break;
      case ValueKind::kReal:
        d.real(s) = 3.25 + n;
        break;
    }
  }
}

// A store that has been brought up to date, so that a load runs no migration step.
struct CurrentStore {
  platform::MemoryRegistry registry;
  platform::RecordingUi ui;
  RegistryStore store{registry, ui};
  CurrentStore() {
    store.WriteIntText("Initialized", 1);
    store.WriteReal("Version Number", kSettingsVersion);
    registry.writes.clear();
  }
};

void ExpectSameValue(const ValueDefinition& d, const Settings& expected, const Settings& got) {
  EXPECT_EQ(TextOf(d, got), TextOf(d, expected)) << d.name;
  EXPECT_EQ(NumberOf(d, got), NumberOf(d, expected)) << d.name;
  EXPECT_EQ(RealOf(d, got), RealOf(d, expected)) << d.name;
}

TEST(SettingsTableTest, EveryValueNameAppearsOnceAndHasTheAccessorOfItsKind) {
  std::set<std::string> folded;
  for (const ValueDefinition& d : ValueDefinitions()) {
    // The registry compares value names without regard to case.
    EXPECT_TRUE(folded.insert(Fold(d.name)).second) << "twice: " << d.name;
    EXPECT_EQ(static_cast<bool>(d.text), d.kind == ValueKind::kText) << d.name;
    EXPECT_EQ(static_cast<bool>(d.integer), d.kind == ValueKind::kIntText) << d.name;
    EXPECT_EQ(static_cast<bool>(d.dword), d.kind == ValueKind::kDword) << d.name;
    EXPECT_EQ(static_cast<bool>(d.real), d.kind == ValueKind::kReal) << d.name;
    EXPECT_EQ(&DefinitionOf(d.name), &d);
    EXPECT_EQ(FindValueDefinition(d.name), &d);
  }
  // Eleven per-language texts and two per-language switches, thirteen colours, the rest.
  EXPECT_EQ(ValueDefinitions().size(), 11u * kLanguageCount + 2u * kLanguageCount + 13u + 59u);
}

TEST(SettingsTableTest, DefaultsAreThoseOfADefaultRecord) {
  const Settings defaults;
  for (const ValueDefinition& d : ValueDefinitions()) {
    switch (d.kind) {
      case ValueKind::kText:
        EXPECT_EQ(d.default_text, TextOf(d, defaults)) << d.name;
        break;
      case ValueKind::kIntText:
      case ValueKind::kDword:
        EXPECT_EQ(d.default_number, NumberOf(d, defaults)) << d.name;
        break;
      case ValueKind::kReal:
        EXPECT_EQ(d.default_real, RealOf(d, defaults)) << d.name;
        break;
    }
  }
}

// Every row the bulk save writes comes back from a load, and only the rows whose dialogs
// write them are left out of the bulk save.
TEST(SettingsTableTest, BulkSaveThenLoadGivesEverySavedValueBack) {
  Settings saved;
  SetDistinctValues(saved);
  CurrentStore f;
  ASSERT_TRUE(SaveSettings(f.store, saved, {saved.input_file, saved.output_file, true}));
  Settings loaded;
  LoadSettings(f.store, loaded, {false, "", "", "/home/u/MyHTMLFiles"});
  EXPECT_TRUE(f.ui.messages.empty());

  std::set<std::string> not_in_bulk_save;
  for (const ValueDefinition& d : ValueDefinitions()) {
    if (d.save_place == 0) {
      not_in_bulk_save.insert(d.name);
    } else if (d.name != "HTM") {  // HTM is the main window's choice, here 1
      ExpectSameValue(d, saved, loaded);
    }
  }
  EXPECT_EQ(loaded.htm, 1);
  EXPECT_EQ(not_in_bulk_save,
            (std::set<std::string>{"Initialized", "Version Number", "Debugging",
                                   "Skip Broken Links", "Page Style", "Index Dates", "Text File", "Gender",
                                   "Suppress Living", "Born", "Married", "Suppress LDS Deceased",
                                   "Suppress LDS Living", "Notes To Include"}));
}

// Every row written with the writer of its kind reads back into its own field.
TEST(SettingsTableTest, EveryLoadedRowReadsBackWhatWasWritten) {
  Settings written;
  SetDistinctValues(written);
  CurrentStore f;
  for (const ValueDefinition& d : ValueDefinitions()) {
    if (d.name != "Initialized") {
      ASSERT_EQ(WriteValue(f.store, d, written), 0) << d.name;
    }
  }
  Settings loaded;
  LoadSettings(f.store, loaded, {false, "", "", "/home/u/MyHTMLFiles"});
  for (const ValueDefinition& d : ValueDefinitions()) {
    if (d.load == LoadStep::kNever || d.name == "Initialized") continue;
    ExpectSameValue(d, written, loaded);
  }
  EXPECT_EQ(loaded.version_number, Settings().version_number);  // never loaded
}

// The command line's two paths replace the stored ones.
TEST(SettingsTableTest, CommandLinePathsReplaceTheStoredOnes) {
  CurrentStore f;
  f.store.WriteText("Input File", "stored.ged");
  f.store.WriteText("Output File", "/stored");
  f.store.WriteText("User Name", "Ann");
  Settings loaded;
  LoadSettings(f.store, loaded, {true, "typed.ged", "/typed", "/home/u/MyHTMLFiles"});
  EXPECT_EQ(loaded.input_file, "typed.ged");
  EXPECT_EQ(loaded.output_file, "/typed");
  EXPECT_EQ(loaded.owner.user_name, "Ann");
}

TEST(SettingsTableTest, BulkSaveWritesInItsDocumentedOrder) {
  CurrentStore f;
  ASSERT_TRUE(SaveSettings(f.store, Settings(), {"a.ged", "/out", true}));
  std::vector<std::string> expected;
  auto add = [&](const std::string& name) { expected.push_back("kinloom\\" + name); };
  auto per_language = [&](const char* base) {
    for (int k = 0; k < kLanguageCount; ++k) add(std::string(base) + " " + std::to_string(k));
  };
  for (const char* name : {"Input File", "Output File", "Groups", "Groups Descendancy",
                           "Groups Pedigree", "Groups Notes"})
    add(name);
  per_language("Index Name");
  per_language("Index Title");
  add("HTM");
  add("Use Custom Colors");
  for (const char* name : kColourNames) add(name);
  for (const char* name : {"Create Family Groups",
                           "Use Text Color",
                           "Use Text Color For Familypages",
                           "Create Descendancy Groups",
                           "Group Only For Topmost",
                           "User Name",
                           "Email Address",
                           "Homepage",
                           "Homepage2",
                           "Homepage3",
                           "Homepage4",
                           "Homepage5",
                           "Address Line 1",
                           "Address Line 2",
                           "Address Line 3",
                           "Address Line 4",
                           "Use Custom Background",
                           "Use Default Background",
                           "Custom Background",
                           "Custom Background Path",
                           "Include Copyright",
                           "Create Family Groups",
                           "Create Ascendancy Groups",
                           "Create Link To GEDCOM file"})
    add(name);
  per_language("Family Page Text A");
  per_language("Family Page Text B");
  per_language("Descendancy Page Text A");
  per_language("Descendancy Page Text B");
  add("Create Pedigree Groups");
  per_language("Pedigree Page Text A");
  per_language("Pedigree Page Text B");
  for (const char* name : kCreateNotesPagesNames) add(name);
  per_language("Notes Page Text A");
  per_language("Notes Page Text B");
  add("Include Custom Links");
  per_language("Custom Links Title");
  for (const char* name :
       {"Lables In French", "Mark All Ancestors", "Show GEDCOM ID's", "Ancestor Id"})
    add(name);
  for (const char* name : kCreatePagesNames) add(name);
  for (const char* name : {"HP _top", "CL _top", "Meta Refresh Tag", "Meta Refresh Value",
                           "Minimize Abosoute", "One Index Page Link", "No Colors", "Use Baptism"})
    add(name);
  EXPECT_EQ(f.registry.writes, expected);
}

// --set reaches the field of every row and stores the value with the row's kind.
TEST(SettingsTableTest, SetReachesEveryRow) {
  Settings expected;
  SetDistinctValues(expected);
  std::vector<std::string> assignments;
  for (const ValueDefinition& d : ValueDefinitions()) {
    std::string value;
    switch (d.kind) {
      case ValueKind::kText:
        value = "\"" + TextOf(d, expected).substr(0, TextOf(d, expected).size() - 1) + "\xC3\xA9\"";
        break;
      case ValueKind::kIntText:
      case ValueKind::kDword:
        value = std::to_string(NumberOf(d, expected));
        break;
      case ValueKind::kReal:
        value = "4.5";
        d.real(expected) = 4.5;
        break;
    }
    assignments.push_back(d.name + "=" + value);
  }
  CurrentStore f;
  Settings set;
  ASSERT_EQ(RunSetCommand(f.store, set, assignments), 0);
  EXPECT_TRUE(f.ui.messages.empty());
  for (const ValueDefinition& d : ValueDefinitions()) {
    ExpectSameValue(d, expected, set);
    platform::RegValue raw;
    ASSERT_EQ(f.registry.QueryValue("kinloom", d.name, &raw), 0) << d.name;
    const std::uint32_t type = d.kind == ValueKind::kDword     ? platform::kRegDword
                               : d.kind == ValueKind::kIntText ? platform::kRegBinary
                                                               : platform::kRegSz;
    EXPECT_EQ(raw.type, type) << d.name;
  }
  EXPECT_EQ(f.store.ReadText("Version Number"), "4.500000");
}

// The pages' encoding changes the texts the pages show and leaves file paths and the tag
// list as the file system and the tag labels spell them.
TEST(SettingsTableTest, PageTextsAreConvertedAndPathsKept) {
  Settings s;
  SetDistinctValues(s);
  s.custom_links[2][0] = {"caf\xE9", "http://x/\xE9"};
  s.meta_tags[0] = {"n\xE9", "c\xE9"};
  const Settings before = s;
  ConvertPageTexts(s, [](const std::string& v) { return "[" + v + "]"; });
  std::set<std::string> kept;
  for (const ValueDefinition& d : ValueDefinitions()) {
    if (d.kind != ValueKind::kText) continue;
    if (TextOf(d, s) == TextOf(d, before))
      kept.insert(d.name);
    else
      EXPECT_EQ(TextOf(d, s), "[" + TextOf(d, before) + "]") << d.name;
  }
  EXPECT_EQ(kept, (std::set<std::string>{"Input File", "Output File", "Custom Background",
                                         "Custom Background Path", "Notes To Include"}));
  EXPECT_EQ(s.custom_links[2][0].text, "[caf\xE9]");
  EXPECT_EQ(s.custom_links[2][0].hyperlink, "[http://x/\xE9]");
  EXPECT_EQ(s.custom_links[2][1].text, "");  // an empty slot stays empty
  EXPECT_EQ(s.meta_tags[0].text, "n\xE9");
}

}  // namespace
}  // namespace kinloom::settings
