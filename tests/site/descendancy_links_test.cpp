// A real GEDCOM file converted with "Group Only For Topmost" on and off: no link of the site
// that leads into the descendancy pages or their index pages may be broken.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/progress_display.h"
#include "run/temp_folder.h"

namespace kinloom::site {
namespace {

namespace fs = std::filesystem;

std::string SharedGedcom(const std::string& name) {
  for (const fs::path& folder : {fs::path(KINLOOM_SOURCE_DIR) / ".." / "shared" / "gedcom",
                                 fs::path(KINLOOM_SOURCE_DIR) / ".." / ".." / "shared" / "gedcom"})
    if (fs::exists(folder / name)) return (folder / name).string();
  return {};
}

// The broken links that the link checker reports into descendancy pages (d_, e_), their
// surname index pages (h_) and their list of surnames (i.htm).
std::string BrokenDescendancyLinks(const std::string& folder, int* pages) {
  std::string command = std::string("python3 '") + KINLOOM_SOURCE_DIR + "/tools/check_links.py' '" +
                        folder + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return "cannot run the link checker";
  std::string output;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, n);
  ::pclose(pipe);
  std::istringstream lines(output);
  std::string line, broken;
  while (std::getline(lines, line)) {
    if (line.find(" pages, ") != std::string::npos) *pages = std::atoi(line.c_str());
    for (const char* into : {"href=d_", "href=e_", "href=h_", "href=i.htm"})
      if (line.find(into) != std::string::npos) broken += line + "\n";
  }
  return broken;
}

class DescendancyLinksTest : public ::testing::TestWithParam<int> {};

TEST_P(DescendancyLinksTest, Royal92HasNoBrokenLinkIntoDescendancyPages) {
  std::string gedcom = SharedGedcom("royal92.ged");
  if (gedcom.empty()) GTEST_SKIP() << "the shared GEDCOM folder with royal92.ged is absent";
  if (std::system("python3 -c 'pass' >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3 is not installed";
  testing::TempFolder out;
  platform::RecordingUi ui;
  settings::Settings options;
  options.owner.user_name = "Tester";
  options.group_only_for_topmost = GetParam();
  run::ProgressDisplay display;
  run::ConversionRun conversion(ui, platform::RealFileSystem(), options, display);
  ASSERT_EQ(conversion.Run(gedcom, out.path(), true), run::RunOutcome::kCompleted);
  ASSERT_TRUE(fs::exists(out / "d_0.htm"));
  ASSERT_TRUE(fs::exists(out / "e_0.htm"));  // royal lineages run deeper than 13 generations
  int pages = 0;
  EXPECT_EQ(BrokenDescendancyLinks(out.path(), &pages), "");
  EXPECT_GT(pages, 100);
}

INSTANTIATE_TEST_SUITE_P(Topmost, DescendancyLinksTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace kinloom::site
