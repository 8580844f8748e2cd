#include "run/conversion_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "platform/failing_file_system.h"
#include "platform/program_end.h"
#include "platform/recording_ui.h"
#include "platform/text_encoding.h"
#include "run/temp_folder.h"
#include "store/structural_faults.h"

namespace kinloom::run {
namespace {

using platform::Choice;
using Op = platform::FailingFileSystem::Operation;

// Passes that report the counts a test chooses.
class FakePasses : public GedcomPasses {
 public:
  int individuals = 5, families = 2, notes = 1;
  CharacterSet character_set = CharacterSet::kAnsi;
  bool count_result = true;
  std::string throw_text;  // a memory or file exception of the counting pass
  bool end_while_loading = false;
  int loads = 0;

  bool Count(RunContext& context) override {
    if (!throw_text.empty()) throw std::runtime_error(throw_text);
    context.state.individual_count = individuals;
    context.state.family_count = families;
    context.state.level0_note_count = notes;
    context.state.character_set = character_set;
    return count_result;
  }
  void Load(RunContext& context, platform::InputFile&) override {
    ++loads;
    EXPECT_TRUE(context.state.reading_database);
    if (end_while_loading) platform::EndProgram(3, "duplicate id");
    context.state.individuals_loaded = static_cast<int>(context.store.individuals.size());
  }
};

// A site generation that records what it was asked for, can fail one language, and can
// write the main page.
class FakeSite : public SiteSteps {
 public:
  std::vector<int> languages;
  int failing_language = -1;
  bool write_main_page = false;
  bool derived_order = false;
  std::size_t individuals_seen = 0;

  void PrepareDerivedOrder(RunContext&) override { derived_order = true; }
  int GenerateSite(RunContext& context, int language) override {
    languages.push_back(language);
    EXPECT_EQ(context.state.current_language, language);
    individuals_seen = context.store.individuals.size();
    if (write_main_page) {
      int error = 0;
      auto out = context.fs.Create(context.state.output_folder + "/index.htm", &error);
      if (out) out->Close();
    }
    return language == failing_language ? 0 : 1;
  }
};

class FakeSaver : public SettingsSaver {
 public:
  std::vector<std::string> saved_folders;
  int full_saves = 0;
  void SaveOutputFolder(const settings::Settings& s) override {
    saved_folders.push_back(s.output_file);
  }
  void SaveAll(const settings::Settings&) override { ++full_saves; }
};

class FakeAuxiliary : public AuxiliarySteps {
 public:
  std::vector<int> images;
  std::vector<std::string> opened;
  bool notes_list_result = true;
  int notes_lists = 0, date_stamps = 0, reports = 0, starts = 0, snapshots = 0, clears = 0;
  int waits = 0;
  int refused_sub_step = 0;

  void MakeDateStamps(RunContext&) override { ++date_stamps; }
  void ExtractImage(RunContext&, int number) override { images.push_back(number); }
  bool LoadNotesTagList(RunContext&, const std::optional<std::string>&) override {
    ++notes_lists;
    return notes_list_result;
  }
  void ClearStatistics(RunContext&) override { ++clears; }
  void StartStatisticsReport(RunContext&) override { ++starts; }
  void TakeMemorySnapshot(RunContext&) override { ++snapshots; }
  void WriteStatisticsReport(RunContext&) override { ++reports; }
  void OpenFile(RunContext&, const std::string& path) override { opened.push_back(path); }
  void WaitOneSecond() override { ++waits; }
  bool AllocationAllowed(int sub_step, std::size_t) override {
    return sub_step != refused_sub_step;
  }
};

class ConversionRunTest : public ::testing::Test {
 protected:
  ConversionRunTest() : display([this] { return now; }) {
    gedcom = temp.Write("family.ged", "0 HEAD\n0 TRLR\n");
    folder = temp / "site";
    settings.owner.user_name = "Owner";
  }

