// The layout of one output language's site, computed once before any page of the language
// is written: where every person appears on the descendancy and pedigree charts (kept apart
// by kind), the continuation pages, the notes-entry numbers and the notes presence table,
// and the surname counts. The page writers only read it; the store is not changed after
// the derived order is made.
#pragma once

#include "site/chart_layout.h"
#include "site/notes_layout.h"

namespace kinloom::site {

// ---- descendancy charts ----


// ---- pedigree charts ----


// ---- notes pages ----


// ---- surname lists and index pages ----

// What the index pages carry from one page kind to the next.
struct SurnameLayout {
  // The number of surnames the main index page shows: the surname groups of the family list
  // of surnames (every listed individual), without a last group whose surname is empty.
  int main_page_count = 0;
};


struct SiteLayout {
  // ---- descendancy charts ----
  DescendancyLayout descendancy;


  // ---- pedigree charts ----
  PedigreeLayout pedigree;


  // ---- notes pages ----
  NotesLayout notes;


  // ---- surname lists and index pages ----

  SurnameLayout surnames;


};

}  // namespace kinloom::site
