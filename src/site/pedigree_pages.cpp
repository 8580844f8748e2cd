#include "site/pedigree_pages.h"

namespace kinloom::site {

// Not written yet: the site has no pedigree pages, and no individual has a pedigree bookmark.
int WritePedigreePages(SiteContext&) { return 1; }

}  // namespace kinloom::site
