// How a page looks. A style receives whole units of a page (the page frame with its
// notices, a family block, an outline level, a chart's grid, a surname group) and turns them
// into page text through the page writer, which is only the file sink: buffer, CR LF,
// encoding, counters. What a unit holds (which people, which dates, which links and
// anchors) is decided before it reaches the style, from the site's layout and the page
// facts; a style never reads the store.
//
// ClassicStyle (site/classic_style.h) writes the program's classic HTML pages.
#pragma once

#include "site/group_units.h"
#include "site/page_writer.h"

namespace kinloom::site {

class PageStyle {
 public:
  virtual ~PageStyle() = default;

  // ---- page frame: head, notices, rules, foot ----


  // ---- family group pages ----
  // One family group: its principal with vitals and parents, then each of its families.
  virtual void FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) = 0;
  // The birth and death data of a person described in full, alone or inline.
  virtual void Vitals(PageWriter& out, const VitalsUnit& vitals) = 0;


  // ---- notes pages ----
  // One entry of a notes page: its heading and its note items.
  virtual void NotesEntry(PageWriter& out, const NotesEntryUnit& entry) = 0;


  // ---- author page ----
  // The author page's text after its head, to its very end.
  virtual void AuthorPage(PageWriter& out, const AuthorPageUnit& page) = 0;


  // ---- descendancy pages ----


  // ---- pedigree pages ----


  // ---- surname lists, surname index pages, main index page ----


};

}  // namespace kinloom::site
