#include "run/output_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "platform/text_encoding.h"
#include "run/temp_folder.h"
#include "store/genealogy_store.h"

namespace kinloom::run {
namespace {

using platform::FailingFileSystem;
using Op = platform::FailingFileSystem::Operation;

// The start of a page as the page writer writes it: the generator tag marks it as ours.
constexpr const char* kOurPage =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
    "<meta name='GENERATOR' content='KINLOOM\xA9  Version 2.52'>";

class OutputFolderTest : public ::testing::Test {
 protected:
  OutputFolderTest() {
    state.gedcom_path = temp.Write("family.ged", "0 HEAD\n0 TRLR\n");
    state.output_folder = temp / "site";
  }

  bool Prepare() {
    RunContext context{ui, fs, settings, state, store};
    return PrepareOutputFolder(context);
  }
  std::string OnlyMessage() const {
    EXPECT_EQ(ui.messages.size(), 1u);
    return ui.messages.empty() ? "" : ui.messages.back().text;
  }
  static std::string ErrorText(int code) {
    return "\n  Error = " + platform::Utf8ToCp1252(std::strerror(code));
  }

  testing::TempFolder temp;
  platform::RecordingUi ui;
  FailingFileSystem fs;
  settings::Settings settings;
  RunState state;
  store::GenealogyStore store;
};

TEST_F(OutputFolderTest, CreatesTheFolderWithEveryMissingParent) {
  state.output_folder = temp / "one/two/three";
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(std::filesystem::is_directory(temp / "one/two/three"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(state.gedcom_file_size, 14u);
}

TEST_F(OutputFolderTest, DeletesOnlyEntriesWhoseOwnNameHoldsLowerCaseHtm) {
  for (const char* name :
       {"index.html", "page.htm", "index.HTM", "q0.gif", "gendex.txt", "stats.txt", "notes.htmx"})
    temp.Write(std::string("site/") + name, kOurPage);
  ASSERT_TRUE(Prepare());
  EXPECT_FALSE(temp.Exists("site/index.html"));
  EXPECT_FALSE(temp.Exists("site/page.htm"));
  EXPECT_FALSE(temp.Exists("site/notes.htmx"));
  EXPECT_TRUE(temp.Exists("site/index.HTM"));
  EXPECT_TRUE(temp.Exists("site/q0.gif"));
  EXPECT_TRUE(temp.Exists("site/gendex.txt"));
  EXPECT_TRUE(temp.Exists("site/stats.txt"));
  // Each deletion is reported with its entry name.
  std::vector<std::string> texts = ui.StatusTexts();
  ASSERT_EQ(texts.size(), 3u);
  for (const auto& text : texts)
    EXPECT_EQ(text.rfind("Initializing output directory...\n\ndeleting file ", 0), 0u) << text;
  for (const auto& update : ui.progress) EXPECT_EQ(update.position, 3);
}

TEST_F(OutputFolderTest, KeepsTheGedcomFileEvenWhenItsNameHoldsHtm) {
  state.gedcom_path = temp.Write("site/family.htm.ged", "0 HEAD\n");
  temp.Write("site/old.htm", kOurPage);
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(temp.Exists("site/family.htm.ged"));
  EXPECT_FALSE(temp.Exists("site/old.htm"));
}

TEST_F(OutputFolderTest, GedcomFileIsKnownByWhatItIsNotByItsName) {
  // Another file whose name differs from the GEDCOM path only in case is a page like any
  // other, deleted when it is ours.
  state.gedcom_path = temp.Write("site/FAMILY.HTM.GED", "0 HEAD\n");
  temp.Write("site/family.htm.ged", kOurPage);
  temp.Write("site/family.htm", kOurPage);
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(temp.Exists("site/FAMILY.HTM.GED"));
  EXPECT_FALSE(temp.Exists("site/family.htm.ged"));
  EXPECT_FALSE(temp.Exists("site/family.htm"));
  // A hard link to the GEDCOM file under a page's name is the GEDCOM file.
  std::filesystem::create_hard_link(state.gedcom_path, temp / "site/linked.htm");
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(temp.Exists("site/linked.htm"));
}

TEST_F(OutputFolderTest, GedcomFileTypedAnotherWayIsKept) {
  temp.Write("site/family.htm", "0 HEAD\n");
  temp.Write("site/old.htm", kOurPage);
  state.gedcom_path = temp / "site/../site/./family.htm";
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(temp.Exists("site/family.htm"));
  EXPECT_FALSE(temp.Exists("site/old.htm"));
}

TEST_F(OutputFolderTest, FolderWhosePathHoldsHtmKeepsItsOtherFiles) {
  state.output_folder = temp / "my.htm.site";
  temp.Write("my.htm.site/q0.gif");
  temp.Write("my.htm.site/gendex.txt");
  temp.Write("my.htm.site/f_0.htm", kOurPage);
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(temp.Exists("my.htm.site/q0.gif"));
  EXPECT_TRUE(temp.Exists("my.htm.site/gendex.txt"));
  EXPECT_FALSE(temp.Exists("my.htm.site/f_0.htm"));
}

TEST_F(OutputFolderTest, PagesThisProgramDidNotWriteAreKeptAndCountedOnce) {
  std::filesystem::create_directories(temp / "site/x.htm");
  temp.Write("site/x.htm/inner.txt");
  temp.Write("site/mine.html", "<html><head><title>Our trip</title></head></html>");
  temp.Write("site/empty.htm", "");
  // The tag far beyond the head does not make a page ours.
  temp.Write("site/quoted.htm", std::string(8192, ' ') + kOurPage);
  temp.Write("site/ours.htm", kOurPage);
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(temp.Exists("site/x.htm/inner.txt"));
  EXPECT_TRUE(temp.Exists("site/mine.html"));
  EXPECT_FALSE(temp.Exists("site/empty.htm"));  // left so by a run that ended at once
  EXPECT_TRUE(temp.Exists("site/quoted.htm"));
  EXPECT_FALSE(temp.Exists("site/ours.htm"));
  EXPECT_EQ(ui.notices, std::vector<std::string>{
                            "3 pages in the output folder were not written by this program and "
                            "are kept."});
  EXPECT_EQ(state.foreign_pages.size(), 3u);
  EXPECT_EQ(state.foreign_pages.count("mine.html"), 1u);
}

TEST_F(OutputFolderTest, MissingGedcomFileStopsWith2317AndFocusesItsField) {
  state.gedcom_path = temp / "absent.ged";
  ASSERT_FALSE(Prepare());
  EXPECT_EQ(OnlyMessage(), "Unable to open the file '" + state.gedcom_path +
                               "'.  KINLOOM\xA9  aborting." + ErrorText(ENOENT));
  EXPECT_EQ(ui.messages[0].caption, "");
  ASSERT_EQ(ui.focused.size(), 1u);
  EXPECT_EQ(ui.focused[0], platform::UiField::kGedcomPath);
  EXPECT_FALSE(temp.Exists("site"));
}

TEST_F(OutputFolderTest, GedcomCloseFailureStopsWith2322) {
  fs.Fail(Op::kCloseInput, EIO, "family.ged");
  ASSERT_FALSE(Prepare());
  EXPECT_EQ(OnlyMessage(), "Unable to close file " + state.gedcom_path +
                               ".  Aborting Conversion.  KINLOOM\xA9  aborting." + ErrorText(EIO));
}

TEST_F(OutputFolderTest, ParentThatCannotBeCreatedStopsWith2330) {
  state.output_folder = temp / "a/b/c";
  fs.Fail(Op::kCreateFolder, EACCES, "/a/b");
  ASSERT_FALSE(Prepare());
  EXPECT_EQ(OnlyMessage(), "Unable to create or find the directory '" + state.output_folder + "/'" +
                               ErrorText(EACCES));
  EXPECT_TRUE(temp.Exists("a"));
  EXPECT_FALSE(temp.Exists("a/b"));
}

TEST_F(OutputFolderTest, ParentThatIsAFileStopsWith2330) {
  temp.Write("plain");
  state.output_folder = temp / "plain/site";
  ASSERT_FALSE(Prepare());
  EXPECT_EQ(
      OnlyMessage().rfind(
          "Unable to create or find the directory '" + state.output_folder + "/'\n  Error = ", 0),
      0u);
}

TEST_F(OutputFolderTest, ListingFailureStopsWith2335) {
  temp.Write("site/old.htm", kOurPage);
  fs.Fail(Op::kList, EIO);
  ASSERT_FALSE(Prepare());
  const std::string folder = state.output_folder + "/";
  EXPECT_EQ(OnlyMessage(), "Error deleting the contents of directory " + folder +
                               ".  Everything in the directory " + folder +
                               " must be removed before the new files are created." +
                               ErrorText(EIO));
  EXPECT_TRUE(temp.Exists("site/old.htm"));
}

TEST_F(OutputFolderTest, DeletionFailureStopsWith2334AndKeepsEarlierDeletions) {
  temp.Write("site/a.htm", kOurPage);
  temp.Write("site/b.htm", kOurPage);
  fs.Fail(Op::kDelete, EACCES, "b.htm");
  ASSERT_FALSE(Prepare());
  EXPECT_EQ(OnlyMessage(), "Unable to delete the file 'b.htm'.  Everything in the directory " +
                               state.output_folder +
                               "/ must be removed before the new files are created." +
                               ErrorText(EACCES));
  EXPECT_TRUE(temp.Exists("site/b.htm"));
}

TEST_F(OutputFolderTest, FolderCreationFailureWhileClearingStopsWith2336) {
  // The first creation (the parent walk) finds nothing wrong; the clearing's own creation of
  // the final folder fails.
  std::filesystem::create_directories(temp / "site");
  int calls = 0;
  class SecondCreateFails : public FailingFileSystem {
   public:
    explicit SecondCreateFails(int* calls) : calls_(calls) {}
    int CreateFolder(const std::string& path) override {
      if (++*calls_ == 2) return ENOSPC;
      return FailingFileSystem::CreateFolder(path);
    }

   private:
    int* calls_;
  } failing(&calls);
  RunContext context{ui, failing, settings, state, store};
  ASSERT_FALSE(PrepareOutputFolder(context));
  EXPECT_EQ(OnlyMessage(),
            "Unable to create the directory '" + state.output_folder + "/'." + ErrorText(ENOSPC));
}

TEST_F(OutputFolderTest, ReadOnlyFolderMakesDeletionFailWithAccessDenied) {
  temp.Write("site/old.htm", kOurPage);
  std::filesystem::permissions(
      temp / "site", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  RunContext context{ui, fs, settings, state, store};
  const bool prepared = PrepareOutputFolder(context);
  std::filesystem::permissions(temp / "site", std::filesystem::perms::owner_all);
  if (prepared) GTEST_SKIP() << "running with rights that ignore folder permissions (root)";
  EXPECT_EQ(OnlyMessage(), "Unable to delete the file 'old.htm'.  Everything in the directory " +
                               state.output_folder +
                               "/ must be removed before the new files are created." +
                               ErrorText(EACCES));
}

TEST(MainPage, MainLanguageFollowsTheEnglishAndFrenchSwitchesAndTheInterfaceLanguage) {
  settings::Settings s;
  s.create_pages = {1, 1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(MainLanguage(s), 0);
  s.labels_in_french = 1;
  EXPECT_EQ(MainLanguage(s), 1);
  s.create_pages = {1, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(MainLanguage(s), 0);
  s.labels_in_french = 0;
  s.create_pages = {0, 1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(MainLanguage(s), 1);
  s.create_pages = {0, 0, 0, 1, 0, 1, 0, 0, 0};
  EXPECT_EQ(MainLanguage(s), 3);
  s.create_pages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(MainLanguage(s), -1);
}

TEST(MainPage, PathUsesTheLowerCasedBaseNameAndTheExtension) {
  platform::RecordingUi ui;
  settings::Settings s;
  RunState state;
  store::GenealogyStore store;
  RunContext context{ui, platform::RealFileSystem(), s, state, store};
  state.output_folder = "/srv/site/";
  s.create_pages = {0, 0, 0, 1, 0, 0, 0, 0, 0};
  s.index_name[3] = "HomeNL";
  EXPECT_EQ(MainPagePath(context), "/srv/site/homenl.htm");
  EXPECT_EQ(state.output_folder, "/srv/site");
  s.htm = 0;
  s.create_pages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(MainPagePath(context), "/srv/site/.html");
}

TEST_F(OutputFolderTest, MainPageExistsOnlyWhenTheFileOpens) {
  RunContext context{ui, fs, settings, state, store};
  EXPECT_FALSE(MainPageExists(context));
  temp.Write("site/index.htm");
  EXPECT_TRUE(MainPageExists(context));
  settings.htm = 0;
  EXPECT_FALSE(MainPageExists(context));
}

}  // namespace
}  // namespace kinloom::run
