#include "site/descendancy_pages.h"

namespace kinloom::site {

// Not written yet: the site has no descendancy pages, and no individual has a descendancy bookmark.
int WriteDescendancyPages(SiteContext&) { return 1; }

}  // namespace kinloom::site
