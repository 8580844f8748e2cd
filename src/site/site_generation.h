// What the conversion run calls once the derived order is made (run/derived_order.h): the
// site of one language, and the fixed images and style sheet of the output folder.
#pragma once

#include "run/run_context.h"

namespace kinloom::site {

class PageStyle;

// Writes the complete page set of one output language in `style` (the classic pages when
// null). Returns 1 on success, 0 when a page writer failed (the user has been told). The
// layout is made first; then the parts of the site (family index pages, pedigree charts,
// notes pages, family group pages, descendancy outlines, and the author page, search files,
// gendex.txt and main page) are written in that order, or at once on up to the state's
// `jobs` threads with the same files, messages and reports (run/parallel_languages.h) when
// no style is handed in, the run does not measure its statistics and no part's file may be
// named like another part's.
int GenerateSite(run::RunContext& context, int language, PageStyle* style = nullptr);

// Writes one of the fixed images into the output folder; 0 when it could not be written.
int ExtractRunImage(run::RunContext& context, int number);

// Writes the modern pages' style sheet into the output folder. A file that cannot be written
// is reported and ends the program, as a page's would.
void WriteRunStyleSheet(run::RunContext& context);

}  // namespace kinloom::site
