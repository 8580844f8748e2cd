#include "run/registry_saver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "run/temp_folder.h"
#include "settings/settings_commands.h"

namespace kinloom::run {
namespace {

// Passes that find a small family without reading anything, and a site that writes nothing.
class CountOnlyPasses : public GedcomPasses {
 public:
  bool Count(RunContext& context) override {
    context.state.individual_count = 4;
    context.state.family_count = 2;
    return true;
  }
  void Load(RunContext&, platform::InputFile&) override {}
};
class NoSite : public SiteSteps {
 public:
  void PrepareDerivedOrder(RunContext&) override {}
  int GenerateSite(RunContext&, int) override { return 1; }
};
class Quiet : public AuxiliarySteps {
 public:
  void ExtractImage(RunContext&, int) override {}
  void WaitOneSecond() override {}
};

class RegistrySaverTest : public ::testing::Test {
 protected:
  RegistrySaverTest() {
    gedcom = temp.Write("family.ged", "0 HEAD\n0 TRLR\n");
    folder = temp / "site";
  }

  RunOutcome Convert(platform::Registry& registry, settings::Settings& s,
                     const std::string& typed_folder) {
    settings::RegistryStore store(registry, ui);
    RegistrySettingsSaver saver(store, gedcom, typed_folder);
    ConversionRun run(ui, fs, s, display, {&passes, &site, &saver, &auxiliary});
    RunOutcome outcome = run.Run(gedcom, typed_folder, true);
    saved_all = saver.saved_all();
    output_folder_status = saver.output_folder_status();
    notes_tag_selection = run.state().notes_tag_selection;
    return outcome;
  }

