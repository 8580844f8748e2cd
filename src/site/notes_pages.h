// The notes pages: the selected GEDCOM tags of each individual and family with their labels,
// sources and repositories, with their list of surnames and surname index pages. The
// entry numbers that notes icons link to come from the language's layout.
#pragma once

#include "site/site_driver.h"

namespace kinloom::site {

// Writes every notes page of the current language.
void WriteNotesPages(SiteContext& site);

// The notes list of surnames, with the initials the layout found. Returns 0 when no
// individual has notes.
int WriteNotesSurnameList(SiteContext& site);

// The notes surname index pages.
void WriteNotesSurnameIndexPages(SiteContext& site);

}  // namespace kinloom::site
