// The classic pages: HTML 3.2-era markup with font tags, centred tables and GIF chart
// pieces, exactly as the program has always written them.
#pragma once

#include "site/page_style.h"

namespace kinloom::site {

class ClassicStyle : public PageStyle {
 public:
  // ---- page frame: head, notices, rules, foot ----


  // ---- family group pages ----
  void FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) override;
  void Vitals(PageWriter& out, const VitalsUnit& vitals) override;


  // ---- notes pages ----
  void NotesEntry(PageWriter& out, const NotesEntryUnit& entry) override;


  // ---- author page ----
  void AuthorPage(PageWriter& out, const AuthorPageUnit& page) override;


  // ---- descendancy pages ----
  void BeginDescendancyPage(PageWriter& out, const ChartPageUnit& page) override;
  void EndDescendancyPage(PageWriter& out, const ChartPageUnit& page) override;
  void BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) override;
  void OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                        const WriteDates& dates) override;
  void WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                          const WriteDates& spouse_dates) override;
  void WriteOutlineContinuation(PageWriter& out,
                                const OutlineContinuationUnit& continuation) override;
  void CloseOutlineLevel(PageWriter& out, const OutlinePersonUnit& person) override;


  // ---- pedigree pages ----
  void BeginPedigreePage(PageWriter& out, const ChartPageUnit& page) override;
  void WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) override;


  // ---- surname lists, surname index pages, main index page ----


};

}  // namespace kinloom::site
