// The chart pages through a second page style that writes plain text: the units it receives
// carry the people, anchors, links, continuations, marks and withheld dates, so that a style
// draws the charts from the same layout without reading the store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site/classic_style.h"
#include "site/descendancy_pages.h"
#include "site/pedigree_pages.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

// Plain-text charts; the other page kinds stay classic.
class TextChartStyle : public ClassicStyle {
 public:
  void BeginDescendancyPage(PageWriter& out, const ChartPageUnit& page) override {
    out.AppendHtml(page.extended ? "[extended outline]\n" : "[outline]\n");
  }
  void EndDescendancyPage(PageWriter& out, const ChartPageUnit&) override {
    out.AppendHtml("[end]\n");
  }
  void BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) override {
    out.AppendHtml("tree #" + std::to_string(tree.place_anchor) + "\n");
  }
  void OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                        const WriteDates&) override {
    out.AppendHtml(std::string(static_cast<std::size_t>(person.depth) * 2, ' ') + Person(person) +
                   "\n");
  }
  void WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                          const WriteDates&) override {
    std::string line = std::string(static_cast<std::size_t>(family.spouse.depth) * 2, ' ') + "=";
    if (family.has_spouse) line += " " + Person(family.spouse);
    if (family.marriage == OutlineFamilyUnit::Marriage::kWithheld) line += " m. withheld";
    if (family.marriage == OutlineFamilyUnit::Marriage::kShown)
      line += " m. " + std::string(family.marriage_date);
    out.AppendHtml(line + "\n");
  }
  void WriteOutlineContinuation(PageWriter& out, const OutlineContinuationUnit& next) override {
    out.AppendHtml("-> " + next.target + "\n");
  }
  void CloseOutlineLevel(PageWriter&, const OutlinePersonUnit&) override {}

  void BeginPedigreePage(PageWriter& out, const ChartPageUnit& page) override {
    out.AppendHtml(page.extended ? "[extended charts]\n" : "[charts]\n");
  }
  void WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) override {
    out.AppendHtml("chart #" + std::to_string(chart.place_anchor) + "\n");
    for (int row = 0; row < kPedigreeRows; ++row) {
      const PedigreeCellUnit& cell = chart.rows[static_cast<std::size_t>(row)];
      if (!cell.filled) continue;
      std::string line = std::to_string(row) + ": " + std::string(cell.surname) + ", " +
                         std::string(cell.given_names) +
                         " #" + std::to_string(cell.anchor) + " " + cell.link;
      if (cell.ancestor) line += " *";
      if (cell.birth == PedigreeCellUnit::Birth::kWithheld) line += " b. withheld";
      if (cell.birth == PedigreeCellUnit::Birth::kShown) line += " b. " + cell.birth_date;
      if (!cell.death_date.empty()) line += " d. " + cell.death_date;
      if (!cell.continuation.empty()) line += " -> " + cell.continuation;
      out.AppendHtml(line + "\n");
    }
  }

 private:
  static std::string Person(const OutlinePersonUnit& person) {
    std::string text = std::string(person.surname) + ", " + std::string(person.given_names);
    if (person.anchor >= 0) text += " #" + std::to_string(person.anchor);
    if (!person.link.empty()) text += " " + person.link;
    if (person.show_gedcom_id) text += " {" + std::string(person.gedcom_id) + "}";
    return text;
  }
};

// The text between the head's rule and the produced-by block of a page, in lines ending
// in a line feed.
std::string Body(const SiteFixture& f, const std::string& name) {
  const std::string rule = "<hr size=4 width='80%'>";
  std::string page = f.run.fs.Read("/out/" + name);
  std::size_t from = page.find(rule);
  std::size_t to = page.rfind("<P>" + rule);
  if (from == std::string::npos || to == std::string::npos || to < from) return "<no page>";
  from += rule.size();
  std::string body;
  for (char c : page.substr(from, to - from))
    if (c != '\r') body += c;
  return body;
}

TEST(ChartStyleTest, PedigreeChartsReachTheStyleWithTheirCellsDecided) {
  SiteFixture f;
  settings::Settings& s = f.run.settings;
  s.create_pedigree_groups = 1;
  s.create_family_groups = 1;
  s.groups = 10;
  s.groups_pedigree = 5;
  s.suppress_living = 1;
  s.one_index_page_link = 1;
  const std::vector<std::string> line = {"A", "B", "C", "D", "E"};
  for (const std::string& id : line) f.run.AddPerson(id, id + " /Line/", 2);
  for (std::size_t g = 0; g + 1 < line.size(); ++g)
    f.run.AddFamily("F" + line[g], line[g + 1], "", {line[g]});
  f.run.Person("A").birth_seen = true;
  f.run.Person("A").birth_date = "1990";
  f.run.Person("A").deceased = false;  // living: the birth date is withheld
  f.run.Person("B").birth_seen = true;
  f.run.Person("B").birth_date = "1950";
  f.run.Person("C").burial_date = "1930";
  TextChartStyle style;
  SiteContext& site = f.Start();
  site.SetStyle(style);
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);

  EXPECT_EQ(Body(f, "p_0.htm"),
            "[charts]\nchart #-1\n"
            "0: Line, D  #0 f_0.htm#2 -> k_0.htm#0\n"
            "1: Line, C  #1 f_0.htm#1 d. 1930\n"
            "3: Line, B  #2 f_0.htm#0 b. 1950\n"
            "7: Line, A  #3 f_0.htm#0 b. withheld\n"
            "<hr size=4 width='80%'>");
  EXPECT_EQ(Body(f, "k_0.htm"),
            "[extended charts]\nchart #0\n"
            "3: Line, E  #4 f_0.htm#3\n"
            "7: Line, D  #-1 f_0.htm#2\n"
            "<hr size=4 width='80%'>");
}

TEST(ChartStyleTest, DescendancyOutlinesReachTheStyleLevelByLevel) {
  SiteFixture f;
  settings::Settings& s = f.run.settings;
  s.create_descendancy_groups = 1;
  s.create_family_groups = 1;
  s.groups = 10;
  s.groups_descendancy = 10;
  s.group_only_for_topmost = 0;
  s.show_gedcom_ids = 1;
  s.suppress_living = 1;
  s.one_index_page_link = 1;
  f.run.AddPerson("ADAM", "Adam /Ash/", 2);
  f.run.AddPerson("EVE", "Eve /Birch/", 1);
  f.run.AddPerson("CAIN", "Cain /Ash/", 2);
  f.run.AddFamily("F1", "ADAM", "EVE", {"CAIN"});
  f.run.Family("F1").marriage_seen = true;
  f.run.Family("F1").marriage_date = "1820";
  TextChartStyle style;
  SiteContext& site = f.Start();
  site.SetStyle(style);
  LayOutDescendancyCharts(site);
  WriteDescendancyPages(site);

  EXPECT_EQ(Body(f, "d_0.htm"),
            "[outline]\ntree #-1\n"
            "Ash, Adam  #0 f_0.htm#0 {ADAM}\n"
            "= Birch, Eve  #1 f_0.htm#0 {EVE} m. 1820\n"
            "  Ash, Cain  f_0.htm#0 {CAIN}\n"
            "<hr size=4 width='80%'>");
  f.run.Person("EVE").deceased = false;  // a living wife withholds the marriage date
  WriteDescendancyPages(site);
  EXPECT_NE(Body(f, "d_0.htm").find("= Birch, Eve  #1 f_0.htm#0 {EVE} m. withheld\n"),
            std::string::npos);
}

}  // namespace
}  // namespace kinloom::site
