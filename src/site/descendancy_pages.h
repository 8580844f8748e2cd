// The descendancy pages: the descendancy outlines and their extended pages. They fill the bookmarks
// that person links and the descendancy index pages read.
#pragma once

#include "site/site_driver.h"

namespace kinloom::site {

// Writes every descendancy page of the current language. Returns 1, or 0 after a failure that
// has been reported.
int WriteDescendancyPages(SiteContext& site);

}  // namespace kinloom::site