  RunOutcome Run(bool from_command_line = false) {
    ConversionRun run(ui, fs, settings, display, {&passes, &site, &saver, &auxiliary});
    RunOutcome outcome = run.Run(gedcom, folder, from_command_line);
    state = run.state();
    EXPECT_TRUE(run.store().individuals.empty());
    EXPECT_EQ(ui.wait_cursor_depth, 0);
    EXPECT_FALSE(ui.progress_open);
    return outcome;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : ui.messages) out.push_back(m.text);
    return out;
  }
  // "position text" for every report.
  std::vector<std::string> Reports() const {
    std::vector<std::string> out;
    for (const auto& p : ui.progress)
      out.push_back(std::to_string(p.position) + " " + p.status_text);
    return out;
  }
  static std::string ErrorText(int code) {
    return "\n  Error = " + platform::Utf8ToCp1252(std::strerror(code));
  }

  testing::TempFolder temp;
  std::string gedcom, folder;
  std::time_t now = 5000;
  platform::RecordingUi ui;
  platform::FailingFileSystem fs;
  settings::Settings settings;
  ProgressDisplay display;
  FakePasses passes;
  FakeSite site;
  FakeSaver saver;
  FakeAuxiliary auxiliary;
  RunState state;
};

TEST_F(ConversionRunTest, CompletedRunReportsEveryStepInOrder) {
  temp.Write("site/old.htm",
             "<html><head><meta name='GENERATOR' content='KINLOOM\xA9  Version 2.52'>");
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  const std::vector<std::string> expected = {
      "1 Verified Input and Output",
      "2 Initializing output directory",
      "3 Initializing output directory...\n\ndeleting file old.htm",
      "3 Created Directories",
      "4 Saved Settings",
      "10 Finished Preprecessing GEDCOM file",
      "11 Allocating buffers 1-6",
      "12 Allocating buffers 2-6",
      "13 Allocating buffers 3-6",
      "14 Allocating buffers 4-6",
      "15 Allocating buffers 5-6",
      "16 Allocating buffers 6-6",
      "17 Verifying allocated buffers",
      "18 Initializing storage structures 1-5",
      "19 Initializing storage structures 2-5",
      "20 Initializing storage structures 3-5",
      "20 Initializing storage structures 3-5",
      "21 Initializing storage structures 4-5",
      "22 Initializing storage structures 5-5",
      "23 Starting 2nd pass...Opending input file",
      "24 Opended input file.... Starting to Load input file",
      "27 Loaded GEDCOM file",
      "90 Pages Created.  Starting cleanup... 1-2",
      "90 Pages Created.  Starting cleanup... 2-2",
      "92 Finished creating pages.  Freeing dynamic storage... 1-7",
      "93 Finished creating pages.  Freeing dynamic storage... 2-7",
      "94 Finished creating pages.  Freeing dynamic storage... 3-7",
      "95 Finished creating pages.  Freeing dynamic storage... 4-7",
      "96 Finished creating pages.  Freeing dynamic storage... 5-7",
      "97 Finished creating pages.  Freeing dynamic storage... 6-7",
      "98 Finished creating pages.  Freeing dynamic storage... 7-7",
      "100 Finished :)"};
  EXPECT_EQ(Reports(), expected);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(temp.Exists("site/old.htm"));
  EXPECT_EQ(ui.progress.back().parent_title, "100% KINLOOM\xA9  2.52 by Brennick Software");
  EXPECT_EQ(ui.progress_opened, 1);
  EXPECT_EQ(ui.titles_restored, 1);
  EXPECT_FALSE(ui.close_requested);
  EXPECT_EQ(passes.loads, 1);
  EXPECT_TRUE(site.derived_order);
  EXPECT_EQ(site.languages, std::vector<int>{0});
  EXPECT_EQ(site.individuals_seen, 5u);
  EXPECT_EQ(saver.saved_folders, std::vector<std::string>{folder});
  EXPECT_EQ(saver.full_saves, 1);
  EXPECT_EQ(auxiliary.images, (std::vector<int>{152, 153}));
  EXPECT_EQ(auxiliary.notes_lists, 1);
  EXPECT_EQ(auxiliary.date_stamps, 1);
  EXPECT_EQ(auxiliary.waits, 1);
  EXPECT_EQ(auxiliary.reports, 0);
  EXPECT_EQ(state.languages_selected, 1);
  EXPECT_EQ(state.languages_done, 1);
  EXPECT_EQ(ExitStatus(RunOutcome::kCompleted), 0);
}

TEST_F(ConversionRunTest, CommandLineRunAsksToCloseAndDefaultBackgroundCanBeOff) {
  settings.use_default_background = 0;
  settings.create_notes_pages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Run(true), RunOutcome::kCompleted);
  EXPECT_TRUE(ui.close_requested);
  EXPECT_EQ(auxiliary.images, std::vector<int>{153});
  EXPECT_FALSE(state.notes_wanted);
  EXPECT_EQ(auxiliary.notes_lists, 0);
}

