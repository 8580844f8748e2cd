#include "platform/registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kinloom::platform {
namespace {

class FileRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("kinloom_reg_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    path_ = (dir_ / "Brennick" / "registry.reg").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string ReadFile(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path dir_;
  std::string path_;
  std::vector<RegistryFileFault> faults_;
  RegistryFaultReporter Reporter() {
    return [this](const RegistryFileFault& f) { faults_.push_back(f); };
  }
};

TEST_F(FileRegistryTest, WritesRegedit4WithCrLfAndReadsBackEveryType) {
  FileRegistry reg(path_, Reporter());
  const std::string odd = "C:\\My \"Files\"\r\nline\x01\xe9";
  ASSERT_EQ(reg.SetValue("kinloom", "Output File", {kRegSz, "C:\\MyHTMLFiles"}), 0);
  ASSERT_EQ(reg.SetValue("kinloom", "HTM", {kRegBinary, "12"}), 0);
  ASSERT_EQ(reg.SetValue("kinloom", "Groups", {kRegDword, std::string("\x0c\0\0\0", 4)}), 0);
  ASSERT_EQ(reg.SetValue("kinloom", "Odd", {kRegSz, odd}), 0);
  ASSERT_EQ(reg.SetValue("Links", "Custom Link Text Number 0", {kRegSz, "x"}), 0);
  std::string text = ReadFile(path_);
  EXPECT_EQ(text.rfind("REGEDIT4\r\n", 0), 0u);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brennick\\kinloom]\r\n"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brennick\\Links]\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Output File\"=\"C:\\\\MyHTMLFiles\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"HTM\"=hex:31,32\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Groups\"=dword:0000000c\r\n"), std::string::npos);

  FileRegistry again(path_, Reporter());
  RegValue v;
  ASSERT_EQ(again.QueryValue("kinloom", "odd", &v), 0);  // names ignore case
  EXPECT_EQ(v, (RegValue{kRegSz, odd}));
  ASSERT_EQ(again.QueryValue("kinloom", "Groups", &v), 0);
  EXPECT_EQ(v.type, kRegDword);
  EXPECT_EQ(v.data, std::string("\x0c\0\0\0", 4));
  EXPECT_EQ(again.QueryValue("kinloom", "Missing", &v), kErrorNotFound);
  EXPECT_EQ(again.DeleteValue("kinloom", "HTM"), 0);
  EXPECT_EQ(again.DeleteValue("kinloom", "HTM"), kErrorNotFound);
  EXPECT_TRUE(faults_.empty());
}

TEST_F(FileRegistryTest, AcceptsHandEditedFileWithLfCommentsAndContinuations) {
  std::filesystem::create_directories(dir_ / "Brennick");
  std::ofstream(path_) << "REGEDIT4\n; mine\n\n[HKEY_CURRENT_USER\\Software\\Brennick\\kinloom]\n"
                          "\"Born\"=dword:780\n\"HTM\"=hex:31,\\\n  30\n";
  FileRegistry reg(path_, Reporter());
  RegValue v;
  ASSERT_EQ(reg.QueryValue("kinloom", "HTM", &v), 0);
  EXPECT_EQ(v.data, "10");
  ASSERT_EQ(reg.QueryValue("kinloom", "Born", &v), 0);
  EXPECT_EQ(v.data, std::string("\x80\x07\0\0", 4));
  EXPECT_TRUE(faults_.empty());
}

