// Where the real GEDCOM files written by other programs are kept for tests (never copied into
// the repository): $KINLOOM_SHARED_GEDCOM, or shared/gedcom beside the source tree or one level
// further up (a worktree in a subfolder). Tests that need a file skip when it is absent.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kinloom::testing {

// The path of the shared file `name`, or the empty text when it cannot be found.
inline std::string SharedGedcomPath(const std::string& name) {
  std::vector<std::filesystem::path> folders;
  if (const char* env = std::getenv("KINLOOM_SHARED_GEDCOM")) folders.emplace_back(env);
  folders.emplace_back(std::filesystem::path(KINLOOM_SOURCE_DIR) / ".." / "shared" / "gedcom");
  folders.emplace_back(std::filesystem::path(KINLOOM_SOURCE_DIR) / ".." / ".." / "shared" /
                       "gedcom");
  for (const auto& folder : folders) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(folder / name, ignored)) return (folder / name).string();
  }
  return {};
}

}  // namespace kinloom::testing

// Declares `var` as the path of shared GEDCOM file `name`, or skips the test.
#define KINLOOM_SHARED_GEDCOM_OR_SKIP(var, name)                      \
  const std::string var = ::kinloom::testing::SharedGedcomPath(name); \
  if (var.empty())                                                    \
  GTEST_SKIP() << "shared GEDCOM file " << (name)                     \
               << " not found (../shared/gedcom or $KINLOOM_SHARED_GEDCOM); test skipped"
