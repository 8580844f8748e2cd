// The link checker of tools/ over pages that the page writer writes to a real folder: the
// head and foot of a page, the author page and the images link only to what exists, and a
// broken link or anchor is caught.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "site/author_page.h"
#include "site/images.h"
#include "site/page_writer.h"
#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

namespace fs = std::filesystem;

bool HavePython() { return std::system("python3 -c 'pass' >/dev/null 2>&1") == 0; }

int CheckLinks(const fs::path& folder) {
  std::string command = std::string("python3 '") + KINLOOM_SOURCE_DIR + "/tools/check_links.py' '" +
                        folder.string() + "' >/dev/null 2>&1";
  int status = std::system(command.c_str());
  return status == -1 ? -1 : WEXITSTATUS(status);
}

struct RealSite {
  fs::path folder;
  platform::RecordingUi ui;
  settings::Settings settings;
  run::RunState state;
  store::GenealogyStore store;
  run::RunContext context{ui, platform::RealFileSystem(), settings, state, store};
  SiteLanguage language = testing::EnglishLanguage();
  lang::LabelSet labels{0};
  PageWriter writer{context, labels, language};

  RealSite() {
    folder = fs::temp_directory_path() /
             ("kinloom_links_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    state.output_folder = folder.string();
    state.gedcom_path = "/in/family.ged";
  }
  ~RealSite() { fs::remove_all(folder); }
};

TEST(CheckLinksTest, PagesOfThePageWriterHaveNoBrokenLinks) {
  if (!HavePython()) GTEST_SKIP() << "python3 is not installed";
  RealSite site;
  site.settings.use_default_background = 1;
  site.state.mark_all_ancestors = true;
  store::IndividualRecord& root = site.store.individuals.emplace_back();
  root.given_names = "Ann";
  root.group = 12;
  site.state.ancestor_index = 0;
  for (int image : {kImageBackground, kImageLogo, kImageRedDot})
    ASSERT_EQ(ExtractImage(site.writer, image), 1);

  const std::string base = site.state.output_folder + "/";
  site.writer.OpenPage(base + "index.htm", "Main", true, true);
  site.writer.ClosePage();
  site.writer.OpenPage(base + "f_1.htm", "Families", true, true);
  site.writer.AppendHtml("<a name=\"2\"></a>Ann");
  site.writer.ClosePage();
  WriteAuthorPage(site.writer);
  EXPECT_EQ(CheckLinks(site.folder), 0);

  // A link to a missing anchor, one to a missing file and one out of the folder all fail.
  for (const char* broken :
       {"<a href=\"f_1.htm#3\">", "<img src=\"q4.gif\">", "<a href=\"../elsewhere.htm\">"}) {
    SCOPED_TRACE(broken);
    std::ofstream(site.folder / "bad.htm") << broken;
    EXPECT_EQ(CheckLinks(site.folder), 1);
  }
  fs::remove(site.folder / "bad.htm");
  EXPECT_EQ(CheckLinks(site.folder), 0);
}

}  // namespace
}  // namespace kinloom::site
