#include "site/site_driver.h"

#include <gtest/gtest.h>

#include <set>

#include "site/test_store.h"

namespace kinloom::site {
namespace {

TEST(SiteDriverTest, PrefixesFollowTheLanguageLetterAndPageKind) {
  EXPECT_EQ(PagePrefix(0, PageKind::kFamilyGroup), "f");
  EXPECT_EQ(PagePrefix(0, PageKind::kNotesSurnameList), "s");
  EXPECT_EQ(PagePrefix(0, PageKind::kNotesSurnameIndex), "o");
  EXPECT_EQ(PagePrefix(2, PageKind::kDescendancy), "gd");
  EXPECT_EQ(PagePrefix(7, PageKind::kExtendedPedigree), "ik");
  EXPECT_EQ(PagePrefix(5, PageKind::kNotes), "an");
  const char* portuguese[] = {"tf", "tb", "tc", "td", "te", "th", "ti", "tp",
                              "tk", "tl", "tm", "tn", "ts", "to", "tr"};
  for (int k = 0; k < kPageKindCount; ++k)
    EXPECT_EQ(PagePrefix(8, static_cast<PageKind>(k)), portuguese[k]);
}

TEST(SiteDriverTest, AllPrefixesAndDefaultIndexNamesArePairwiseDistinct) {
  settings::Settings defaults;
  std::set<std::string> names;
  for (int l = 0; l < settings::kLanguageCount; ++l) {
    for (int k = 0; k < kPageKindCount; ++k) names.insert(PagePrefix(l, static_cast<PageKind>(k)));
    names.insert(defaults.index_name[l]);
  }
  EXPECT_EQ(names.size(), 135u + 9u);
  // File names are a prefix followed by "_" or ".", or an index name followed by ".", so
  // distinct names mean no language writes over another's files.
}

TEST(SiteDriverTest, LanguageValuesComeFromTheLanguagesOptions) {
  settings::Settings s;
  s.index_name[1] = "IndexF";
  s.family_page_text_a[1] = "Famille page";
  SiteLanguage french = MakeSiteLanguage(s, 1);
  EXPECT_EQ(french.index_name, "indexf");
  EXPECT_EQ(french.family_text_a, "Famille page");
  EXPECT_EQ(french.Prefix(PageKind::kAuthor), "fr");
  EXPECT_EQ(french.caption, "French Pages");
  EXPECT_EQ(MakeSiteLanguage(s, 8).caption, "Portugu\xEAs(BR) Pages");
}

TEST(SiteDriverTest, ScaledProgressFillsEachLanguagesShareOfTheBand) {
  testing::TestRun run;
  run.state.languages_selected = 1;
  run.state.debug_flags = settings::kDebugRunningTime;
  ShowProgress(run.context, 9, "x", true);
  ShowProgress(run.context, 150, "", false);
  ShowProgress(run.context, -5, "y", false);
  run.state.languages_selected = 3;
  run.state.languages_done = 1;
  run.state.current_language = 2;
  ShowProgress(run.context, 0, "Creating index pages", true);
  ShowProgress(run.context, 18, "", true);
  ASSERT_EQ(run.ui.progress.size(), 5u);
  EXPECT_EQ(run.ui.progress[0].position, 61);
  EXPECT_EQ(run.ui.progress[0].status_text, "x");
  // Page reports move the main window's title and the running time like every other step.
  EXPECT_EQ(run.ui.progress[0].parent_title.rfind("61% KINLOOM", 0), 0u)
      << run.ui.progress[0].parent_title;
  EXPECT_EQ(run.ui.progress[0].running_time.rfind("Running Time = ", 0), 0u);
  EXPECT_EQ(run.ui.progress[1].position, 100);
  EXPECT_EQ(run.ui.progress[2].position, 0);
  EXPECT_EQ(run.ui.progress[3].position, 51);
  EXPECT_EQ(run.ui.progress[3].status_text, "(German)\nCreating index pages");
  EXPECT_EQ(run.ui.progress[4].position, 70);
  EXPECT_EQ(run.ui.progress[4].status_text, "");
}

}  // namespace
}  // namespace kinloom::site
