// The modern pages: HTML5 with landmarks, headings in order and lists for lists, laid out
// and coloured by one style sheet, kinloom.css, written beside the pages. They show exactly
// what the classic pages show (the same people, dates, privacy texts, links, anchors and
// labels) under the same file names, in UTF-8 whatever the input's encoding.
//
// The style is written in parts: the page frame, the author page and the index pages
// (modern_page_frame.cpp, modern_index_pages.cpp), the family groups and notes entries
// (modern_groups.cpp), the descendancy and pedigree charts (modern_charts.cpp), and the
// style sheet (modern_style_sheet.cpp), to which each part adds its own rules.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "settings/settings.h"
#include "site/page_style.h"

namespace kinloom::site {

class ModernStyle : public PageStyle {
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

 private:
  // What the index pages leave open between units; the page foot closes it. One style
  // writes one page at a time.
  bool people_open_ = false;          // the list of people of a surname index page
  bool surname_group_open_ = false;   // the section of one initial in a list of surnames
  std::unordered_set<std::string> page_ids_;  // the surname anchors set on the page
  void CloseIndexLists(PageWriter& out);
  // The descendancy outline being written: per open level, whether a list of children of
  // the level's person is open.
  std::vector<bool> outline_levels_;
};

// The file name of the style sheet, in the output folder beside the pages.
inline constexpr std::string_view kModernStyleSheetName = "kinloom.css";

// The whole style sheet for the options of a run: the user's colours as custom properties,
// then each part's rules, a dark scheme and a print sheet.
std::string ModernStyleSheet(const settings::Settings& settings);

// Each part's own rules, defined beside the code that writes its markup.
extern const std::string_view kModernFrameRules;   // page frame, author and index pages
extern const std::string_view kModernGroupRules;   // family groups and notes entries
extern const std::string_view kModernChartRules;   // descendancy and pedigree charts

// The HTML text of a value for an attribute or element content: the four special characters
// and the apostrophe as entities.
std::string ModernAttribute(std::string_view text);

// The red dot that marks a direct ancestor of the chosen individual: a text mark named for
// screen readers by the label of the ancestor notice.
void WriteModernRedDot(PageWriter& out);

}  // namespace kinloom::site