TEST_F(ConversionRunTest, LargeFilesCarryTheRemarkFrom5000Individuals) {
  const std::string remark = "  This may take some time, you have a very large file.";
  passes.individuals = 4999;
  Run();
  for (const auto& text : ui.StatusTexts()) EXPECT_EQ(text.find(remark), std::string::npos);

  ui = platform::RecordingUi();
  passes.individuals = 5000;
  Run();
  std::vector<std::string> with_remark;
  for (const auto& text : ui.StatusTexts())
    if (text.size() > remark.size() &&
        text.compare(text.size() - remark.size(), remark.size(), remark) == 0)
      with_remark.push_back(text.substr(0, text.size() - remark.size()));
  const std::vector<std::string> expected = {"Allocating buffers 1-6",
                                             "Allocating buffers 2-6",
                                             "Allocating buffers 3-6",
                                             "Allocating buffers 4-6",
                                             "Allocating buffers 5-6",
                                             "Initializing storage structures 1-5",
                                             "Initializing storage structures 2-5",
                                             "Initializing storage structures 3-5",
                                             "Initializing storage structures 3-5"};
  EXPECT_EQ(with_remark, expected);
}

TEST_F(ConversionRunTest, WithNoLanguageSelectedEnglishIsSwitchedOn) {
  settings.create_pages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(settings.create_pages[0], 1);
  EXPECT_EQ(ui.main_window_refreshes, 1);
  EXPECT_EQ(site.languages, std::vector<int>{0});
}

TEST_F(ConversionRunTest, EmptyPathsStopBeforeAnythingIsCreated) {
  gedcom.clear();
  EXPECT_EQ(Run(), RunOutcome::kValidationStop);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Please specify the GEDCOM file to convert to HTML."});
  EXPECT_EQ(ui.messages[0].caption, "KINLOOM");
  EXPECT_EQ(ui.focused, std::vector<platform::UiField>{platform::UiField::kGedcomPath});

  ui = platform::RecordingUi();
  gedcom = temp / "family.ged";
  folder.clear();
  EXPECT_EQ(Run(), RunOutcome::kValidationStop);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Please specify the directory to create the HTML files in."});
  EXPECT_EQ(ui.focused, std::vector<platform::UiField>{platform::UiField::kOutputFolder});
  EXPECT_EQ(ui.progress_opened, 0);
  EXPECT_EQ(ExitStatus(RunOutcome::kValidationStop), 1);
}

TEST_F(ConversionRunTest, OwnerQuestionCancelLeavesNothingCreated) {
  settings.owner.user_name.clear();
  ui.QueueAnswer(Choice::kCancel);
  EXPECT_EQ(Run(), RunOutcome::kValidationStop);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "You have not entered the Name of the Database Owner.  Would you like to do that now?");
  EXPECT_EQ(ui.messages[0].caption, "Incomplete");
  EXPECT_EQ(ui.messages[0].buttons, platform::MessageButtons::kYesNoCancel);
  EXPECT_EQ(ui.progress_opened, 0);
  EXPECT_FALSE(temp.Exists("site"));
}

