// The first pass over the GEDCOM file: counts individuals, families and level-0 notes so
// that the store can be sized, records the declared character set and finds the
// "Ancestor Id" individual.
#pragma once

#include "run/run_context.h"

namespace kinloom::gedcom {

// Returns true when the run may go on; on false the user has been told (or chose to stop).
bool CountingPass(run::RunContext& context);

}  // namespace kinloom::gedcom
