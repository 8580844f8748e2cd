// What the conversion run calls once the store is loaded: the derived order (ancestor marks,
// living status, sort keys, family-group layout, sorting) and the site of one language.
#pragma once

#include "run/run_context.h"

namespace kinloom::site {

// The run's steps between the close of the GEDCOM file and page creation, with their
// progress reports.
void PrepareDerivedOrder(run::RunContext& context);

// Writes the complete page set of one output language. Returns 1 on success, 0 when a page
// writer failed (the user has been told).
int GenerateSite(run::RunContext& context, int language);

// Writes one of the fixed images into the output folder; 0 when it could not be written.
int ExtractRunImage(run::RunContext& context, int number);

}  // namespace kinloom::site
