// The second pass over the GEDCOM file: fills the store sized by the counting pass.
#pragma once

#include "platform/file_system.h"
#include "run/run_context.h"

namespace kinloom::gedcom {

// Reads every record from `file` (opened and closed by the caller) into context.store.
// Structural errors of the data are reported and end the program.
void LoadingPass(run::RunContext& context, platform::InputFile& file);

}  // namespace kinloom::gedcom
