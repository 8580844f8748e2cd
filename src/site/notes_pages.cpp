#include "site/notes_pages.h"

namespace kinloom::site {

// Not written yet: the site has no notes pages and assigns no notes-entry numbers.
int WriteNotesPages(SiteContext&) { return 1; }

int WriteNotesSurnameList(SiteContext& site) {
  site.notes_presence = {};
  return 0;
}

int WriteNotesSurnameIndexPages(SiteContext&) { return 1; }

}  // namespace kinloom::site
