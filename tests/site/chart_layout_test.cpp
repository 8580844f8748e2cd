// The chart layout over small hand-built stores, laid out without writing a page: bookmarks
// kept apart by chart kind, the continuation tables of the extended pages, the roots of the
// descendancy trees and the cells and anchors of the pedigree charts.
#include "site/chart_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site/descendancy_pages.h"
#include "site/pedigree_pages.h"
#include "site/person_links.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

struct ChartLayoutFixture : SiteFixture {
  ChartLayoutFixture() {
    run.settings.create_family_groups = 1;
    run.settings.create_pedigree_groups = 1;
    run.settings.create_descendancy_groups = 1;
    run.settings.groups_pedigree = 2;
    run.settings.groups_descendancy = 3;
    run.settings.group_only_for_topmost = 0;
  }
  // A straight male line: ids[0] is the child of ids[1], who is the child of ids[2] …
  void AddLine(const std::vector<std::string>& ids) {
    for (const std::string& id : ids) run.AddPerson(id, id + " /Line/", 2);
    for (std::size_t g = 0; g + 1 < ids.size(); ++g)
      run.AddFamily("F" + ids[g], ids[g + 1], "", {ids[g]});
  }
  std::int32_t At(const std::string& id) { return run.Person(id).index; }
  const DescendancyLayout& Descendancy() const { return site->layout().descendancy; }
  const PedigreeLayout& Pedigree() const { return site->layout().pedigree; }
};

void ExpectMark(const Bookmark* mark, bool extended, int page, int anchor, int first, int second) {
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->extended, extended);
  EXPECT_EQ(mark->page, page);
  EXPECT_EQ(mark->anchor, anchor);
  EXPECT_EQ(mark->first_person, first);
  EXPECT_EQ(mark->second_person, second);
}

TEST(ChartBookmarksTest, KeepsTheFirst55AppearancesAndCountsTheRefusals) {
  ChartBookmarks marks;
  marks.Reset(3);
  store::ExpandingArrayStatistics statistics;
  const store::ArrayOwner owner{'I', 1, "Ann"};
  for (int k = 0; k < 56; ++k)
    EXPECT_EQ(marks.Add(1, {false, k, k, -1, -1}, &statistics, owner), k < 55) << k;
  EXPECT_EQ(marks.Of(1).size(), 55u);
  EXPECT_EQ(marks.At(1, 54)->page, 54);
  EXPECT_EQ(marks.At(1, 55), nullptr);
  EXPECT_EQ(statistics.entries, 55u);
  EXPECT_EQ(statistics.full, 1u);
  EXPECT_EQ(statistics.max_name, "Ann");

  // An empty bookmark (page -1) is no appearance; positions outside the table have none.
  marks.Add(2, {});
  EXPECT_FALSE(marks.OnChart(2));
  EXPECT_FALSE(marks.OnChart(0));
  EXPECT_FALSE(marks.OnChart(-1));
  EXPECT_TRUE(marks.Of(7).empty());
  EXPECT_TRUE(marks.OnChart(1));
  // The statistics count them by tier: 55 entries fill all 55 slots, one entry (even an
  // empty one) its tier of 2; 17 bytes a slot.
  EXPECT_EQ(marks.TierBytes(), (55u + 2u) * 17u);
  marks.Reset(3);
  EXPECT_FALSE(marks.OnChart(1));
  EXPECT_EQ(marks.TierBytes(), 0u);
  for (int k = 0; k < 3; ++k) marks.Add(0, {false, 0, k, -1, -1});
  EXPECT_EQ(marks.TierBytes(), 7u * 17u);
}

