// The classic pages: HTML 3.2-era markup with font tags, centred tables and GIF chart
// pieces, exactly as the program has always written them.
#pragma once

#include "site/page_style.h"

namespace kinloom::site {

class ClassicStyle : public PageStyle {
 public:
  // ---- page frame: head, notices, rules, foot ----

  void WritePageHead(PageWriter& out, const PageHead& head) override;
  void WriteRule(PageWriter& out) override;
  void WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) override;
  void WriteMainPageLink(PageWriter& out, const MainPageLink& link) override;
  void WritePageFoot(PageWriter& out, const PageFoot& foot) override;


  // ---- family group pages ----
  void FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) override;
  void Vitals(PageWriter& out, const VitalsUnit& vitals) override;


  // ---- notes pages ----
  void NotesPageStart(PageWriter& out) override;
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

  void WritePersonLink(PageWriter& out, const PersonLink& link) override;
  void WritePersonEntry(PageWriter& out, const PersonEntry& entry) override;
  void WriteLetterBar(PageWriter& out, const LetterBar& bar) override;
  void WriteSurnameListStart(PageWriter& out, const SurnameList& list) override;
  void WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) override;
  void WriteSurnameListEnd(PageWriter& out, const SurnameList& list) override;
  void WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) override;
  void WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) override;


};

}  // namespace kinloom::site
