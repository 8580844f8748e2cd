// The command line of the program: parses the arguments, runs the conversion with the
// console user interface and returns the process exit status (0 completed, 1 stopped on an
// error or a user's "No", 2 usage error).
#pragma once

namespace kinloom::cli {

int Main(int argc, char** argv);

}  // namespace kinloom::cli
