#include "settings/load_save.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/recording_ui.h"
#include "settings/migration.h"
#include "settings/settings_commands.h"

namespace kinloom::settings {
namespace {

constexpr const char* kCheckSavedStart = "Error occurred saving one or more of your settings.";

struct Fixture {
  platform::MemoryRegistry reg;
  platform::RecordingUi ui;
  RegistryStore store{reg, ui};
  Settings loaded;
  LoadOptions options{false, "", "", "/home/u/MyHTMLFiles"};
  void Load() { LoadSettings(store, loaded, options); }
};

TEST(LoadSettingsTest, FirstStartWritesEveryDefault) {
  Fixture f;
  f.Load();
  EXPECT_TRUE(f.ui.messages.empty());
  EXPECT_EQ(f.store.ReadIntText("Initialized"), 1);
  EXPECT_EQ(f.store.ReadText("Version Number"), "2.520000");
  Settings d;  // the documented defaults
  for (int k = 0; k < kLanguageCount; ++k) {
    EXPECT_EQ(f.loaded.index_name[k], d.index_name[k]) << k;
    EXPECT_EQ(f.loaded.index_title[k], d.index_title[k]) << k;
    EXPECT_EQ(f.loaded.family_page_text_a[k], d.family_page_text_a[k]) << k;
    EXPECT_EQ(f.loaded.family_page_text_b[k], d.family_page_text_b[k]) << k;
    EXPECT_EQ(f.loaded.descendancy_page_text_a[k], d.descendancy_page_text_a[k]) << k;
    EXPECT_EQ(f.loaded.descendancy_page_text_b[k], d.descendancy_page_text_b[k]) << k;
    EXPECT_EQ(f.loaded.pedigree_page_text_a[k], d.pedigree_page_text_a[k]) << k;
    EXPECT_EQ(f.loaded.pedigree_page_text_b[k], d.pedigree_page_text_b[k]) << k;
    EXPECT_EQ(f.loaded.notes_page_text_a[k], d.notes_page_text_a[k]) << k;
    EXPECT_EQ(f.loaded.notes_page_text_b[k], d.notes_page_text_b[k]) << k;
    EXPECT_EQ(f.loaded.custom_links_title[k], d.custom_links_title[k]) << k;
    EXPECT_EQ(f.loaded.create_pages[k], d.create_pages[k]) << k;
    EXPECT_EQ(f.loaded.create_notes_pages[k], d.create_notes_pages[k]) << k;
  }
  EXPECT_EQ(f.loaded.groups, 10u);
  EXPECT_EQ(f.loaded.groups_descendancy, 5u);
  EXPECT_EQ(f.loaded.groups_pedigree, 10u);
  EXPECT_EQ(f.loaded.groups_notes, 20u);
  EXPECT_EQ(f.loaded.colours, d.colours);
  EXPECT_EQ(f.loaded.output_file, "/home/u/MyHTMLFiles");
  EXPECT_EQ(f.loaded.input_file, "");
  EXPECT_EQ(f.loaded.meta_refresh_value, 12u);
  EXPECT_EQ(f.loaded.born, 1920u);
  EXPECT_EQ(f.loaded.married, 1930u);
  EXPECT_EQ(f.loaded.use_baptism, 1);
  EXPECT_EQ(f.loaded.suppress_lds_living, 1);
  EXPECT_EQ(f.loaded.debugging, 0u);
  int status = 0;
  f.store.ReadIntText("Create Danish Pages", &status);
  EXPECT_EQ(status, platform::kErrorNotFound);
  f.store.ReadIntText("Create Notes Pages Danish", &status);
  EXPECT_EQ(status, platform::kErrorNotFound);
}

TEST(MigrationTest, OlderStoresEnterAtTheirStep) {
  {
    Fixture f;
    f.store.WriteIntText("Initialized", 1);
    f.store.WriteReal("Version Number", 2.0);
    f.store.WriteDword("Groups", 7);
    f.Load();
    EXPECT_EQ(f.loaded.groups_descendancy, 7u);
    EXPECT_EQ(f.loaded.groups_pedigree, 7u);
    EXPECT_EQ(f.loaded.groups_notes, 7u);
  }
  {
    Fixture f;
    f.store.WriteIntText("Initialized", 1);
    f.store.WriteReal("Version Number", 2.3);
    f.store.WriteText("French Index Name", "mesfr");
    f.store.WriteText("German Family Page Text A", "Meine Seite");
    Settings s;
    MigrationResult r = MigrateSettings(f.store, s, 1, "");
    EXPECT_EQ(r.first_step, 16);
    EXPECT_EQ(f.store.ReadText("Index Name 1"), "mesfr");
    EXPECT_EQ(f.store.ReadText("Family Page Text A 2"), "Meine Seite");
    EXPECT_EQ(f.store.ReadIntText("Use Baptism"), 1);
  }
  {
    Fixture f;
    f.store.WriteIntText("Initialized", 1);
    f.store.WriteReal("Version Number 1.5", 1.5);
    EXPECT_DOUBLE_EQ(ReadStoredVersion(f.store), 1.5);
    Settings s;
    EXPECT_EQ(MigrateSettings(f.store, s, 1, "").first_step, 7);
  }
  {
    Fixture f;
    f.store.WriteIntText("Initialized", 1);
    f.store.WriteReal("Version Number", 2.52);
    f.store.WriteDword("Debugging", 0);
    f.store.WriteDword("Skip Broken Links", 0);
    f.store.WriteDword("Page Style", 0);
    std::size_t before = f.reg.writes.size();
    f.Load();
    EXPECT_EQ(std::vector<std::string>(f.reg.writes.begin() + before, f.reg.writes.end()),
              std::vector<std::string>{"kinloom\\Version Number"});
  }
  {
    // A store of this version written before "Skip Broken Links" and "Page Style" existed: a
    // missing DWORD would read as all bits set, so the load writes the default 0 and keeps
    // the option off.
    Fixture f;
    f.store.WriteIntText("Initialized", 1);
    f.store.WriteReal("Version Number", 2.52);
    f.store.WriteDword("Debugging", 0);
    std::size_t before = f.reg.writes.size();
    f.Load();
    EXPECT_EQ(f.loaded.skip_broken_links, 0u);
    EXPECT_EQ(f.store.ReadDword("Skip Broken Links"), 0u);
    EXPECT_EQ(f.loaded.page_style, 0u);
    EXPECT_EQ(f.store.ReadDword("Page Style"), 0u);
    EXPECT_EQ(std::vector<std::string>(f.reg.writes.begin() + before, f.reg.writes.end()),
              (std::vector<std::string>{"kinloom\\Skip Broken Links", "kinloom\\Page Style",
                                        "kinloom\\Version Number"}));
  }
  EXPECT_EQ(FirstMigrationStep(1.42), 6);
  EXPECT_EQ(FirstMigrationStep(1.594), 8);
  EXPECT_EQ(FirstMigrationStep(0), 1);
}

TEST(RegistryStoreTest, KindsAndLimits) {
  Fixture f;
  f.store.WriteDword("Flag", 1);
  EXPECT_EQ(f.store.ReadIntText("Flag"), 0);
  f.store.WriteIntText("Flag2", 1);
  EXPECT_EQ(f.store.ReadIntText("Flag2"), 1);
  std::string long_text(8095, 'x');
  f.store.WriteText("Long", long_text);
  EXPECT_EQ(f.store.ReadText("Long"), long_text);
  f.store.WriteText("Longer", long_text + "yz");
  EXPECT_EQ(f.store.ReadText("Longer"), long_text);
  EXPECT_EQ(f.store.ReadDword("None"), 0xFFFFFFFFu);
  f.reg.FailOpen(5);
  EXPECT_EQ(f.store.ReadText("Long"), "-1");
  EXPECT_EQ(f.store.WriteText("Long", "a"), -1);
}

TEST(CustomLinksTest, DeletingAMiddleLinkLeavesNoStaleValue) {
  Fixture f;
  Settings s;
  for (int n = 0; n < 3; ++n) s.custom_links[0][n] = {"t" + std::to_string(n), "h"};
  ASSERT_TRUE(SaveCustomLinks(f.store, s, 0));
  s.custom_links[0][1] = {};
  ASSERT_TRUE(SaveCustomLinks(f.store, s, 0));
  f.store.SelectLinksKey("Links");
  int status = 0;
  f.store.ReadText("Custom Link Hyperlink Number 1", &status);
  EXPECT_EQ(status, platform::kErrorNotFound);
  f.store.SelectMainKey();
  Settings back;
  LoadCustomLinks(f.store, back);
  EXPECT_EQ(back.custom_links[0][1].text, "");
  EXPECT_EQ(back.custom_links[0][2].text, "t2");
}

TEST(SaveSettingsTest, FirstFailedWriteIsReportedOnceAndStopsTheSave) {
  Fixture f;
  f.reg.FailWritesAfter(0, 30);
  Settings s;
  EXPECT_FALSE(SaveSettings(f.store, s, {"a.ged", "/out", true}));
  EXPECT_EQ(f.reg.failed_writes, 1);
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].text,
            std::string(kCheckSavedStart) +
                "  \nYour settings may not be restored next time you run KINLOOM\xa9 .  \n\n"
                "Error Code = 30");
  EXPECT_EQ(f.ui.messages[0].caption, "kinloom");
  EXPECT_EQ(f.ui.messages[0].icon, platform::MessageIcon::kError);
}

