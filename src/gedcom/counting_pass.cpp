#include "gedcom/counting_pass.h"

namespace kinloom::gedcom {

bool CountingPass(run::RunContext&) { return true; }

}  // namespace kinloom::gedcom
