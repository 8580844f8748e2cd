#include "cli/command_line.h"

#include <cstdio>
#include <cstring>

namespace kinloom::cli {

int Main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("KINLOOM\u00a9 2.52");
    return 0;
  }
  std::fputs("usage: kinloom GEDCOM,FOLDER | kinloom GEDCOM FOLDER\n", stderr);
  return 2;
}

}  // namespace kinloom::cli