// A name given twice in one key keeps its first spelling and its last value, in both a small
// hand-edited file and one of 200,000 values, which is read in time linear in its size (the
// bound is a hundred times what it takes: a comparison of every name with every other one
// takes hours).
TEST(RegistryFileFormatTest, RepeatedNamesKeepTheirLastValueAndAFileOfManyValuesReadsAtOnce) {
  std::vector<RegistryFileKey> keys;
  int line = 0;
  std::string what;
  ASSERT_TRUE(ParseRegistryFile("REGEDIT4\r\n[K]\r\n\"Born\"=\"1\"\r\n\"Died\"=\"2\"\r\n"
                                "\"BORN\"=\"3\"\r\n[L]\r\n\"born\"=\"4\"\r\n",
                                &keys, &line, &what))
      << what;
  ASSERT_EQ(keys.size(), 2u);
  ASSERT_EQ(keys[0].values.size(), 2u);
  EXPECT_EQ(keys[0].values[0].first, "Born");
  EXPECT_EQ(keys[0].values[0].second.data, "3");
  EXPECT_EQ(keys[0].values[1].first, "Died");
  ASSERT_EQ(keys[1].values.size(), 1u);
  EXPECT_EQ(keys[1].values[0].second.data, "4");

  constexpr int kValues = 200000;
  std::string text = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Brennick\\kinloom]\r\n";
  for (int n = 0; n < kValues; ++n) text += "\"Value " + std::to_string(n) + "\"=dword:00000001\r\n";
  text += "\"VALUE 7\"=dword:00000002\r\n";
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(ParseRegistryFile(text, &keys, &line, &what)) << what;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(keys.size(), 1u);
  ASSERT_EQ(keys[0].values.size(), static_cast<std::size_t>(kValues));
  EXPECT_EQ(keys[0].values[7].first, "Value 7");
  EXPECT_EQ(keys[0].values[7].second.data, std::string("\x02\0\0\0", 4));
  EXPECT_LT(seconds, 30.0);
}

TEST_F(FileRegistryTest, CorruptFileIsReportedOnceKeptAsideAndNotOverwritten) {
  std::filesystem::create_directories(dir_ / "Brennick");
  const std::string bad =
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Brennick\\kinloom]\r\n"
      "\"HTM\"=hex:3\r\n";
  std::ofstream(path_, std::ios::binary) << bad;
  FileRegistry reg(path_, Reporter());
  RegValue v;
  EXPECT_EQ(reg.QueryValue("kinloom", "HTM", &v), kErrorNotFound);
  EXPECT_EQ(reg.QueryValue("kinloom", "HTM", &v), kErrorNotFound);
  ASSERT_EQ(faults_.size(), 1u);
  EXPECT_EQ(faults_[0].path, path_);
  EXPECT_EQ(faults_[0].line, 3);
  EXPECT_EQ(faults_[0].backup_path, path_ + ".bad");
  EXPECT_EQ(ReadFile(path_ + ".bad"), bad);
  ASSERT_EQ(reg.SetValue("kinloom", "HTM", {kRegBinary, "1"}), 0);
  EXPECT_EQ(ReadFile(path_ + ".bad"), bad);
  EXPECT_EQ(faults_.size(), 1u);
}

TEST_F(FileRegistryTest, TwoProcessesSavingAtOnceKeepEveryValue) {
  FileRegistry reg(path_, Reporter());
  ASSERT_EQ(reg.SetValue("kinloom", "start", {kRegSz, "x"}), 0);
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = ::fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      FileRegistry mine(path_, nullptr);
      int failures = 0;
      for (int i = 0; i < 40; ++i)
        failures += mine.SetValue("kinloom", "v" + std::to_string(c) + "_" + std::to_string(i),
                                  {kRegSz, "y"}) != 0;
      ::_exit(failures);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::vector<std::pair<std::string, RegValue>> values;
  ASSERT_EQ(reg.ListValues("kinloom", &values), 0);
  EXPECT_EQ(values.size(), 81u);
}

// Storing what the file already holds leaves the file alone (the same file, not a rewritten
// copy); a value that differs, in a single write or in a batch, replaces the file.
TEST_F(FileRegistryTest, StoringTheSameValuesAgainDoesNotRewriteTheFile) {
  FileRegistry reg(path_, Reporter());
  ASSERT_EQ(reg.SetValue("kinloom", "Version Number", {kRegSz, "2.52"}), 0);
  ASSERT_EQ(reg.SetValue("kinloom", "Output File", {kRegSz, "/out"}), 0);
  auto inode = [this] {
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0 ? st.st_ino : ino_t{0};
  };
  const ino_t first = inode();
  ASSERT_NE(first, ino_t{0});
  ASSERT_EQ(reg.SetValue("kinloom", "version number", {kRegSz, "2.52"}), 0);
  FileRegistry other(path_, Reporter());
  other.BeginBatch();
  ASSERT_EQ(other.SetValue("kinloom", "Output File", {kRegSz, "/out"}), 0);
  ASSERT_EQ(other.SetValue("kinloom", "Version Number", {kRegSz, "2.52"}), 0);
  ASSERT_EQ(other.EndBatch(), 0);
  EXPECT_EQ(inode(), first);

  ASSERT_EQ(reg.SetValue("kinloom", "Output File", {kRegSz, "/elsewhere"}), 0);
  EXPECT_NE(inode(), first);
  RegValue v;
  ASSERT_EQ(other.QueryValue("kinloom", "Output File", &v), 0);
  EXPECT_EQ(v.data, "/elsewhere");
  EXPECT_TRUE(faults_.empty());
}

