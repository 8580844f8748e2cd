// gen-gedcom: writes a deterministic synthetic GEDCOM file for tests and benchmarks.
#include <cstdio>

int main() {
  std::fputs("gen-gedcom: not built yet\n", stderr);
  return 2;
}
