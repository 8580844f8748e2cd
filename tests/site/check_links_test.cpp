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

bool HavePython() { return std::system("/usr/bin/python3 -c 'pass' >/dev/null 2>&1") == 0; }

int CheckLinks(const fs::path& folder) {
  std::string command = std::string("/usr/bin/python3 '") + KINLOOM_SOURCE_DIR +
                        "/tools/check_links.py' '" + folder.string() + "' >/dev/null 2>&1";
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

// The checker counts a link as a browser follows it: blanks around an href are stripped
// before the fragment is looked up, among ids as well as <a> names, and text or comments that
// only look like tags are not links.
TEST(CheckLinksTest, LinksAreResolvedTheWayABrowserResolvesThem) {
  if (!HavePython()) GTEST_SKIP() << "python3 is not installed";
  RealSite site;
  std::ofstream(site.folder / "target.htm")
      << "<a name=\"lee\"></a><p id=\"ray\">Ray</p><a name=\"galvin works \"></a>"
         "<a name=\"x y\"></a><b name=\"bold\">b</b>";
  // Lands: blanks around the href, an id, a blank inside the fragment written as %20.
  std::ofstream(site.folder / "good.htm")
      << "<a href=\" target.htm#lee \">1</a><a href=\"target.htm#ray\">2</a>"
         "<a href=\"target.htm#x%20y\">3</a>"
         "&lt;a href=&quot;nowhere.htm&quot;&gt; <!-- <a href=\"nowhere.htm\"> -->"
         "<a href=\"target.htm\" href=\"nowhere.htm\">4</a>";
  EXPECT_EQ(CheckLinks(site.folder), 0);
  // Lands on the top of the page instead: the blank of the name is not in the stripped href,
  // and a name on an element other than <a> is no anchor.
  for (const char* broken : {"<a href=\"target.htm#galvin works \">", "<a href=\"#lee\">",
                             "<a href=\"target.htm#bold\">"}) {
    SCOPED_TRACE(broken);
    std::ofstream(site.folder / "bad.htm") << broken;
    EXPECT_EQ(CheckLinks(site.folder), 1);
  }
}

}  // namespace
}  // namespace kinloom::site
