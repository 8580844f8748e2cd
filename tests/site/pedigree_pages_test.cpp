// The pedigree pages over small hand-built stores. The expected tables are composed here cell
// by cell from the chart layout (blank S, narrow W, chart end H, line L, person P, arrow),
// independently of how the writer encodes its rows.
#include "site/pedigree_pages.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "site/person_links.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

const std::string S = "<TD  >&nbsp;</TD>";
const std::string W = "<TD WIDTH=7></TD>";
const std::string H = "<TD ><IMG SRC=\"q0.gif\" border=\"0\"></TD>";
const std::string kBackLink =
    "<center><h3><a href=\"index.htm\">Back to Main Page</a></h3></center>";
const std::string kRule = "<hr size=4 width='80%'>";

std::string L(const std::string& image) { return "<TD ><IMG SRC=\"" + image + "\" WIDTH=7></TD>"; }
std::string P(const std::string& image, const std::string& cell) {
  return L(image) + "<TD >" + cell + "</TD>";
}
std::string Arrow(const std::string& target) {
  return "<TD ><A HREF=\"" + target + "\"><IMG SRC=\"q9.gif\" border=\"0\"></A></TD>";
}
std::string Row(std::initializer_list<std::string> cells) {
  std::string row = "<TR>";
  for (const std::string& cell : cells) row += cell;
  return row + "</TR>";
}
std::string Table(std::initializer_list<std::string> rows) {
  // Narrow cells in the line columns 2, 4 and 6, like the rows between.
  const std::string ends = Row({H, S, W, S, W, S, W, S, H});
  std::string table = "<TABLE cellpadding=0 cellspacing=0 border=0>" + ends;
  for (const std::string& row : rows) table += row;
  return table + ends + "</TABLE>";
}

// Every chart table of a page, in order.
std::vector<std::string> Tables(const std::string& page) {
  std::vector<std::string> tables;
  for (std::size_t from = page.find("<TABLE"); from != std::string::npos;
       from = page.find("<TABLE", from + 1)) {
    std::size_t to = page.find("</TABLE>", from);
    if (to == std::string::npos) break;
    tables.push_back(page.substr(from, to + 8 - from));
  }
  return tables;
}

std::string Title(const std::string& page) {
  std::size_t from = page.find("<title>");
  std::size_t to = page.find("</title>");
  if (from == std::string::npos || to == std::string::npos) return "<no title>";
  return page.substr(from + 7, to - from - 7);
}

struct PedigreeFixture : SiteFixture {
  PedigreeFixture() {
    run.settings.create_pedigree_groups = 1;
    run.settings.pedigree_page_text_a[0] = "Ped";
    run.settings.pedigree_page_text_b[0] = "(X)";
  }
  // A straight male line: ids[0] is the child of ids[1], who is the child of ids[2] …
  void AddLine(const std::vector<std::string>& ids) {
    for (std::size_t g = 0; g < ids.size(); ++g)
      run.AddPerson(ids[g], ids[g] + " /" + ids[g] + ids[g] + "/", 2);
    for (std::size_t g = 0; g + 1 < ids.size(); ++g)
      run.AddFamily("F" + ids[g], ids[g + 1], "", {ids[g]});
  }
  std::string Page(const std::string& name) const { return run.fs.Read("/out/" + name); }
  std::string Entry(const std::string& id) {
    return Body([&] { WritePersonEntry(*site, PersonLinkKind::kPedigree, run.Person(id), false); });
  }
  std::vector<Bookmark> Marks(const std::string& id) {
    const auto marks = site->layout().pedigree.bookmarks.Of(run.Person(id).index);
    return {marks.begin(), marks.end()};
  }
  std::string Icon(const std::string& id) {
    return Body([&] { WritePedigreeIcon(*site, run.Person(id)); });
  }
};