// Appearances come in any order of individuals, and reading may come between adding: each
// individual's bookmarks read back in the order they were added.
TEST(ChartBookmarksTest, ReadBackPerIndividualInTheOrderAdded) {
  ChartBookmarks marks;
  marks.Reset(4);
  const int order[] = {2, 0, 2, 3, 0, 2};
  for (int k = 0; k < 6; ++k) marks.Add(order[k], {false, k, 10 + k, -1, -1});
  EXPECT_TRUE(marks.OnChart(3));
  ASSERT_EQ(marks.Of(2).size(), 3u);
  EXPECT_EQ(marks.At(2, 0)->page, 0);
  EXPECT_EQ(marks.At(2, 1)->page, 2);
  EXPECT_EQ(marks.At(2, 2)->anchor, 15);
  EXPECT_TRUE(marks.Of(1).empty());
  // After a read: the new ones follow the old, also for an individual beyond the table.
  marks.Add(0, {true, 6, 16, 1, 2});
  marks.Add(1, {false, 7, 17, -1, -1});
  marks.Add(5, {false, 8, 18, -1, -1});
  ASSERT_EQ(marks.Of(0).size(), 3u);
  EXPECT_EQ(marks.At(0, 0)->page, 1);
  EXPECT_EQ(marks.At(0, 1)->page, 4);
  ExpectMark(marks.At(0, 2), true, 6, 16, 1, 2);
  EXPECT_EQ(marks.At(1, 0)->page, 7);
  EXPECT_EQ(marks.At(5, 0)->page, 8);
  EXPECT_EQ(marks.Of(2).size(), 3u);
  EXPECT_EQ(marks.At(3, 0)->page, 3);
  EXPECT_TRUE(marks.Of(4).empty());
}

