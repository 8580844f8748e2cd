// The kinloom-gui program itself: the start modes chosen by the command line and the display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/recording_ui.h"
#include "platform/registry.h"
#include "run/temp_folder.h"
#include "settings/load_save.h"
#include "settings/registry_store.h"

namespace kinloom::testing {
namespace {

struct Result {
  int status;
  std::string output;
};

// Runs the program through the shell with a private configuration folder.
Result RunProgram(const TempFolder& home, const std::string& arguments,
                  const std::string& environment = "") {
  const std::string command = "HOME='" + home.path() + "' XDG_CONFIG_HOME='" + home.path() +
                              "/config' " + environment + " timeout 120 '" KINLOOM_GUI_BINARY
                              "' " + arguments + " </dev/null 2>&1";
  Result result{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

const std::string kSample = std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged";

TEST(ProgramTest, PathsOnTheCommandLineConvertInTheWindowAndExitZero) {
  TempFolder home;
  // A first start's settings with an owner named, so the run asks nothing.
  {
    platform::RecordingUi ui;
    platform::FileRegistry registry(home / "config/Brennick/registry.reg", {});
    settings::RegistryStore store(registry, ui, "kinloom");
    settings::Settings settings;
    settings::LoadSettings(store, settings, settings::LoadOptions{});
    ASSERT_EQ(store.WriteText("User Name", "Test Owner"), 0);
  }
  const std::string site = home / "site";
  const Result result = RunProgram(home, "'" + kSample + "," + site + "'");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_TRUE(std::filesystem::exists(site + "/index.htm"));
  // the window's run saved the options into the user's registry file
  EXPECT_TRUE(std::filesystem::exists(home / "config/Brennick/registry.reg"));
}

TEST(ProgramTest, BatchAndNoDisplayUseTheConsole) {
  TempFolder home;
  const Result missing = RunProgram(home, "--batch '" + (home / "missing.ged") + "," +
                                              (home / "site") + "'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("Unable to open the file '" + (home / "missing.ged")),
            std::string::npos)
      << missing.output;
  const Result headless = RunProgram(home, "'" + kSample + "," + (home / "site2") + "'",
                                     "DISPLAY= WAYLAND_DISPLAY=");
  EXPECT_EQ(headless.status, 0) << headless.output;
  EXPECT_TRUE(std::filesystem::exists(home / "site2/index.htm"));
}

}  // namespace
}  // namespace kinloom::testing