TEST_F(ConversionRunTest, OwnerQuestionYesOpensTheOwnerDialogAndNoGoesOn) {
  settings.owner.user_name.clear();
  ui.QueueAnswer(Choice::kYes);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.owner_dialogs, 1);
  ui = platform::RecordingUi();
  ui.QueueAnswer(Choice::kNo);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.owner_dialogs, 0);
}

TEST_F(ConversionRunTest, OnlyOneTrailingSeparatorIsRemoved) {
  folder = temp / "site/";
  Run();
  EXPECT_EQ(saver.saved_folders.back(), temp / "site");
  folder = temp / "site//";
  Run();
  EXPECT_EQ(saver.saved_folders.back(), temp / "site/");
}

TEST_F(ConversionRunTest, EqualBasePageNamesStopWithTheLastPair) {
  settings.create_pages = {1, 1, 1, 0, 0, 0, 0, 0, 0};
  settings.index_name[0] = "Home";
  settings.index_name[1] = "home";
  settings.index_name[2] = "HOME";
  EXPECT_EQ(Run(), RunOutcome::kValidationStop);
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "The name of the base page for the French pages and the German "
                            "pages are the same 'home'.  These names must be different."});
  EXPECT_EQ(saver.saved_folders.size(), 1u);  // step 10 has run
  EXPECT_EQ(saver.full_saves, 0);
  EXPECT_EQ(passes.loads, 0);
  EXPECT_EQ(ui.StatusTexts().back(), "Created Directories");
}

TEST_F(ConversionRunTest, EqualNamesOfAnUnselectedLanguageDoNotMatter) {
  settings.create_pages = {1, 0, 0, 1, 0, 0, 0, 0, 0};
  settings.index_name[1] = "index";
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(site.languages, (std::vector<int>{0, 3}));
}

TEST_F(ConversionRunTest, CustomBackgroundIsCopiedIntoTheOutputFolderOnly) {
  settings.use_custom_background = 1;
  settings.custom_background_path = temp.Write("images/paper.gif", "GIF89a");
  settings.custom_background = "../../paper.gif";
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_TRUE(temp.Exists("site/paper.gif"));
  EXPECT_FALSE(
      std::filesystem::exists(std::filesystem::path(temp.path()).parent_path() / "paper.gif"));
  EXPECT_NE(std::find(ui.StatusTexts().begin(), ui.StatusTexts().end(), "Copying Background Image"),
            ui.StatusTexts().end());
}

TEST_F(ConversionRunTest, BackgroundCopyFailureAborts) {
  settings.use_custom_background = 1;
  settings.custom_background_path = temp / "missing.gif";
  settings.custom_background = "missing.gif";
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Unable to copy the Background file " + temp / "missing.gif" +
                                     ".  To location " + folder +
                                     "/missing.gif.  KINLOOM\xA9  aborting." + ErrorText(ENOENT)});
  EXPECT_EQ(ui.messages[0].caption, "");
  EXPECT_EQ(passes.loads, 0);
  EXPECT_EQ(ui.titles_restored, 1);
}

TEST_F(ConversionRunTest, NotesTagListFailureAborts) {
  auxiliary.notes_list_result = false;
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.StatusTexts().back(), "Saved Settings");
}

TEST_F(ConversionRunTest, CountingPassFailureOrExceptionAborts) {
  passes.count_result = false;
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_EQ(ui.StatusTexts().back(), "Saved Settings");

  ui = platform::RecordingUi();
  passes.throw_text = "read error";
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Exception: read error \n KINLOOM\xA9  closing down."});
}

TEST_F(ConversionRunTest, TooFewRecordsStopWith2283) {
  passes.families = 1;
  passes.individuals = 7;
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{
                "Error detected reading GEDCOM file. KINLOOM\xA9  only found 1 family(s) and 7 "
                "individual(s).   A minimum of 2 families and 3 individuals is required.  "
                "Possible incorrect GEDCOM format, empty file, or non-GEDCOM file.  KINLOOM\xA9  "
                "aborting."});
  ui = platform::RecordingUi();
  passes.families = 2;
  passes.individuals = 2;
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  ui = platform::RecordingUi();
  passes.individuals = 3;
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
}

