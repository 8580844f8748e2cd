// The folder preparation deletes the search index files of an earlier run, by their names
// and their generator tag, and keeps every script of the user's own.
#include <gtest/gtest.h>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "run/output_folder.h"
#include "run/temp_folder.h"
#include "store/genealogy_store.h"

namespace kinloom::run {
namespace {

constexpr const char* kOurScript =
    "// Written by KINLOOM: search index\r\nKinloomSearch.add(0,[]);";

class OutputFolderSearchTest : public ::testing::Test {
 protected:
  OutputFolderSearchTest() {
    state.gedcom_path = temp.Write("family.ged", "0 HEAD\n0 TRLR\n");
    state.output_folder = temp / "site";
  }
  bool Prepare() {
    RunContext context{ui, fs, settings, state, store};
    return PrepareOutputFolder(context);
  }

  testing::TempFolder temp;
  platform::RecordingUi ui;
  platform::FailingFileSystem fs;
  settings::Settings settings;
  RunState state;
  store::GenealogyStore store;
};

TEST_F(OutputFolderSearchTest, DeletesOurSearchFilesOfEveryLanguage) {
  for (const char* name : {"kinloom-search-en.js", "kinloom-search-en-0.js",
                           "kinloom-search-pt-117.js", "kinloom-search-fr-3.js"})
    temp.Write(std::string("site/") + name, kOurScript);
  ASSERT_TRUE(Prepare());
  EXPECT_FALSE(temp.Exists("site/kinloom-search-en.js"));
  EXPECT_FALSE(temp.Exists("site/kinloom-search-en-0.js"));
  EXPECT_FALSE(temp.Exists("site/kinloom-search-pt-117.js"));
  EXPECT_FALSE(temp.Exists("site/kinloom-search-fr-3.js"));
  EXPECT_TRUE(state.foreign_pages.empty());
}

TEST_F(OutputFolderSearchTest, KeepsTheUsersOwnScripts) {
  // Named like ours but written by the user; ours in content but named otherwise; and
  // names that only start or end like ours.
  temp.Write("site/kinloom-search-mine.js", "function mine() {}");
  temp.Write("site/app.js", kOurScript);
  temp.Write("site/kinloom-search-en.json", kOurScript);
  temp.Write("site/kinloom-search-.js", kOurScript);
  temp.Write("site/my-kinloom-search-en.js", kOurScript);
  temp.Write("site/kinloom-search-en.js.bak", kOurScript);
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(temp.Exists("site/kinloom-search-mine.js"));
  EXPECT_TRUE(temp.Exists("site/app.js"));
  EXPECT_TRUE(temp.Exists("site/kinloom-search-en.json"));
  EXPECT_TRUE(temp.Exists("site/kinloom-search-.js"));
  EXPECT_TRUE(temp.Exists("site/my-kinloom-search-en.js"));
  EXPECT_TRUE(temp.Exists("site/kinloom-search-en.js.bak"));
  // The user's file under one of our names is kept and counted, so no run writes over it.
  EXPECT_EQ(state.foreign_pages.count("kinloom-search-mine.js"), 1u);
}

TEST_F(OutputFolderSearchTest, ScriptWithThePageTagIsNotOurs) {
  // Only the script tag marks a search file: a page's generator tag in a script does not.
  temp.Write("site/kinloom-search-en.js",
             "<meta name='GENERATOR' content='KINLOOM\xA9  Version 2.52'>");
  ASSERT_TRUE(Prepare());
  EXPECT_TRUE(temp.Exists("site/kinloom-search-en.js"));
}

}  // namespace
}  // namespace kinloom::run
