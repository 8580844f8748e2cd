// How a page looks. A style receives whole units of a page (the page frame with its
// notices, a family block, an outline level, a chart's grid, a surname group) and turns them
// into page text through the page writer, which is only the file sink: buffer, CR LF,
// encoding, counters. What a unit holds (which people, which dates, which links and
// anchors) is decided before it reaches the style, from the site's layout and the page
// facts; a style never reads the store.
//
// ClassicStyle (site/classic_style.h) writes the program's classic HTML pages.
#pragma once

#include "site/chart_units.h"
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
  // A descendancy page after its head, and before its foot when another page follows.
  virtual void BeginDescendancyPage(PageWriter& out, const ChartPageUnit& page) = 0;
  virtual void EndDescendancyPage(PageWriter& out, const ChartPageUnit& page) = 0;
  // The start of one tree, before its root's level.
  virtual void BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) = 0;
  // Opens the level of a person: the person, then its dates through `dates`. The person's
  // families, each with its children's levels or its continuation, follow before the level
  // is closed.
  virtual void OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                                const WriteDates& dates) = 0;
  // One family of the level's person: the spouse (its dates through `spouse_dates`) and the
  // marriage.
  virtual void WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                                  const WriteDates& spouse_dates) = 0;
  virtual void WriteOutlineContinuation(PageWriter& out,
                                        const OutlineContinuationUnit& continuation) = 0;
  virtual void CloseOutlineLevel(PageWriter& out, const OutlinePersonUnit& person) = 0;


  // ---- pedigree pages ----
  // A pedigree page after its head.
  virtual void BeginPedigreePage(PageWriter& out, const ChartPageUnit& page) = 0;
  // One whole four-generation chart: its people, lines, continuation arrows and marks.
  virtual void WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) = 0;


  // ---- surname lists, surname index pages, main index page ----


};

}  // namespace kinloom::site