TEST(SettingsCommandsTest, SetWritesKnownNamesAndRefusesUnknownOnes) {
  Fixture f;
  f.Load();
  EXPECT_EQ(RunSetCommand(f.store, f.loaded, {"Groups Notes=33", "user name=Ann"}), 0);
  EXPECT_EQ(f.store.ReadDword("Groups Notes"), 33u);
  EXPECT_EQ(f.loaded.owner.user_name, "Ann");
  EXPECT_EQ(RunSetCommand(f.store, f.loaded, {"Groups Note=3"}), 1);
  ASSERT_FALSE(f.ui.messages.empty());
  EXPECT_NE(f.ui.messages.back().text.find("\"Groups Notes\""), std::string::npos);
  EXPECT_EQ(RunSetCommand(f.store, f.loaded, {"Groups=abc"}), 1);
  EXPECT_EQ(f.store.ReadDword("Groups"), 10u);
  std::ostringstream out;
  EXPECT_EQ(RunListSettings(f.store, out), 0);
  EXPECT_NE(out.str().find("\"Groups Notes\" (dword) = 33\n"), std::string::npos);
  EXPECT_NE(out.str().find("\"User Name\" (text) = \"Ann\"\n"), std::string::npos);
}

// A registry that tells which writes came inside a batch and how many batches were stored.
struct BatchRecordingRegistry : platform::MemoryRegistry {
  int depth = 0;
  int stored_batches = 0;
  int writes_outside = 0;
  int end_error = 0;  // what the outermost EndBatch returns
  void BeginBatch() override { ++depth; }
  int EndBatch() override {
    if (--depth > 0) return 0;
    ++stored_batches;
    return end_error;
  }
  int SetValue(const std::string& key, const std::string& name,
               const platform::RegValue& value) override {
    if (depth == 0) ++writes_outside;
    return MemoryRegistry::SetValue(key, name, value);
  }
};

