// The command line of the program: parses the arguments, runs the start-up load of the
// settings store, the "--set" assignments, the "--settings" listing and the conversion with
// the console user interface, and returns the process exit status (0 completed, 1 stopped on
// an error or a user's "No", 2 usage error).
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kinloom::cli {

int Main(int argc, char** argv);
// The same with the file system a conversion reads and writes through (tests hand in one
// that fails on request).
int Main(int argc, char** argv, platform::FileSystem& files);

// What the arguments ask for.
struct Invocation {
  enum class Kind {
    kConvert,   // a conversion, after the assignments (if any)
    kSettings,  // only assignments and/or the listing
    kHelp,
    kVersion,
    kUsageError
  } kind = Kind::kUsageError;
  std::string gedcom_path;
  std::string output_folder;
  // "NAME=VALUE" texts of every "--set", in order.
  std::vector<std::string> assignments;
  // "--settings": list every value of the application key (after the assignments).
  bool list_settings = false;
  // "--skip-broken-links": "Skip Broken Links" on for this conversion, without storing it.
  bool skip_broken_links = false;
  // "--style classic|modern": "Page Style" for this conversion, without storing it; -1 keeps
  // the stored one.
  int page_style = -1;
  // "--jobs N": the most output languages (or parts of one language's site) generated at once
  // for this conversion (1 … 64); 0 when not given (the number of cores).
  int jobs = 0;
};

// The paths: "GEDCOM,FOLDER" (split at the first comma, nothing trimmed) or "GEDCOM FOLDER".
// "--set" takes every following argument that contains "=" (at least one); "--settings"
// lists; both may be given without paths, and "--set" with paths too;
// "--skip-broken-links", "--style" and "--jobs N" (N a whole number 1 … 64) go with paths
// only. "--" ends the
// options. "--help" and "--version" stand alone. Anything else is a usage error.
Invocation ParseArguments(const std::vector<std::string>& arguments);

}  // namespace kinloom::cli
