// The page facts: pure functions, with no output, that decide what a page shows. The dates
// and places of a person on each page kind after the privacy, LDS and christening rules,
// a person's link target and link name, page-file names, items per page, and which family
// members a group describes in full. Each style shows the same facts.
#pragma once

namespace kinloom::site {

// ---- dates and places a person shows ----


// ---- family groups: who is described in full ----


// ---- links, page-file names, items per page ----


}  // namespace kinloom::site