TEST_F(ConversionRunTest, RefusedAllocationStopsWith2301AndFreesTheStore) {
  passes.individuals = 100000;
  passes.families = 40000;
  auxiliary.refused_sub_step = 1;
  EXPECT_EQ(Run(), RunOutcome::kAbortedAndFreed);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{
                "Error allocating internal buffers.  This file has 100000 individuals, and "
                "40000 families.  KINLOOM\xA9  attempted to dynamically allocate   47.78 "
                "Megabytes of memory and failed.  Your system does not have large enought "
                "combination of RAM and virtual memory (swap file) to convert this file."});
  EXPECT_EQ(ui.StatusTexts().back().rfind("Verifying allocated buffers", 0), 0u);
  EXPECT_EQ(passes.loads, 0);
}

TEST_F(ConversionRunTest, NotesTableFailureMattersOnlyWhenNotesAreWanted) {
  auxiliary.refused_sub_step = 6;
  settings.create_notes_pages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  settings.create_notes_pages[4] = 1;
  EXPECT_EQ(Run(), RunOutcome::kAbortedAndFreed);
}

TEST_F(ConversionRunTest, ReopenFailureStopsWith2304) {
  fs.Fail(Op::kOpen, EMFILE, "family.ged", 1);
  EXPECT_EQ(Run(), RunOutcome::kAbortedAndFreed);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to re-open the file '" + gedcom +
                                                 "'.  KINLOOM\xA9  aborting." + ErrorText(EMFILE)});
  EXPECT_EQ(passes.loads, 0);
  // Failed mode releases without reporting.
  EXPECT_EQ(ui.StatusTexts().back(), "Starting 2nd pass...Opending input file");
}

TEST_F(ConversionRunTest, CloseFailureAfterLoadingStopsWith2307) {
  fs.Fail(Op::kCloseInput, EIO, "family.ged", 1);
  EXPECT_EQ(Run(), RunOutcome::kAbortedAndFreed);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to close file " + gedcom +
                                                 ".  Aborting Conversion.  KINLOOM\xA9  aborting." +
                                                 ErrorText(EIO)});
  EXPECT_EQ(passes.loads, 1);
  EXPECT_TRUE(site.languages.empty());
}

TEST_F(ConversionRunTest, UnicodeAndUnstatedCharacterSetsAreTakenAsAnsi) {
  passes.character_set = CharacterSet::kUnicode;
  Run();
  EXPECT_EQ(state.character_set, CharacterSet::kAnsi);
  passes.character_set = CharacterSet::kNotStated;
  Run();
  EXPECT_EQ(state.character_set, CharacterSet::kAnsi);
  passes.character_set = CharacterSet::kAnsel;
  Run();
  EXPECT_EQ(state.character_set, CharacterSet::kAnsel);
}

TEST_F(ConversionRunTest, FailedLanguageSkipsTheRestButTheDebugStepsStillRun) {
  settings.create_pages = {1, 0, 1, 0, 0, 0, 1, 0, 0};
  settings.index_name = {"a", "b", "c", "d", "e", "f", "g", "h", "i"};
  settings.debugging = DEBUG_STATISTICS | DEBUG_SHOW_STATISTICS_LOG | DEBUG_CLOSE_WHEN_DONE;
  site.failing_language = 2;
  EXPECT_EQ(Run(), RunOutcome::kSiteFailed);
  EXPECT_EQ(site.languages, (std::vector<int>{0, 2}));
  EXPECT_EQ(state.languages_done, 2);
  EXPECT_TRUE(state.failed);
  for (const auto& text : ui.StatusTexts()) {
    EXPECT_NE(text, "Finished :)");
    EXPECT_EQ(text.find("Freeing dynamic storage"), std::string::npos);
    EXPECT_EQ(text.find("Pages Created"), std::string::npos);
  }
  EXPECT_EQ(auxiliary.clears, 1);
  EXPECT_EQ(auxiliary.starts, 1);
  EXPECT_EQ(auxiliary.snapshots, 1);
  EXPECT_EQ(auxiliary.reports, 1);
  EXPECT_EQ(auxiliary.opened, std::vector<std::string>{folder + "/stats.txt"});
  EXPECT_TRUE(ui.close_requested);
  EXPECT_EQ(auxiliary.waits, 0);
  EXPECT_EQ(ExitStatus(RunOutcome::kSiteFailed), 1);
}