TEST(PedigreePagesTest, RootWithOnlyAMotherHasRowsSevenElevenAndHerAncestors) {
  PedigreeFixture f;
  f.run.settings.create_family_groups = 0;
  f.run.AddPerson("ROOT", "Rob /Root/", 2);
  f.run.AddPerson("MUM", "Mary /Mum/", 1);
  f.run.AddPerson("GMA", "Gwen /Gran/", 1);
  f.run.AddFamily("F1", "", "MUM", {"ROOT"});
  f.run.AddFamily("F2", "", "GMA", {"MUM"});
  f.run.Person("ROOT").birth_seen = true;
  f.run.Person("ROOT").birth_date = "1 JAN 1950";
  f.run.Person("MUM").death_date = "2 FEB 1990";
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);

  const std::string chart = Table({
      Row({S, "<TD >&nbsp;<a name=\"0\">Root, Rob </a><br>&nbsp;b. 1 JAN 1950</TD>", L("qc.gif"), S,
           W, S, W, S, S}),
      Row({S, S, P("q7.gif", "&nbsp;<a name=\"1\">Mum, Mary </a><br>&nbsp;d. 2 FEB 1990"),
           L("qc.gif"), S, W, S, S}),
      Row({S, S, W, S, P("q7.gif", "&nbsp;<a name=\"2\">Gran, Gwen </a>"), W, S, S}),
  });
  const std::string page = f.Page("p_0.htm");
  EXPECT_EQ(Title(page), "Ped 1 (X)");
  EXPECT_NE(page.find("<p>" + chart + kBackLink + kRule + "<P>"), std::string::npos) << page;
  EXPECT_EQ(Tables(page).size(), 1u);
  EXPECT_EQ(f.Page("k_0.htm"), "<missing /out/k_0.htm>");

  // The index and the family pages link to the first cell of each person.
  EXPECT_EQ(f.Entry("MUM"), "<a href=\"p_0.htm#1\">Mum, Mary  </a>(d. 2 FEB 1990)<br>");
  EXPECT_EQ(f.Icon("GMA"), " <a href=\"p_0.htm#2\"><IMG SRC=\"q3.gif\" border=\"0\"></a>");
  const std::vector<Bookmark>& root = f.Marks("ROOT");
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[0].page, 0);
  EXPECT_EQ(root[0].anchor, 0);
  EXPECT_EQ(root[1].page, 0);
  EXPECT_EQ(root[1].anchor, -1);
}

TEST(PedigreePagesTest, GreatGrandparentWithParentsGetsAnArrowToAnExtendedChart) {
  PedigreeFixture f;
  f.run.settings.groups = 10;
  f.AddLine({"A", "B", "C", "D", "E"});
  SiteContext& site = f.Start();
  const char* ids[] = {"A", "B", "C", "D", "E"};
  for (int g = 0; g < 5; ++g) f.run.Person(ids[g]).group = g;
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);

  // Cells are named in the order they are written, top row first.
  auto cell = [](const std::string& name, int anchor, int group) {
    return "&nbsp;<a name=\"" + std::to_string(anchor) + "\" href=\"f_0.htm#" +
           std::to_string(group) + "\">" + name + " </a>";
  };
  const std::string main_chart = Table({
      Row({S, S, W, S, W, S, P("q6.gif", cell("DD, D", 0, 3)), Arrow("k_0.htm#0")}),
      Row({S, S, S, S, P("q6.gif", cell("CC, C", 1, 2)), L("qb.gif"), S}),
      Row({S, S, P("q6.gif", cell("BB, B", 2, 1)), L("qb.gif"), S, S}),
      Row({S, "<TD >" + cell("AA, A", 3, 0) + "</TD>", L("qb.gif"), S, W, S, W, S, S}),
  });
  std::vector<std::string> tables = Tables(f.Page("p_0.htm"));
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(tables[0], main_chart);

  // The extended series starts at file 0, its titles count from 1; the root carries the
  // anchor the arrow names and was bookmarked on the main page already.
  const std::string extended = f.Page("k_0.htm");
  EXPECT_EQ(Title(extended), "Ped Extended 1 (X)");
  const std::string extended_chart = Table({
      Row({S, S, P("q6.gif", cell("EE, E", 4, 4)), W, S, S}),
      Row({S, "<TD ><a name=\"0\">&nbsp;<a name=\"0\"></a><a href=\"f_0.htm#3\">DD, D </a></TD>",
           L("qb.gif"), S, W, S, W, S, S}),
  });
  EXPECT_NE(extended.find(extended_chart + kBackLink + kRule + "<P>"), std::string::npos)
      << extended;
  EXPECT_EQ(Tables(extended).size(), 1u);
  EXPECT_EQ(f.Page("k_1.htm"), "<missing /out/k_1.htm>");

  EXPECT_EQ(f.Entry("E"), "<a href=\"k_0.htm#4\">EE, E  </a><br>");
  EXPECT_EQ(f.Entry("D"), "<a href=\"p_0.htm#0\">DD, D  </a><br>");
}