// However many settings one command names, the registry is changed once: a file store is
// read, rewritten and flushed once instead of once per value. When that one change fails,
// it is reported and the settings in memory keep their old values.
TEST(SettingsCommandsTest, SetStoresAllItsValuesInOneChange) {
  BatchRecordingRegistry reg;
  platform::RecordingUi ui;
  RegistryStore store{reg, ui};
  Settings loaded;
  LoadSettings(store, loaded, {false, "", "", "/home/u/MyHTMLFiles"});
  reg.stored_batches = 0;
  reg.writes_outside = 0;
  EXPECT_EQ(RunSetCommand(store, loaded, {"Groups Notes=33", "user name=Ann", "Born=1900"}), 0);
  EXPECT_EQ(reg.stored_batches, 1);
  EXPECT_EQ(reg.writes_outside, 0);
  EXPECT_EQ(store.ReadDword("Groups Notes"), 33u);
  EXPECT_EQ(loaded.owner.user_name, "Ann");
  EXPECT_EQ(loaded.born, 1900u);

  reg.end_error = 28;
  EXPECT_EQ(RunSetCommand(store, loaded, {"Groups Notes=44", "user name=Bea"}), 1);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(ui.messages.back().text.find("Error Code = 28"), std::string::npos);
  EXPECT_EQ(loaded.groups_notes, 33u);
  EXPECT_EQ(loaded.owner.user_name, "Ann");
}

