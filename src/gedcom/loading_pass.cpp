#include "gedcom/loading_pass.h"

namespace kinloom::gedcom {

void LoadingPass(run::RunContext&, platform::InputFile&) {}

}  // namespace kinloom::gedcom
