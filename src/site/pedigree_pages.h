// The pedigree pages: the four-generation pedigree charts and their extended pages. They fill the
// bookmarks that person links and the pedigree index pages read.
#pragma once

#include "site/site_driver.h"

namespace kinloom::site {

// Writes every pedigree page of the current language. Returns 1, or 0 after a failure that
// has been reported.
int WritePedigreePages(SiteContext& site);

}  // namespace kinloom::site
