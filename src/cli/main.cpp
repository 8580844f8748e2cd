// The kinloom command: converts a GEDCOM file into a web site from the command line.
#include "cli/command_line.h"

int main(int argc, char** argv) { return kinloom::cli::Main(argc, argv); }
