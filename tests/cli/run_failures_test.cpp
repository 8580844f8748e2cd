// Failures in the middle of a conversion, through the command's own entry point with a file
// system that fails on request: each ends with the program's message and a failure status,
// never with an abort or a "Finished :)".
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ios>
#include <new>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/failing_file_system.h"
#include "run/temp_folder.h"

namespace kinloom::cli {
namespace {

using platform::FailingFileSystem;

// Sixty couples with a child each, in families of their own: well over a hundred pages with
// one group a page.
std::string ManyFamilies() {
  std::string text = "0 HEAD\n1 CHAR ANSI\n";
  for (int f = 0; f < 60; ++f) {
    const std::string n = std::to_string(f);
    const std::string surname(1, static_cast<char>('A' + f % 26));
    text += "0 @H" + n + "@ INDI\n1 NAME Tom /" + surname + "son/\n1 FAMS @F" + n + "@\n";
    text += "0 @W" + n + "@ INDI\n1 NAME Ann /Roe/\n1 FAMS @F" + n + "@\n";
    text += "0 @C" + n + "@ INDI\n1 NAME Kit /" + surname + "son/\n1 FAMC @F" + n + "@\n";
    text += "0 @F" + n + "@ FAM\n1 HUSB @H" + n + "@\n1 WIFE @W" + n + "@\n1 CHIL @C" + n + "@\n";
  }
  return text + "0 TRLR\n";
}

class RunFailuresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr) saved_config_ = config;
    had_config_ = config != nullptr;
    setenv("XDG_CONFIG_HOME", (temp / "config").c_str(), 1);
    input_ = temp.Write("k.ged", ManyFamilies());
  }
  void TearDown() override {
    if (had_config_)
      setenv("XDG_CONFIG_HOME", saved_config_.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }

  // Runs `kinloom --set ... k.ged site` through `files`; returns the status, and the
  // console's text in *err.
  int Convert(FailingFileSystem& files, std::string* err) {
    std::vector<std::string> arguments = {"kinloom",  "--set", "User Name=Test Owner",
                                          "Groups=1", input_,  temp / "site"};
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    ::testing::internal::CaptureStderr();
    const int status = Main(static_cast<int>(argv.size()), argv.data(), files);
    *err = ::testing::internal::GetCapturedStderr();
    return status;
  }

  testing::TempFolder temp;
  std::string input_;

 private:
  std::string saved_config_;
  bool had_config_ = false;
};

TEST_F(RunFailuresTest, DiskFullAtTheHundredthPageStopsWithThePageWritersMessage) {
  FailingFileSystem files;
  files.Fail(FailingFileSystem::Operation::kWrite, ENOSPC, ".htm", 99);
  std::string err;
  EXPECT_EQ(Convert(files, &err), 1) << err;
  EXPECT_GE(files.created.size(), 100u);
  EXPECT_NE(err.find("Unable to close the current ouput file.  You may have run out of disk "
                     "space in your hard drive."),
            std::string::npos)
      << err;
  EXPECT_EQ(err.find("Finished :)"), std::string::npos) << err;
}

TEST_F(RunFailuresTest, ExceptionsInTheLoadingPassAndInPageWritingAreShownAndFail) {
  struct Case {
    const char* what;
    int opens_spared;  // the folder check, then the counting pass, then the loading pass…
    bool memory;
    const char* shown;
  };
  const Case cases[] = {
      {"memory, loading pass", 2, true, "Exception: std::bad_alloc"},
      {"file, copying the GEDCOM file beside the pages", 3, false, "Exception: read failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FailingFileSystem files;
    if (c.memory)
      files.ThrowOnRead(std::bad_alloc(), "k.ged", c.opens_spared);
    else
      files.ThrowOnRead(std::ios_base::failure("read failed"), "k.ged", c.opens_spared);
    std::string err;
    EXPECT_EQ(Convert(files, &err), 1) << err;
    EXPECT_NE(err.find(c.shown), std::string::npos) << err;
    EXPECT_NE(err.find("closing down."), std::string::npos) << err;
    EXPECT_EQ(err.find("Finished :)"), std::string::npos) << err;
  }
}

}  // namespace
}  // namespace kinloom::cli