TEST_F(ConversionRunTest, RunningTimeIsShownWithItsDebugBit) {
  settings.debugging = DEBUG_SHOW_RUN_TIME;
  class Advancing : public FakeSite {
   public:
    explicit Advancing(std::time_t* now) : now_(now) {}
    int GenerateSite(RunContext&, int) override {
      *now_ += 3725;
      return 1;
    }

   private:
    std::time_t* now_;
  } advancing(&now);
  ConversionRun run(ui, fs, settings, display, {&passes, &advancing, &saver, &auxiliary});
  EXPECT_EQ(run.Run(gedcom, folder, false), RunOutcome::kCompleted);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Total Running Time = 62m 5s"});
  EXPECT_EQ(run.state().end_time - run.state().start_time, 3725);
}

TEST_F(ConversionRunTest, ViewButtonFollowsTheMainPage) {
  Run();
  EXPECT_FALSE(ui.view_button_enabled);
  site.write_main_page = true;
  Run();
  EXPECT_TRUE(ui.view_button_enabled);
}

TEST_F(ConversionRunTest, EndingTheProgramPassesThroughTheRun) {
  passes.end_while_loading = true;
  ConversionRun run(ui, fs, settings, display, {&passes, &site, &saver, &auxiliary});
  try {
    run.Run(gedcom, folder, true);
    FAIL() << "the run returned";
  } catch (const platform::ProgramEnd& end) {
    EXPECT_EQ(end.status(), 3);
  }
  EXPECT_TRUE(site.languages.empty());
}

// A child line that names no individual is followed by no step before the pages; it still
// ends the program when the links are resolved after loading, before any page file exists.
TEST_F(ConversionRunTest, ABrokenLinkEndsTheProgramBeforeAnyPageIsWritten) {
  gedcom = temp.Write("broken.ged",
                      "0 HEAD\n1 CHAR ANSI\n"
                      "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n"
                      "0 @I2@ INDI\n1 NAME Tom /Lee/\n1 FAMS @F1@\n"
                      "0 @I3@ INDI\n1 NAME Sue /Lee/\n1 FAMC @F1@\n1 FAMS @F2@\n"
                      "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n1 CHIL @I9@\n"
                      "0 @F2@ FAM\n1 WIFE @I3@\n"
                      "0 TRLR\n");
  ConversionRun run(ui, fs, settings, display, {nullptr, nullptr, &saver, &auxiliary});
  EXPECT_THROW(run.Run(gedcom, folder, true), store::StructuralErrorEnd);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind("Structural problem in GEDCOM file.  A family references\n"
                                      "individual \"I9\", but",
                                      0),
            0u);
  ASSERT_TRUE(temp.Exists("site"));
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    written.push_back(entry.path().filename().string());
  EXPECT_TRUE(written.empty()) << written.front();
  for (const auto& report : ui.progress) EXPECT_LE(report.position, 27) << report.status_text;
}

TEST_F(ConversionRunTest, ProgressCounterSurvivesRuns) {
  Run();
  const long long first = display.update_count();
  EXPECT_EQ(first, static_cast<long long>(ui.progress.size()));
  Run();  // the recording keeps the updates of both runs
  EXPECT_GT(display.update_count(), first);
  EXPECT_EQ(display.update_count(), static_cast<long long>(ui.progress.size()));
}

}  // namespace
}  // namespace kinloom::run
