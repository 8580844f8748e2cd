// Runs the built kinloom command in a test's own folder, with its settings store there too
// and standard input from /dev/null, and collects its output streams and exit status.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "run/temp_folder.h"

namespace kinloom::testing {

struct ProgramResult {
  int status = -1;
  std::string out, err;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

inline ProgramResult RunKinloom(const TempFolder& temp, const std::string& arguments) {
  const std::string out = temp / "stdout.txt", err = temp / "stderr.txt", rc = temp / "status.txt";
  const std::string command = "XDG_CONFIG_HOME='" + temp / "config" + "' HOME='" + temp.path() +
                              "' '" + KINLOOM_BINARY + "' " + arguments + " </dev/null >'" + out +
                              "' 2>'" + err + "'; echo $? >'" + rc + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  ProgramResult result;
  result.out = ReadWholeFile(out);
  result.err = ReadWholeFile(err);
  std::istringstream(ReadWholeFile(rc)) >> result.status;
  return result;
}

}  // namespace kinloom::testing
