#include "site/page_facts.h"

namespace kinloom::site {

// ---- dates and places a person shows ----


// ---- family groups: who is described in full ----


// ---- links, page-file names, items per page ----


}  // namespace kinloom::site
