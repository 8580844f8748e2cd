#include "site/site_generation.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "run/derived_order.h"
#include "site/site_driver.h"
#include "site/test_store.h"

namespace kinloom::site {
namespace {

using run::PrepareDerivedOrder;
using testing::TestRun;

void AddCouple(TestRun& run) {
  run.AddPerson("H", "Hal /Ward/");
  run.AddPerson("W", "Wilma /Ward/");
  run.AddPerson("K", "Kid /Ward/");
  run.AddFamily("F1", "H", "W", {"K"});
  run.settings.create_link_to_gedcom_file = 0;
  run.settings.create_notes_pages[0] = 0;
}

TEST(SiteGenerationTest, DerivedOrderSortsLaysOutAndReports) {
  TestRun run;
  AddCouple(run);
  run.settings.suppress_living = 0;
  PrepareDerivedOrder(run.context, [] {});
  EXPECT_EQ(run.store.sorted_count, 3);
  EXPECT_EQ(run.store.group_count, 1);
  EXPECT_EQ(run.state.character_set, run::CharacterSet::kAnsi);
  EXPECT_EQ(
      run.ui.StatusTexts(),
      (std::vector<std::string>{"Starting Sort sequence...", "Calculating Page Layouts...",
                                "Sorting Data....", "Finished Sort sequence.  Creating pages..."}));
  EXPECT_EQ(run.ui.progress.back().position, 32);
}

TEST(SiteGenerationTest, LargeFilesSayTheyTakeTime) {
  TestRun run;
  AddCouple(run);
  run.state.individual_count = 5000;
  PrepareDerivedOrder(run.context, [] {});
  auto texts = run.ui.StatusTexts();
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0], "Calculating living individuals ...");
  EXPECT_EQ(texts[1],
            "Starting Sort sequence...  This may take some time, you have a very "
            "large file.");
}

TEST(SiteGenerationTest, EveryKindOffStillWritesTheMainPage) {
  TestRun run;
  AddCouple(run);
  run.settings.create_family_groups = 0;
  run.settings.create_pedigree_groups = 0;
  run.settings.create_descendancy_groups = 0;
  PrepareDerivedOrder(run.context, [] {});
  run.ui.progress.clear();
  EXPECT_EQ(GenerateSite(run.context, 0), 1);
  ASSERT_TRUE(run.fs.files.count("/out/index.htm"));
  EXPECT_NE(run.fs.Read("/out/index.htm").find("1 Surnames<br>"), std::string::npos);
  EXPECT_EQ(run.ui.StatusTexts(),
            (std::vector<std::string>{"Creating Author page", "Finishing main page",
                                      "Finished main page"}));
}

TEST(SiteGenerationTest, TwoLanguagesWriteTheirPageSetsSideBySide) {
  TestRun run;
  AddCouple(run);
  run.settings.create_pages[1] = 1;
  run.state.languages_selected = 2;
  PrepareDerivedOrder(run.context, [] {});
  run.ui.progress.clear();
  EXPECT_EQ(GenerateSite(run.context, 0), 1);
  run.state.languages_done = 1;
  run.state.current_language = 1;
  EXPECT_EQ(GenerateSite(run.context, 1), 1);
  for (const char* name : {"/out/index.htm", "/out/indexf.htm", "/out/f_0.htm", "/out/ff_0.htm",
                           "/out/b_w.htm", "/out/fb_w.htm", "/out/c.htm", "/out/fc.htm"})
    EXPECT_TRUE(run.fs.files.count(name)) << name;
  auto texts = run.ui.StatusTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "(English)\nCreating index pages");
  EXPECT_EQ(texts.back(), "(French)\nFinished main page");
  EXPECT_EQ(run.ui.progress.back().position, 32 + 29 + 29);
}

// Remembers which language created each file.
class CreatorLog : public testing::MemoryFileSystem {
 public:
  explicit CreatorLog(const run::RunState& state) : state_(state) {}
  std::unique_ptr<platform::OutputFile> Create(const std::string& path, int* error) override {
    creators[path].insert(state_.current_language);
    return MemoryFileSystem::Create(path, error);
  }
  std::map<std::string, std::set<int>> creators;

 private:
  const run::RunState& state_;
};

TEST(SiteGenerationTest, NineLanguagesNeverWriteEachOthersFiles) {
  TestRun run;
  AddCouple(run);
  run.settings.create_pages = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  run.settings.create_notes_pages = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  run.settings.create_family_groups = 1;
  run.settings.create_descendancy_groups = 1;
  run.settings.create_pedigree_groups = 1;
  run.settings.text_file = 1;
  run.state.languages_selected = 9;
  CreatorLog fs(run.state);
  run::RunContext context{run.ui, fs, run.settings, run.state, run.store};
  PrepareDerivedOrder(context, [] {});
  for (int l = 0; l < settings::kLanguageCount; ++l) {
    run.state.current_language = l;
    ASSERT_EQ(GenerateSite(context, l), 1) << l;
    ++run.state.languages_done;
  }
  std::set<int> with_main_page, with_author_page;
  for (const auto& [path, languages] : fs.creators) {
    SCOPED_TRACE(path);
    // gendex.txt belongs to the run: each language writes it again, the last one stays.
    if (path == "/out/gendex.txt") {
      EXPECT_EQ(languages.size(), 9u);
      continue;
    }
    // The chart images are the same bytes in every language; each language's pages extract them.
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".gif") == 0) continue;
    ASSERT_EQ(languages.size(), 1u) << "written by more than one language";
    const int l = *languages.begin();
    const std::string name = path.substr(5);
    if (name == run.settings.index_name[l] + ".htm") {
      with_main_page.insert(l);
      continue;
    }
    if (name == PagePrefix(l, PageKind::kAuthor) + ".htm") with_author_page.insert(l);
    // Every other file starts with one of the language's own page-kind prefixes.
    bool own = false;
    for (int k = 0; k < kPageKindCount; ++k) {
      const std::string prefix = PagePrefix(l, static_cast<PageKind>(k));
      if (name.rfind(prefix, 0) == 0 && (name[prefix.size()] == '_' || name[prefix.size()] == '.'))
        own = true;
    }
    EXPECT_TRUE(own);
  }
  EXPECT_EQ(with_main_page.size(), 9u);
  EXPECT_EQ(with_author_page.size(), 9u);
}

TEST(SiteGenerationTest, FailedMainPageFailsTheLanguage) {
  TestRun run;
  AddCouple(run);
  run.settings.create_link_to_gedcom_file = 1;
  run.fs.copy_error = 13;
  PrepareDerivedOrder(run.context, [] {});
  EXPECT_EQ(GenerateSite(run.context, 0), 0);
  EXPECT_EQ(run.ui.StatusTexts().back(), "Finishing main page");
}

}  // namespace
}  // namespace kinloom::site