// Every "NAME=VALUE" made from a line of the listing is accepted, names of older versions
// and quoted texts with escapes included, and carries the value over: a second store given
// the first one's listing lists the same.
TEST(SettingsCommandsTest, SetAcceptsEveryListedLineAsItIsShown) {
  Fixture from;
  from.Load();
  ASSERT_EQ(RunSetCommand(from.store, from.loaded,
                          {"User Name=Ann \"Nan\" Lee\\\tII", "Color Link=0x123456",
                           "Groups Notes=33", "Address Line 1=caf\xC3\xA9\x01"}),
            0);
  ASSERT_EQ(from.store.WriteText("Index Name", "old \"index\""), 0);
  std::ostringstream listed;
  ASSERT_EQ(RunListSettings(from.store, listed), 0);
  EXPECT_NE(listed.str().find("\"Index Name\" (text) = \"old \\\"index\\\"\"\n"),
            std::string::npos);
  EXPECT_NE(listed.str().find("\"Color Link\" (dword) = 1193046 (0x123456)\n"), std::string::npos);

  std::vector<std::string> assignments;
  std::istringstream lines(listed.str());
  for (std::string line; std::getline(lines, line);) {
    const std::size_t name_end = line.find("\" (");
    const std::size_t value_start = line.find(") = ");
    ASSERT_TRUE(line.front() == '"' && name_end != std::string::npos &&
                value_start != std::string::npos)
        << line;
    const std::string value = line.substr(value_start + 4, line.find("  [") - value_start - 4);
    assignments.push_back(line.substr(1, name_end - 1) + "=" + value);
  }
  ASSERT_GT(assignments.size(), 200u);

  Fixture to;
  to.Load();
  EXPECT_EQ(RunSetCommand(to.store, to.loaded, assignments), 0);
  EXPECT_TRUE(to.ui.messages.empty()) << to.ui.messages.front().text;
  EXPECT_EQ(to.loaded.owner.user_name, "Ann \"Nan\" Lee\\\tII");
  EXPECT_EQ(to.loaded.owner.address[0], "caf\xE9\x01");
  EXPECT_EQ(to.loaded.colours[2], 0x123456u);
  std::ostringstream again;
  ASSERT_EQ(RunListSettings(to.store, again), 0);
  EXPECT_EQ(again.str(), listed.str());

  // A colour's two forms must agree; a quoted text must end where its quotes say.
  EXPECT_EQ(RunSetCommand(to.store, to.loaded, {"Color Link=1 (0x2)"}), 1);
  EXPECT_EQ(RunSetCommand(to.store, to.loaded, {"User Name=\"a\"b\""}), 1);
  EXPECT_EQ(RunSetCommand(to.store, to.loaded, {"User Name=\"a\\q\""}), 1);
  EXPECT_EQ(to.loaded.colours[2], 0x123456u);
}

TEST(SettingsCommandsTest, EveryStoredValueOfAFirstStartHasADefinition) {
  Fixture f;
  f.Load();
  std::vector<std::pair<std::string, platform::RegValue>> values;
  f.reg.ListValues("kinloom", &values);
  int numbered = 0;
  for (const auto& [name, v] : values) {
    bool old_name =
        name.find("French ") != std::string::npos || name.find("German") != std::string::npos ||
        name.find("Dutch") != std::string::npos || name.find("Spanish") != std::string::npos ||
        name.find("Danish") != std::string::npos ||
        ((name.find("Index ") == 0 || name.find("Page Text") != std::string::npos ||
          name.find("Links Title") != std::string::npos) &&
         !(name.back() >= '0' && name.back() <= '9'));
    if (FindValueDefinition(name) != nullptr)
      ++numbered;
    else if (!old_name)
      ADD_FAILURE() << "undefined value " << name;
  }
  EXPECT_GT(numbered, 150);
}

}  // namespace
}  // namespace kinloom::settings

namespace kinloom::settings {
namespace {

// A store the system refuses to write: the first write of the bulk save fails with the
// system's error code in CheckSaved's message, and nothing after it is tried.
TEST(SaveSettingsTest, UnwritableStoreFolderStopsAtTheFirstWrite) {
  const std::string base =
      std::filesystem::temp_directory_path() / ("kinloom_ro_" + std::to_string(::getpid()));
  std::filesystem::remove_all(base);
  std::filesystem::create_directories(base);
  std::string path;
  int expected = 0;
  if (::geteuid() != 0) {
    std::filesystem::create_directories(base + "/Brennick");
    std::filesystem::permissions(base + "/Brennick", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_exec);
    path = base + "/Brennick/registry.reg";
    expected = EACCES;
  } else {  // permissions do not stop root: a folder that is a file does
    std::ofstream(base + "/Brennick") << "x";
    path = base + "/Brennick/registry.reg";
    expected = ENOTDIR;
  }
  platform::RecordingUi ui;
  auto reg = OpenRegistryFile(path, ui);
  RegistryStore store(*reg, ui);
  Settings s;
  EXPECT_FALSE(SaveSettings(store, s, {"a.ged", "/out", true}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find(kCheckSavedStart), std::string::npos);
  EXPECT_NE(ui.messages[0].text.find("Error Code = " + std::to_string(expected)), std::string::npos)
      << ui.messages[0].text;
  std::filesystem::permissions(base + "/Brennick", std::filesystem::perms::owner_all);
  std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace kinloom::settings
