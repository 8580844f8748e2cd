// Whole conversions that reach the pedigree pages: a file in which a person is their own
// ancestor converts, ends, marks the loop as ancestors, and leaves no broken link.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"

namespace kinloom::site {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool HavePython() { return std::system("python3 -c 'pass' >/dev/null 2>&1") == 0; }

TEST(PedigreeConversionTest, OwnAncestorFileConvertsEndsAndLinksHold) {
  testing::TempFolder temp;
  // Rob's father Al is the son of Bo, whose father is Al again.
  const std::string gedcom =
      temp.Write("loop.ged",
                 "0 HEAD\n1 CHAR ANSI\n"
                 "0 @I1@ INDI\n1 NAME Rob /Root/\n1 BIRT\n2 DATE 1950\n1 FAMC @F1@\n"
                 "0 @I2@ INDI\n1 NAME Al /Loop/\n1 FAMS @F1@\n1 FAMS @F3@\n1 FAMC @F2@\n"
                 "0 @I3@ INDI\n1 NAME Bo /Loop/\n1 FAMS @F2@\n1 FAMC @F3@\n"
                 "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n"
                 "0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I2@\n"
                 "0 @F3@ FAM\n1 HUSB @I2@\n1 CHIL @I3@\n"
                 "0 TRLR\n");
  const std::string folder = temp / "site";
  platform::RecordingUi ui;
  settings::Settings settings;
  settings.owner.user_name = "Owner";
  settings.mark_all_ancestors = 1;
  settings.ancestor_id = "I1";
  settings.suppress_living = 1;
  settings.create_descendancy_groups = 0;
  for (int& notes : settings.create_notes_pages) notes = 0;
  run::ProgressDisplay display;
  run::ConversionRun conversion(ui, platform::RealFileSystem(), settings, display);
  ASSERT_EQ(conversion.Run(gedcom, folder, false), run::RunOutcome::kCompleted);

  const std::string main_page = ReadFile(folder + "/p_0.htm");
  const std::string extended = ReadFile(folder + "/k_0.htm");
  ASSERT_FALSE(main_page.empty());
  ASSERT_FALSE(extended.empty());
  EXPECT_TRUE(temp.Exists("site/q5.gif"));
  // Everyone on the loop is an ancestor of Rob; Rob, born after "Born", is living.
  EXPECT_NE(main_page.find("<img src=\"q5.gif\" border=0 >Loop, Al </a>"), std::string::npos);
  EXPECT_NE(main_page.find("<img src=\"q5.gif\" border=0 >Loop, Bo </a>"), std::string::npos);
  EXPECT_NE(main_page.find("Root, Rob </a>--Not Shown--"), std::string::npos) << main_page;
  EXPECT_NE(extended.find("k_0.htm#1"), std::string::npos);

  if (!HavePython()) GTEST_SKIP() << "python3 is not installed: links not checked";
  std::string command = std::string("python3 '") + KINLOOM_SOURCE_DIR + "/tools/check_links.py' '" +
                        folder + "' >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace kinloom::site