TEST(ChartLayoutTest, LayingOutWritesNoPageAndKeepsTheKindsApart) {
  ChartLayoutFixture f;
  // Kid is the only child of Pa and Ma; Lone is nobody's child and has no children.
  f.run.AddPerson("PA", "Pa /Kid/", 2);
  f.run.AddPerson("MA", "Ma /Kid/", 1);
  f.run.AddPerson("KID", "Bob /Kid/", 2);
  f.run.AddPerson("LONE", "Al /Lone/", 2);
  f.run.AddFamily("F1", "PA", "MA", {"KID"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  LayOutDescendancyCharts(site);
  EXPECT_TRUE(f.run.fs.files.empty());

  // The pedigree chart of Kid shows all three; the descendancy tree of Pa shows Pa and, as
  // his spouse, Ma with named anchors, and Kid inside it without one.
  const ChartBookmarks& pedigree = f.Pedigree().bookmarks;
  const ChartBookmarks& descendancy = f.Descendancy().bookmarks;
  EXPECT_TRUE(pedigree.OnChart(f.At("KID")));
  EXPECT_FALSE(descendancy.OnChart(f.At("KID")));
  ExpectMark(descendancy.At(f.At("MA"), 0), false, 0, 1, f.At("PA"), f.At("MA"));
  ExpectMark(pedigree.At(f.At("MA"), 0), false, 0, 2, -1, -1);
  EXPECT_FALSE(pedigree.OnChart(f.At("LONE")));
  EXPECT_FALSE(descendancy.OnChart(f.At("LONE")));

  // Each link kind reads the bookmarks of its own kind, whichever kind was laid out last.
  EXPECT_TRUE(OnChart(site, PersonLinkKind::kPedigree, f.run.Person("KID")));
  EXPECT_FALSE(OnChart(site, PersonLinkKind::kDescendancy, f.run.Person("KID")));
  EXPECT_EQ(f.Body([&] { WritePedigreeIcon(site, f.run.Person("MA")); }),
            " <a href=\"p_0.htm#2\"><IMG SRC=\"q3.gif\" border=\"0\"></a>");
}

TEST(ChartLayoutTest, PedigreeAnchorsGoToTheFirstCellOfEachPerson) {
  ChartLayoutFixture f;
  // Two childless siblings share their parents: the second chart names nobody but its root.
  f.run.AddPerson("PA", "Pa /Kid/", 2);
  f.run.AddPerson("MA", "Ma /Kid/", 1);
  f.run.AddPerson("BOB", "Bob /Kid/", 2);
  f.run.AddPerson("ANN", "Ann /Kid/", 1);
  f.run.AddFamily("F1", "PA", "MA", {"BOB", "ANN"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);

  const std::vector<PedigreeChart>& charts = f.Pedigree().charts;
  ASSERT_EQ(charts.size(), 2u);
  EXPECT_EQ(charts[0].root(), f.At("BOB"));
  EXPECT_EQ(charts[1].root(), f.At("ANN"));
  for (const PedigreeChart& chart : charts) {
    EXPECT_FALSE(chart.extended);
    EXPECT_EQ(chart.rows[3], f.At("PA"));
    EXPECT_EQ(chart.rows[11], f.At("MA"));
    for (int row : {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14}) EXPECT_EQ(chart.rows[row], -1);
  }
  EXPECT_EQ(charts[0].group, 0);
  EXPECT_EQ(charts[1].group, 1);
  // Rows are written top down: Pa (row 3) before Bob (row 7) before Ma (row 11).
  EXPECT_EQ(charts[0].Anchor(3), 0);
  EXPECT_EQ(charts[0].Anchor(7), 1);
  EXPECT_EQ(charts[0].Anchor(11), 2);
  EXPECT_EQ(charts[1].Anchor(3), -1);
  EXPECT_EQ(charts[1].Anchor(7), 3);
  EXPECT_EQ(charts[1].Anchor(11), -1);
  EXPECT_EQ(f.Pedigree().bookmarks.Of(f.At("PA")).size(), 2u);
  ExpectMark(f.Pedigree().bookmarks.At(f.At("ANN"), 0), false, 0, 3, -1, -1);
  EXPECT_TRUE(f.Pedigree().continuations.empty());
}

TEST(ChartLayoutTest, PedigreeLinesBeyondGreatGrandparentsContinueOnExtendedCharts) {
  ChartLayoutFixture f;
  f.run.settings.groups_pedigree = 1;
  f.AddLine({"A", "B", "C", "D", "E", "G", "H", "I"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);

  // A's chart reaches D (row 0), whose father E continues on extended chart 0, headed by D;
  // that chart reaches H, continued on extended chart 1 headed by H.
  const PedigreeLayout& layout = f.Pedigree();
  ASSERT_EQ(layout.charts.size(), 3u);
  EXPECT_EQ(layout.continuations, (std::vector<std::int32_t>{f.At("D"), f.At("H")}));
  EXPECT_EQ(layout.charts[0].rows[0], f.At("D"));
  EXPECT_EQ(layout.charts[0].Continuation(0), 0);
  for (int row = 1; row < kPedigreeRows; ++row) EXPECT_EQ(layout.charts[0].Continuation(row), -1);
  EXPECT_TRUE(layout.charts[1].extended);
  EXPECT_EQ(layout.charts[1].root(), f.At("D"));
  EXPECT_EQ(layout.charts[1].group, 0);
  EXPECT_EQ(layout.charts[1].Continuation(0), 1);
  EXPECT_EQ(layout.charts[2].root(), f.At("H"));
  EXPECT_EQ(layout.charts[2].group, 1);
  EXPECT_EQ(layout.charts[2].rows[3], f.At("I"));

  // D keeps its first cell on the main chart; E first appears on extended chart 0, so its
  // second bookmark marks the extended pages.
  const ChartBookmarks& marks = layout.bookmarks;
  ExpectMark(marks.At(f.At("D"), 0), false, 0, 0, -1, -1);
  ExpectMark(marks.At(f.At("D"), 1), false, 0, -1, -1, -1);
  ExpectMark(marks.At(f.At("E"), 0), false, 0, 6, -1, -1);
  ExpectMark(marks.At(f.At("E"), 1), false, 1, -1, -1, -1);
  ExpectMark(marks.At(f.At("I"), 0), false, 1, 7, -1, -1);
}

TEST(ChartLayoutTest, DescendancyRootsSkipSpousesAlreadyShown) {
  ChartLayoutFixture f;
  // Adam and Eve have Cain; Lone is married to Lee without children, Lee has Kit by May.
  for (const char* id : {"ADAM", "EVE", "CAIN", "LONE", "LEE", "MAY", "KIT"})
    f.run.AddPerson(id, std::string(id) + " /X/", 1);
  f.run.AddFamily("F1", "ADAM", "EVE", {"CAIN"});
  f.run.AddFamily("F3", "LEE", "LONE");
  f.run.AddFamily("F4", "LEE", "MAY", {"KIT"});
  SiteContext& site = f.Start();
  LayOutDescendancyCharts(site);

  const DescendancyLayout& layout = f.Descendancy();
  std::vector<std::string> roots;
  for (const char* id : {"ADAM", "EVE", "CAIN", "LONE", "LEE", "MAY", "KIT"})
    if (layout.IsRoot(f.At(id))) roots.push_back(id);
  // Eve is shown beside Adam; Lone heads nothing and marks Lee as shown, so that May, the
  // next with children, heads the tree with Lee beside her.
  EXPECT_EQ(roots, (std::vector<std::string>{"ADAM", "MAY"}));
  ExpectMark(layout.bookmarks.At(f.At("MAY"), 0), false, 0, 2, f.At("MAY"), -1);
  ExpectMark(layout.bookmarks.At(f.At("LEE"), 0), false, 0, 3, f.At("MAY"), f.At("LEE"));
  EXPECT_TRUE(layout.continuations.empty());
}

TEST(ChartLayoutTest, DescendancyContinuationsArePaddedToAFreshPagePerPass) {
  ChartLayoutFixture f;
  // Generations G0 … G29, each the only child of the one before.
  std::vector<std::string> line;
  for (int k = 29; k >= 0; --k) line.push_back("G" + std::to_string(k));
  f.AddLine(line);
  f.run.settings.group_only_for_topmost = 1;
  SiteContext& site = f.Start();
  LayOutDescendancyCharts(site);

  // G12 continues from the main page (pass 1, padded to 3 entries); G24 from G12's extended
  // tree (pass 2, entry 3, padded to 6).
  const DescendancyLayout& layout = f.Descendancy();
  EXPECT_EQ(layout.continuations,
            (std::vector<std::int32_t>{f.At("G12"), -1, -1, f.At("G24"), -1, -1}));
  EXPECT_EQ(layout.ContinuationOf(f.At("G24")), 3);
  EXPECT_EQ(layout.ContinuationOf(f.At("G13")), -1);
  EXPECT_TRUE(layout.IsRoot(f.At("G0")));
  EXPECT_FALSE(layout.IsRoot(f.At("G1")));

  // With "Group Only For Topmost" every person of a tree is bookmarked: G12 on the main page
  // (anchor 12) and as the head of extended group 0, whose anchors go on from the main
  // page's; G24 at the foot of that tree and as the head of extended group 3, on page 1.
  const ChartBookmarks& marks = layout.bookmarks;
  ExpectMark(marks.At(f.At("G12"), 0), false, 0, 12, f.At("G0"), -1);
  ExpectMark(marks.At(f.At("G12"), 1), true, 0, 13, f.At("G12"), -1);
  ExpectMark(marks.At(f.At("G24"), 0), true, 0, 25, f.At("G12"), -1);
  ExpectMark(marks.At(f.At("G24"), 1), true, 1, 26, f.At("G24"), -1);
  EXPECT_EQ(marks.Of(f.At("G29")).size(), 1u);
}

// A chart keeps its anchors as a first number and the rows that carry one: each anchored row
// reads its own number back, rows without one read -1; only great-grandparent rows continue.
TEST(PedigreeChartTest, AnchorsAndContinuationsReadBackPerRow) {
  PedigreeChart chart;
  for (int row = 0; row < kPedigreeRows; ++row) {
    EXPECT_EQ(chart.Anchor(row), -1) << row;
    EXPECT_EQ(chart.Continuation(row), -1) << row;
  }
  chart.SetAnchor(0, 40);
  chart.SetAnchor(7, 41);
  chart.SetAnchor(14, 42);
  chart.SetContinuation(2, 0);
  chart.SetContinuation(14, 9);
  chart.SetContinuation(3, 5);  // a grandparent row never continues
  for (int row = 0; row < kPedigreeRows; ++row) {
    const int anchor = row == 0 ? 40 : row == 7 ? 41 : row == 14 ? 42 : -1;
    const int continuation = row == 2 ? 0 : row == 14 ? 9 : -1;
    EXPECT_EQ(chart.Anchor(row), anchor) << row;
    EXPECT_EQ(chart.Continuation(row), continuation) << row;
  }
}

}  // namespace
}  // namespace kinloom::site
