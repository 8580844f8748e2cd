// The command line of the program: parses the arguments, runs the conversion with the
// console user interface and returns the process exit status (0 completed, 1 stopped on an
// error or a user's "No", 2 usage error).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace kinloom::cli {

int Main(int argc, char** argv);

// What the arguments ask for.
struct Invocation {
  enum class Kind { kConvert, kHelp, kVersion, kUsageError } kind = Kind::kUsageError;
  std::string gedcom_path;
  std::string output_folder;
};

// "GEDCOM,FOLDER" (split at the first comma, nothing trimmed), "GEDCOM FOLDER", "--help",
// "--version". Anything else is a usage error.
Invocation ParseArguments(const std::vector<std::string>& arguments);

// The options a conversion from the command line starts with: the defaults, with
// "Output File" set to `home`/MyHTMLFiles when `home` is not empty. The settings store will
// replace this.
settings::Settings StartupSettings(const std::string& home);

}  // namespace kinloom::cli