TEST(PedigreePagesTest, ExtendedChartsFollowOneAnotherAcrossPages) {
  PedigreeFixture f;
  f.run.settings.groups_pedigree = 1;
  f.run.settings.create_family_groups = 0;
  f.AddLine({"A", "B", "C", "D", "E", "F", "G", "H"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);

  // One chart per page: D heads extended chart 0, G (met on D's chart) chart 1.
  const std::string first = f.Page("k_0.htm");
  const std::string second = f.Page("k_1.htm");
  EXPECT_EQ(Title(first), "Ped Extended 1 (X)");
  EXPECT_EQ(Title(second), "Ped Extended 2 (X)");
  EXPECT_EQ(f.Page("k_2.htm"), "<missing /out/k_2.htm>");
  EXPECT_NE(first.find(Arrow("k_1.htm#0")), std::string::npos);
  EXPECT_NE(second.find("<TD ><a name=\"0\">&nbsp;<a name=\"0\"></a><a>GG, G </a></TD>"),
            std::string::npos);
  // With one chart per page no rule follows a chart.
  EXPECT_NE(first.find("</TABLE>" + kBackLink + "<P>"), std::string::npos);
  // A page is opened for the individual after a full page even when it heads no chart.
  EXPECT_EQ(Tables(f.Page("p_1.htm")).size(), 0u);

  // Anchors: A's chart names D 0, C 1, B 2, A 3; D's names G 4, F 5, E 6; G's names H 7.
  EXPECT_EQ(f.Entry("H"), "<a href=\"k_1.htm#7\">HH, H  </a><br>");
  EXPECT_EQ(f.Entry("G"), "<a href=\"k_0.htm#4\">GG, G  </a><br>");
  EXPECT_EQ(f.Icon("H"), " <a href=\"k_1.htm#7\"><IMG SRC=\"q3.gif\" border=\"0\"></a>");
}

TEST(PedigreePagesTest, OnlyChildlessChildrenHeadChartsAndAnAncestorIsNamedOnce) {
  PedigreeFixture f;
  f.run.settings.groups_pedigree = 2;
  f.run.settings.create_family_groups = 0;
  f.run.AddPerson("ANN", "Ann /Kid/", 1);
  f.run.AddPerson("BOB", "Bob /Kid/", 2);
  f.run.AddPerson("PA", "Pa /Kid/", 2);
  f.run.AddPerson("MA", "Ma /Mum/", 1);
  f.run.AddPerson("LONE", "Lone /Zed/", 2);
  f.run.AddFamily("F1", "PA", "MA", {"ANN", "BOB"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);

  const std::string page = f.Page("p_0.htm");
  std::vector<std::string> tables = Tables(page);
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(
      tables[0],
      Table({Row({S, S, P("q6.gif", "&nbsp;<a name=\"0\">Kid, Pa </a>"), W, S, S}),
             Row({S, "<TD >&nbsp;<a name=\"1\">Kid, Ann </a></TD>", L("qa.gif"), S, W, S, W, S, S}),
             Row({S, S, P("q7.gif", "&nbsp;<a name=\"2\">Mum, Ma </a>"), W, S, W, S, S})}));
  // The parents are named on the first chart only.
  EXPECT_EQ(
      tables[1],
      Table({Row({S, S, P("q6.gif", "&nbsp;<a>Kid, Pa </a>"), W, S, S}),
             Row({S, "<TD >&nbsp;<a name=\"3\">Kid, Bob </a></TD>", L("qa.gif"), S, W, S, W, S, S}),
             Row({S, S, P("q7.gif", "&nbsp;<a>Mum, Ma </a>"), W, S, W, S, S})}));
  // The rule follows the first chart of a page, not the last.
  EXPECT_NE(page.find(tables[0] + kBackLink + kRule + tables[1] + kBackLink + "<P>"),
            std::string::npos);
  EXPECT_EQ(Tables(f.Page("p_1.htm")).size(), 0u);
  EXPECT_EQ(f.Page("p_2.htm"), "<missing /out/p_2.htm>");
  EXPECT_FALSE(OnChart(site, PersonLinkKind::kPedigree, f.run.Person("LONE")));
  EXPECT_EQ(f.Entry("LONE"), "");
  EXPECT_EQ(f.Entry("PA"), "<a href=\"p_0.htm#0\">Kid, Pa  </a><br>");
}

// Charts follow the individual table, not the sorted order: Zoe, first in the file, heads
// the first chart and gets the first anchors; a person without a name heads none.
TEST(PedigreePagesTest, ChartsComeInFileOrder) {
  PedigreeFixture f;
  f.run.settings.create_family_groups = 0;
  f.run.AddPerson("NONAME", "", 1);
  f.run.AddPerson("ZOE", "Zoe /Zimmer/", 1);
  f.run.AddPerson("ZED", "Zed /Zimmer/", 2);
  f.run.AddPerson("ABE", "Abe /Adams/", 2);
  f.run.AddPerson("AL", "Al /Adams/", 2);
  f.run.AddFamily("F1", "ZED", "", {"ZOE", "NONAME"});
  f.run.AddFamily("F2", "AL", "", {"ABE"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);

  std::vector<std::string> tables = Tables(f.Page("p_0.htm"));
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(tables[0],
            Table({Row({S, S, P("q6.gif", "&nbsp;<a name=\"0\">Zimmer, Zed </a>"), W, S, S}),
                   Row({S, "<TD >&nbsp;<a name=\"1\">Zimmer, Zoe </a></TD>", L("qb.gif"), S, W, S,
                        W, S, S})}));
  EXPECT_EQ(tables[1],
            Table({Row({S, S, P("q6.gif", "&nbsp;<a name=\"2\">Adams, Al </a>"), W, S, S}),
                   Row({S, "<TD >&nbsp;<a name=\"3\">Adams, Abe </a></TD>", L("qb.gif"), S, W, S, W,
                        S, S})}));
  EXPECT_EQ(f.Entry("ABE"), "<a href=\"p_0.htm#3\">Adams, Abe  </a><br>");
  EXPECT_EQ(f.Icon("ZOE"), " <a href=\"p_0.htm#1\"><IMG SRC=\"q3.gif\" border=\"0\"></a>");
}

TEST(PedigreePagesTest, PersonCellsShowMarksDatesAndWithholdTheBirthOfTheLiving) {
  PedigreeFixture f;
  f.run.settings.suppress_living = 1;
  f.run.settings.show_gedcom_ids = 1;
  f.run.settings.minimize_absolute = 1;  // no back links
  f.run.state.mark_all_ancestors = true;
  f.run.AddPerson("KID", "Liv /Young/", 1);
  f.run.AddPerson("DAD", "John /Smith/ Sir", 2);
  f.run.AddPerson("MUM", "Chris /Tening/", 1);
  f.run.AddFamily("F1", "DAD", "MUM", {"KID"});
  store::IndividualRecord& kid = f.run.Person("KID");
  kid.deceased = false;
  kid.birth_seen = true;
  kid.birth_date = "1 JAN 1990";
  kid.burial_date = "3 MAR 2020";
  store::IndividualRecord& dad = f.run.Person("DAD");
  dad.ancestor = true;
  dad.birth_seen = true;
  dad.birth_date = "1 JAN 1900";
  dad.death_date = "2 FEB 1970";
  dad.burial_date = "9 FEB 1970";
  f.run.Person("MUM").christening_date = "5 MAY 1905";
  SiteContext& site = f.Start();
  f.run.Person("KID").group = 4;
  f.run.Person("DAD").group = 17;
  f.run.Person("MUM").group = 17;
  f.run.Person("DAD").title = "Sir";

  for (int use_baptism : {1, 0}) {
    SCOPED_TRACE(use_baptism);
    f.run.settings.use_baptism = use_baptism;
    LayOutPedigreeCharts(site);
    WritePedigreePages(site);
    const std::string page = f.Page("p_0.htm");
    EXPECT_NE(page.find("<TD >&nbsp;<a name=\"0\" href=\"f_1.htm#7\"><img src=\"q5.gif\" border=0 "
                        ">Smith, John  Sir</a><small>{DAD}</small> <br>&nbsp;b. 1 JAN "
                        "1900<br>&nbsp;d. 2 FEB 1970</TD>"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("<TD >&nbsp;<a name=\"1\" href=\"f_0.htm#4\">Young, Liv </a><small>{KID}"
                        "</small> --Not Shown--<br>&nbsp;d. 3 MAR 2020</TD>"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("<TD >&nbsp;<a name=\"2\" href=\"f_1.htm#7\">Tening, Chris </a><small>{MUM}"
                        "</small> <br>&nbsp;b. " +
                        std::string(use_baptism ? "5 MAY 1905" : "") + "</TD>"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find(kBackLink), page.rfind(kBackLink));  // only the foot's
  }
}

TEST(PedigreePagesTest, OwnAncestorDataEndsWithTheLoopOnTheExtendedPages) {
  PedigreeFixture f;
  f.run.settings.create_family_groups = 0;
  // R's father is A, whose father is B, whose father is A again.
  f.run.AddPerson("R", "R /Rr/", 2);
  f.run.AddPerson("A", "A /Aa/", 2);
  f.run.AddPerson("B", "B /Bb/", 2);
  f.run.AddFamily("F1", "A", "", {"R"});
  f.run.AddFamily("F2", "B", "", {"A"});
  f.run.AddFamily("F3", "A", "", {"B"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);

  EXPECT_NE(f.Page("p_0.htm").find(Arrow("k_0.htm#0")), std::string::npos);
  // A heads extended chart 0 and meets B at the top; B's chart meets A again, whose entry
  // is reused, so the pass ends.
  std::vector<std::string> tables = Tables(f.Page("k_0.htm"));
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_NE(tables[0].find(Arrow("k_0.htm#1")), std::string::npos);
  EXPECT_NE(tables[1].find(Arrow("k_0.htm#0")), std::string::npos);
  EXPECT_EQ(f.Page("k_1.htm"), "<missing /out/k_1.htm>");
}

TEST(PedigreePagesTest, ChartImagesAreWrittenAndAPersonWithoutNameLeavesItsPlaceEmpty) {
  PedigreeFixture f;
  f.run.settings.create_family_groups = 0;
  f.run.AddPerson("KID", "Kid /Kk/", 2);
  f.run.AddPerson("DAD", "Dad /Dd/", 2);
  f.run.AddPerson("NONAME", "", 1);
  f.run.AddFamily("F1", "DAD", "NONAME", {"KID"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);
  for (const char* image :
       {"q9.gif", "q6.gif", "q7.gif", "q8.gif", "q0.gif", "q3.gif", "qa.gif", "qb.gif", "qc.gif"})
    EXPECT_EQ(f.run.fs.files.count(std::string("/out/") + image), 1u) << image;
  EXPECT_EQ(f.run.fs.files.count("/out/q4.gif"), 0u);
  EXPECT_EQ(f.run.fs.files.count("/out/q5.gif"), 0u);
  std::vector<std::string> tables = Tables(f.Page("p_0.htm"));
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(tables[0], Table({Row({S, S, P("q6.gif", "&nbsp;<a name=\"0\">Dd, Dad </a>"), W, S, S}),
                              Row({S, "<TD >&nbsp;<a name=\"1\">Kk, Kid </a></TD>", L("qb.gif"), S,
                                   W, S, W, S, S})}));
}

// The cells of every row of a table.
std::vector<std::vector<std::string>> Cells(const std::string& table) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t from = table.find("<TR>"); from != std::string::npos;
       from = table.find("<TR>", from + 1)) {
    std::size_t end = table.find("</TR>", from);
    std::vector<std::string> cells;
    for (std::size_t cell = from + 4; cell < end;) {
      std::size_t close = table.find("</TD>", cell) + 5;
      cells.push_back(table.substr(cell, close - cell));
      cell = close;
    }
    rows.push_back(cells);
  }
  return rows;
}

TEST(PedigreePagesTest, FullChartHasEveryRowAndNarrowCellsOnlyInTheLineColumns) {
  PedigreeFixture f;
  f.run.settings.create_family_groups = 0;
  // Fifteen people: the root, 2 parents, 4 grandparents, 8 great-grandparents.
  for (int n = 1; n <= 15; ++n)
    f.run.AddPerson("P" + std::to_string(n), "P /N" + std::to_string(n) + "/");
  for (int n = 1; n <= 7; ++n)
    f.run.AddFamily("F" + std::to_string(n), "P" + std::to_string(2 * n),
                    "P" + std::to_string(2 * n + 1), {"P" + std::to_string(n)});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);
  std::vector<std::string> tables = Tables(f.Page("p_0.htm"));
  ASSERT_EQ(tables.size(), 1u);
  std::vector<std::vector<std::string>> rows = Cells(tables[0]);
  ASSERT_EQ(rows.size(), 17u);  // head, rows 0 to 14, foot
  for (std::size_t r = 0; r < rows.size(); ++r) {
    SCOPED_TRACE(r);
    EXPECT_LE(rows[r].size(), 9u);
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      bool line = rows[r][c].find(" WIDTH=7>") != std::string::npos;
      EXPECT_TRUE(!line || c == 2 || c == 4 || c == 6) << c << " " << rows[r][c];
    }
  }
  // Every person below generation 3 has both parents: seven "qa.gif" connectors.
  int both = 0;
  for (std::size_t from = tables[0].find("qa.gif"); from != std::string::npos;
       from = tables[0].find("qa.gif", from + 1))
    ++both;
  EXPECT_EQ(both, 7);
  EXPECT_EQ(tables[0].find("qb.gif"), std::string::npos);
  EXPECT_EQ(tables[0].find("qc.gif"), std::string::npos);
  // Row 2 draws the line between rows 1 and 3 because row 1 is filled.
  EXPECT_EQ(rows[3][4], L("q8.gif"));
}

TEST(PedigreePagesTest, WritingAgainEmptiesTheBookmarksFirst) {
  PedigreeFixture f;
  f.run.settings.create_family_groups = 0;
  f.AddLine({"A", "B"});
  SiteContext& site = f.Start();
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);
  LayOutPedigreeCharts(site);
  WritePedigreePages(site);
  EXPECT_EQ(f.Marks("A").size(), 2u);
  EXPECT_EQ(f.Entry("A"), "<a href=\"p_0.htm#1\">AA, A  </a><br>");
}

TEST(ContinuationTableTest, ReusesEntriesAndGivesZeroWhenFull) {
  ContinuationTable table(3);
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.PositionOf(10), 0);
  EXPECT_EQ(table.PositionOf(11), 1);
  EXPECT_EQ(table.PositionOf(10), 0);
  EXPECT_EQ(table.PositionOf(12), 2);
  EXPECT_EQ(table.PositionOf(13), 0);
  EXPECT_EQ(table.PositionOf(12), 2);
  EXPECT_EQ(table.size(), 3);
  EXPECT_EQ(table.at(1), 11);
  EXPECT_EQ(ContinuationTable::kCapacity, 65025);
}

}  // namespace
}  // namespace kinloom::site