  testing::TempFolder temp;
  std::string gedcom, folder;
  platform::RecordingUi ui;
  platform::FailingFileSystem fs;
  ProgressDisplay display{[] { return std::time_t{100}; }};
  CountOnlyPasses passes;
  NoSite site;
  Quiet auxiliary;
  bool saved_all = false;
  int output_folder_status = -5;
  std::array<bool, 130> notes_tag_selection{};
};

constexpr char kUnreadableTags[] = "Error reading list of TAGS from registry.";

// The run writes "Output File" on its own once the folder is ready, then saves every
// option; a later start-up that loads the store sees what this run had in memory.
TEST_F(RegistrySaverTest, RunSavesTheFolderThenEverythingAndTheNextStartSeesIt) {
  platform::MemoryRegistry registry;
  settings::Settings s;
  {
    settings::RegistryStore store(registry, ui);
    settings::LoadSettings(store, s, {true, gedcom, folder, "/home/u/MyHTMLFiles"});
  }
  s.owner.user_name = "Ann Lee";
  s.groups = 7;
  s.create_pages.fill(0);  // the run turns English on and saves that
  s.htm = 0;
  s.family_page_text_b[3] = "(Gezinnen!)";
  const std::size_t before = registry.writes.size();

  ASSERT_EQ(Convert(registry, s, folder + "/"), RunOutcome::kCompleted);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(saved_all);
  EXPECT_EQ(output_folder_status, 0);

  const std::vector<std::string> writes(registry.writes.begin() + static_cast<long>(before),
                                        registry.writes.end());
  ASSERT_GE(writes.size(), 4u);
  // Step 10 alone, then the bulk save in its order.
  EXPECT_EQ(writes[0], "kinloom\\Output File");
  EXPECT_EQ(writes[1], "kinloom\\Input File");
  EXPECT_EQ(writes[2], "kinloom\\Output File");
  EXPECT_EQ(writes[3], "kinloom\\Groups");
  EXPECT_EQ(writes.back(), "kinloom\\Use Baptism");

  settings::Settings next;
  settings::RegistryStore store(registry, ui);
  settings::LoadSettings(store, next, {false, "", "", "/home/u/MyHTMLFiles"});
  EXPECT_EQ(next.input_file, gedcom);
  EXPECT_EQ(next.output_file, folder + "/");  // the output field as typed
  EXPECT_EQ(next.owner.user_name, "Ann Lee");
  EXPECT_EQ(next.groups, 7u);
  EXPECT_EQ(next.create_pages[0], 1);
  EXPECT_EQ(next.htm, 0);
  EXPECT_EQ(next.family_page_text_b[3], "(Gezinnen!)");
}

// A store folder the system refuses: "Output File" fails quietly at step 10, the bulk save
// reports its first write once through CheckSaved with the system's code and stops there;
// the conversion itself goes on.
TEST_F(RegistrySaverTest, UnwritableStoreStopsTheBulkSaveAtItsFirstWrite) {
  const std::string base = temp / "config";
  int expected = 0;
  if (::geteuid() != 0) {
    std::filesystem::create_directories(base + "/Brennick");
    std::filesystem::permissions(base + "/Brennick", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_exec);
    expected = EACCES;
  } else {  // permissions do not stop root: a folder that is a file does
    temp.Write("config/Brennick", "not a folder");
    expected = ENOTDIR;
  }
  std::unique_ptr<platform::Registry> registry =
      settings::OpenRegistryFile(base + "/Brennick/registry.reg", ui);
  settings::Settings s;
  s.owner.user_name = "Ann Lee";

  EXPECT_EQ(Convert(*registry, s, folder), RunOutcome::kCompleted);
  EXPECT_EQ(output_folder_status, expected);
  EXPECT_FALSE(saved_all);
  // The notes tags cannot be read from that store either.
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, kUnreadableTags);
  EXPECT_EQ(ui.messages[0].text,
            "Error occurred saving one or more of your settings.  \nYour settings may not be "
            "restored next time you run KINLOOM\xa9 .  \n\nError Code = " +
                std::to_string(expected));
  EXPECT_EQ(ui.messages[0].icon, platform::MessageIcon::kError);
  std::vector<std::pair<std::string, platform::RegValue>> values;
  registry->ListValues("kinloom", &values);
  EXPECT_TRUE(values.empty());
  if (expected == EACCES)
    std::filesystem::permissions(base + "/Brennick", std::filesystem::perms::owner_all);
}

// The notes tags come from the store at the start of the run: a stored list selects its own
// tags, and a list that cannot be read is reported and selects none, whatever the options
// in memory hold.
TEST_F(RegistrySaverTest, NotesTagsAreReadFromTheStoreAndAnUnreadableListSelectsNone) {
  platform::MemoryRegistry registry;
  settings::Settings s;
  {
    settings::RegistryStore store(registry, ui);
    settings::LoadSettings(store, s, {true, gedcom, folder, "/home/u/MyHTMLFiles"});
    store.WriteText("Notes To Include", "Occupation;");
  }
  s.owner.user_name = "Ann Lee";
  ASSERT_NE(s.create_notes_pages[0], 0);
  ASSERT_EQ(Convert(registry, s, folder), RunOutcome::kCompleted);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(notes_tag_selection[88]);   // OCCU
  EXPECT_FALSE(notes_tag_selection[84]);  // NOTE is in the list in memory only
  EXPECT_EQ(std::count(notes_tag_selection.begin(), notes_tag_selection.end(), true), 1);

  ASSERT_EQ(registry.DeleteValue("kinloom", "Notes To Include"), 0);
  ASSERT_EQ(Convert(registry, s, folder), RunOutcome::kCompleted);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kUnreadableTags);
  EXPECT_EQ(ui.messages[0].caption, "");
  EXPECT_EQ(ui.messages[0].icon, platform::MessageIcon::kWarning);
  EXPECT_EQ(std::count(notes_tag_selection.begin(), notes_tag_selection.end(), true), 0);
}

TEST_F(RegistrySaverTest, FailedBulkWriteIsTheLastOneTried) {
  platform::MemoryRegistry registry;
  registry.FailWritesAfter(2, 28);  // "Output File" and "Input File" go through
  settings::Settings s;
  s.owner.user_name = "Ann Lee";
  EXPECT_EQ(Convert(registry, s, folder), RunOutcome::kCompleted);
  EXPECT_EQ(registry.writes,
            (std::vector<std::string>{"kinloom\\Output File", "kinloom\\Input File"}));
  EXPECT_EQ(registry.failed_writes, 1);
  // A store that was never filled has no notes tags.
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, kUnreadableTags);
  EXPECT_NE(ui.messages[0].text.find("Error Code = 28"), std::string::npos);
}

}  // namespace
}  // namespace kinloom::run