// A batch is one rewrite: nothing reaches the file before EndBatch, reads see the batch's
// values meanwhile, and a value another process stored during the batch survives it.
TEST_F(FileRegistryTest, ABatchIsStoredAtOnceWithoutLosingAnotherWritersValue) {
  FileRegistry reg(path_, Reporter());
  ASSERT_EQ(reg.SetValue("kinloom", "Old", {kRegSz, "kept"}), 0);
  ASSERT_EQ(reg.SetValue("kinloom", "Gone", {kRegSz, "x"}), 0);
  const std::string before = ReadFile(path_);
  reg.BeginBatch();
  ASSERT_EQ(reg.SetValue("kinloom", "Input File", {kRegSz, "a.ged"}), 0);
  reg.BeginBatch();  // nested: only the outer end writes
  ASSERT_EQ(reg.SetValue("kinloom", "HTM", {kRegBinary, "1"}), 0);
  ASSERT_EQ(reg.DeleteValue("kinloom", "Gone"), 0);
  EXPECT_EQ(reg.EndBatch(), 0);
  EXPECT_EQ(ReadFile(path_), before);
  RegValue v;
  ASSERT_EQ(reg.QueryValue("kinloom", "Input File", &v), 0);
  EXPECT_EQ(v.data, "a.ged");
  EXPECT_EQ(reg.QueryValue("kinloom", "Gone", &v), kErrorNotFound);

  FileRegistry other(path_, Reporter());
  ASSERT_EQ(other.SetValue("kinloom", "Other", {kRegSz, "theirs"}), 0);
  EXPECT_EQ(reg.EndBatch(), 0);
  EXPECT_EQ(reg.EndBatch(), 0);  // unmatched: nothing to do

  FileRegistry fresh(path_, Reporter());
  for (const char* name : {"Old", "Input File", "HTM", "Other"})
    EXPECT_EQ(fresh.QueryValue("kinloom", name, &v), 0) << name;
  EXPECT_EQ(fresh.QueryValue("kinloom", "Gone", &v), kErrorNotFound);
  EXPECT_TRUE(faults_.empty());
}

// When the batch's one write fails, its error is returned and none of its values stays, on
// disk or in memory.
TEST_F(FileRegistryTest, AFailedBatchKeepsNoneOfItsValues) {
  std::filesystem::create_directories(dir_);
  std::ofstream(dir_ / "Brennick") << "a file where the folder should be";
  FileRegistry reg(path_, Reporter());
  reg.BeginBatch();
  ASSERT_EQ(reg.SetValue("kinloom", "Input File", {kRegSz, "a.ged"}), 0);
  EXPECT_EQ(reg.EndBatch(), ENOTDIR);
  RegValue v;
  EXPECT_NE(reg.QueryValue("kinloom", "Input File", &v), 0);
}

TEST(MemoryRegistryTest, FailsWritesOnRequest) {
  MemoryRegistry reg;
  reg.FailWritesAfter(1, 30);
  EXPECT_EQ(reg.SetValue("k", "a", {kRegSz, "1"}), 0);
  EXPECT_EQ(reg.SetValue("k", "b", {kRegSz, "1"}), 30);
  RegValue v;
  EXPECT_EQ(reg.QueryValue("k", "b", &v), kErrorNotFound);
}

}  // namespace
}  // namespace kinloom::platform
