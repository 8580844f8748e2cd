// The real GEDCOM files kept outside the project (shared/gedcom beside the checkout). Tests
// that use one skip when the folder is absent.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kinloom::testing {

// The path of shared GEDCOM file `name`, or "" when the folder is not there. The folder is
// KINLOOM_SHARED_GEDCOM when set, else shared/gedcom one or two levels above the sources.
inline std::string SharedGedcom(const std::string& name) {
  namespace fs = std::filesystem;
  std::vector<fs::path> folders;
  if (const char* dir = std::getenv("KINLOOM_SHARED_GEDCOM"); dir != nullptr && *dir != '\0')
    folders.emplace_back(dir);
  folders.push_back(fs::path(KINLOOM_SOURCE_DIR) / ".." / "shared" / "gedcom");
  folders.push_back(fs::path(KINLOOM_SOURCE_DIR) / ".." / ".." / "shared" / "gedcom");
  for (const fs::path& folder : folders) {
    std::error_code ignored;
    if (fs::is_regular_file(folder / name, ignored)) return (folder / name).string();
  }
  return "";
}

}  // namespace kinloom::testing
