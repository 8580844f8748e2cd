#include "site/descendancy_pages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "site/images.h"
#include "site/person_links.h"
#include "site/site_fixture.h"
#include "site/site_generation.h"

namespace kinloom::site {
namespace {

namespace fs = std::filesystem;
using testing::SiteFixture;

constexpr const char* kRule = "<hr size=4 width='80%'>";
constexpr const char* kPageFont = "<font size='2' color='#000000'>";

// Level n (1 … 6) is 0xn0000n, so a colour names its level.
std::string Level(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%X0000%X", n, n);
  return text;
}

// The outline of one person as the writer opens it: a named anchor with the family-group
// link, the level font and the name.
std::string Opened(int anchor, int group, int level, const std::string& name) {
  return "<ul><a name=\"" + std::to_string(anchor) + "\"  href=\"f_0.htm#" + std::to_string(group) +
         "\"><font size='3' color='" + Level(level) + "'><strong><li>" + name +
         "</a></strong></font>";
}

// A spouse beside a person of level `level`.
std::string Spouse(int group, int level, const std::string& name) {
  return "<BR>Married to <a href=\"f_0.htm#" + std::to_string(group) +
         "\"><font size=\"3\" color=\"#" + Level(level) + "\"><strong>" + name +
         "</strong></font></a>";
}

std::string FollowLink(const std::string& target, int level) {
  return "<ul><B><a href=\"" + target + "\" style=\"color: #" + Level(level) +
         "\">Follow this link for descendants of this individual/couple.</a></B><br></ul>";
}

class DescendancyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::Settings& s = f.run.settings;
    s.create_descendancy_groups = 1;
    s.create_family_groups = 1;
    s.groups = 100;
    s.groups_descendancy = 5;
    s.descendancy_page_text_a[0] = "Descendants";
    s.descendancy_page_text_b[0] = "of the file";
    for (int k = 0; k < 6; ++k)
      s.colours[settings::kColourLevel1 + k] = static_cast<std::uint32_t>(0x100001 * (k + 1));
  }

  // Starts the site and numbers every family group after its principal's table position,
  // so that person k links to f_0.htm#k.
  SiteContext& Start() {
    SiteContext& site = f.Start();
    for (store::IndividualRecord& person : f.run.store.individuals) person.group = person.index;
    back_link = f.Body([&] { f.writer->WriteBackLink(); });
    return site;
  }

  void Write() {
    LayOutDescendancyCharts(*f.site);
    WriteDescendancyPages(*f.site);
  }

  std::vector<Bookmark> Marks(const std::string& id) {
    const auto marks = f.site->layout().descendancy.bookmarks.Of(f.run.Person(id).index);
    return {marks.begin(), marks.end()};
  }

  std::string Page(const std::string& name) const { return f.run.fs.Read("/out/" + name); }

  // The text between the head's rule and the produced-by block of the page.
  std::string Body(const std::string& name) const {
    std::string page = Page(name);
    std::size_t from = page.find(kRule);
    std::size_t to = page.rfind(std::string("<P>") + kRule);
    if (from == std::string::npos || to == std::string::npos || to < from)
      return "<no page " + name + ">";
    from += std::string(kRule).size();
    return page.substr(from, to - from);
  }

  std::string Entry(const std::string& id) {
    return f.Body(
        [&] { WritePersonEntry(*f.site, PersonLinkKind::kDescendancy, f.run.Person(id), false); });
  }

  // Adam and Eve with two sons; Cain married Cara and has Enos. Lone is married to Lee
  // without children; Lee has Kit by May.
  void AddAshFamily() {
    f.run.AddPerson("ADAM", "Adam /Ash/", 2);
    f.run.AddPerson("EVE", "Eve /Birch/", 1);
    f.run.AddPerson("CAIN", "Cain /Ash/", 2);
    f.run.AddPerson("CARA", "Cara /Cole/", 1);
    f.run.AddPerson("ENOS", "Enos /Ash/", 2);
    f.run.AddPerson("ABEL", "Abel /Ash/", 2);
    f.run.AddPerson("LONE", "Lone /Dale/", 1);
    f.run.AddPerson("LEE", "Lee /Dale/", 2);
    f.run.AddPerson("MAY", "May /Moss/", 1);
    f.run.AddPerson("KIT", "Kit /Dale/", 2);
    f.run.AddFamily("F1", "ADAM", "EVE", {"CAIN", "ABEL"});
    f.run.AddFamily("F2", "CAIN", "CARA", {"ENOS"});
    f.run.AddFamily("F3", "LEE", "LONE");
    f.run.AddFamily("F4", "LEE", "MAY", {"KIT"});
    store::IndividualRecord& adam = f.run.Person("ADAM");
    adam.birth_seen = true;
    adam.birth_date = "1800";
    adam.birth_place = "York";
    store::FamilyRecord& f1 = f.run.Family("F1");
    f1.marriage_seen = true;
    f1.marriage_date = "1820";
    f1.marriage_place = "York";
  }

  // Generations G0 … G(count-1), each the only child of the one before (no mothers).
  void AddLineage(int count, const std::string& g = "G") {
    for (int k = 0; k < count; ++k)
      f.run.AddPerson(g + std::to_string(k), g + std::to_string(k) + " /Line/", 2);
    for (int k = 1; k < count; ++k)
      f.run.AddFamily(g + "L" + std::to_string(k), g + std::to_string(k - 1), "",
                      {g + std::to_string(k)});
  }

  SiteFixture f;
  std::string back_link;
};

TEST_F(DescendancyTest, EveryoneWithChildrenHeadsAGroupWhenNotOnlyTheTopmost) {
  AddAshFamily();
  f.run.settings.group_only_for_topmost = 0;
  Start();
  Write();
  // Adam's tree: anchors at depth 0 only; his sons and grandson are links to their groups.
  std::string adam = Opened(0, 0, 1, "Ash, Adam ") + "b. 1800 York" + Spouse(1, 1, "Birch, Eve  ") +
                     "<a name=\"1\"> Marriage: 1820 York" +
                     "<ul><a href=\"f_0.htm#2\"><font size='3' color='" + Level(2) +
                     "'><strong><li>Ash, Cain </a></strong></font>" + Spouse(3, 2, "Cole, Cara  ") +
                     "<ul><a href=\"f_0.htm#4\"><font size='3' color='" + Level(3) +
                     "'><strong><li>Ash, Enos </a></strong></font></ul></ul>" +
                     "<ul><a href=\"f_0.htm#5\"><font size='3' color='" + Level(2) +
                     "'><strong><li>Ash, Abel </a></strong></font></ul></ul>";
  // Cain has children, so he heads a group of his own although he is in his father's.
  std::string cain = Opened(2, 2, 1, "Ash, Cain ") + Spouse(3, 1, "Cole, Cara  ") +
                     "<a name=\"3\"><ul><a href=\"f_0.htm#4\"><font size='3' color='" + Level(2) +
                     "'><strong><li>Ash, Enos </a></strong></font></ul></ul>";
  // Lone's only family is childless: she heads none, and Lee, her husband, is marked as shown,
  // so he heads no group either; his children appear in May's tree.
  std::string may = Opened(4, 8, 1, "Moss, May ") + Spouse(7, 1, "Dale, Lee  ") +
                    "<a name=\"5\"><ul><a href=\"f_0.htm#9\"><font size='3' color='" + Level(2) +
                    "'><strong><li>Dale, Kit </a></strong></font></ul></ul>";
  EXPECT_EQ(Body("d_0.htm"), std::string(kPageFont) + adam + back_link + kRule + cain + back_link +
                                 kRule + may + back_link + kRule);
  EXPECT_NE(Page("d_0.htm").find("<title>Descendants 1 of the file</title>"), std::string::npos);
  EXPECT_EQ(f.run.fs.files.count("/out/d_1.htm"), 0u);
  EXPECT_EQ(f.run.fs.files.count("/out/e_0.htm"), 0u);

  EXPECT_EQ(Marks("LEE").size(), 1u);
  EXPECT_EQ(Marks("CAIN").size(), 1u);  // only as the head of his group
  for (const char* nowhere : {"ENOS", "ABEL", "LONE", "KIT"})
    EXPECT_TRUE(Marks(nowhere).empty()) << nowhere;
  const Bookmark cara = Marks("CARA").at(0);
  EXPECT_FALSE(cara.extended);
  EXPECT_EQ(cara.page, 0);
  EXPECT_EQ(cara.anchor, 3);
  EXPECT_EQ(cara.first_person, 2);
  EXPECT_EQ(cara.second_person, 3);
}

TEST_F(DescendancyTest, OnlyTheTopmostHeadGroupsAndEveryoneInATreeIsBookmarked) {
  AddAshFamily();
  f.run.settings.group_only_for_topmost = 1;
  Start();
  Write();
  std::string adam = Opened(0, 0, 1, "Ash, Adam ") + "b. 1800 York" + Spouse(1, 1, "Birch, Eve  ") +
                     "<a name=\"1\"> Marriage: 1820 York" + Opened(2, 2, 2, "Ash, Cain ") +
                     Spouse(3, 2, "Cole, Cara  ") + Opened(3, 4, 3, "Ash, Enos ") + "</ul></ul>" +
                     Opened(4, 5, 2, "Ash, Abel ") + "</ul></ul>";
  // Cara has no parents but was marked as shown by her husband Cain, who has parents.
  std::string lone =
      Opened(5, 6, 1, "Dale, Lone ") + Spouse(7, 1, "Dale, Lee  ") + "<a name=\"6\"></ul>";
  // Lee, marked as shown in Lone's tree, still appears in May's.
  std::string may = Opened(7, 8, 1, "Moss, May ") + Spouse(7, 1, "Dale, Lee  ") + "<a name=\"8\">" +
                    Opened(9, 9, 2, "Dale, Kit ") + "</ul></ul>";
  EXPECT_EQ(Body("d_0.htm"), std::string(kPageFont) + adam + back_link + kRule + lone + back_link +
                                 kRule + may + back_link + kRule);

  // The index entries list every couple whose tree shows the person; the one list of
  // anchors the list of surnames names is kept.
  EXPECT_EQ(Entry("LEE"),
            "Dale, Lee   , <a href=\"d_0.htm#6\"> (Dale-Dale) </a>  , <a href=\"d_0.htm#8\"> "
            "(Moss-Dale) </a> <br>");
  EXPECT_EQ(Entry("ENOS"), "Ash, Enos   , <a href=\"d_0.htm#3\"> (Ash-Birch) </a> <br>");
  EXPECT_EQ(Entry("ADAM"), "Ash, Adam  (b. 1800) , <a href=\"d_0.htm#0\"> (Ash) </a> <br>");
  EXPECT_EQ(Entry("CARA"), "");  // shown only as a spouse below depth 0: not on the chart
}

TEST_F(DescendancyTest, ARootWithTwoSpousesBookmarksEachCouple) {
  f.run.AddPerson("R", "Rex /Root/", 2);
  f.run.AddPerson("A", "Ann /Ayr/", 1);
  f.run.AddPerson("B", "Bea /Bow/", 1);
  f.run.AddPerson("C1", "Cy /Root/", 2);
  f.run.AddPerson("C2", "Di /Root/", 1);
  f.run.AddPerson("C3", "Ed /Root/", 2);
  f.run.AddFamily("FA", "R", "A", {"C1"});
  f.run.AddFamily("FB", "R", "B", {"C2"});
  f.run.AddFamily("FC", "R", "", {"C3"});
  Start();
  Write();
  auto mark = [&](const std::string& id, std::size_t k) { return Marks(id).at(k); };
  EXPECT_EQ(mark("R", 0).first_person, 0);
  EXPECT_EQ(mark("R", 0).second_person, -1);
  EXPECT_EQ(mark("A", 0).second_person, 1);
  EXPECT_EQ(mark("B", 0).second_person, 2);
  EXPECT_EQ(mark("C1", 0).second_person, 1);
  EXPECT_EQ(mark("C2", 0).second_person, 2);
  // The third family has no wife: its child is in the tree of Rex alone.
  EXPECT_EQ(mark("C3", 0).first_person, 0);
  EXPECT_EQ(mark("C3", 0).second_person, -1);
  EXPECT_EQ(Entry("C3"), "Root, Ed   , <a href=\"d_0.htm#5\"> (Root) </a> <br>");
}

TEST_F(DescendancyTest, FifteenGenerationsContinueOnAnExtendedPageHeadedByGenerationTwelve) {
  AddLineage(15);
  f.run.settings.group_only_for_topmost = 1;
  Start();
  Write();
  std::string main = kPageFont;
  for (int k = 0; k <= 12; ++k)
    main += Opened(k, k, k % 6 + 1, "Line, G" + std::to_string(k) + " ");
  main += FollowLink("e_0.htm#0", 2);  // generation 13's colour, "Color Level2 "
  for (int k = 0; k <= 12; ++k) main += "</ul>";
  main += back_link + kRule;
  EXPECT_EQ(Body("d_0.htm"), main);
  EXPECT_EQ(Page("d_0.htm").find("G13"), std::string::npos);

  // The extended page: the group anchor the link names, then generation 12 at depth 0 in
  // "Color Level1 "; person anchors go on from the main page's.
  std::string extended = std::string(kPageFont) + "<a name=\"0\"></a>" +
                         Opened(13, 12, 1, "Line, G12 ") + Opened(14, 13, 2, "Line, G13 ") +
                         Opened(15, 14, 3, "Line, G14 ") + "</ul></ul></ul>" + back_link + kRule;
  EXPECT_EQ(Body("e_0.htm"), extended);
  EXPECT_NE(Page("e_0.htm").find("<title>Descendants Extended 1 of the file</title>"),
            std::string::npos);
  EXPECT_EQ(f.run.fs.files.count("/out/e_1.htm"), 0u);

  EXPECT_EQ(Entry("G12"),
            "Line, G12   , <a href=\"d_0.htm#12\"> (Line) </a>  , <a href=\"e_0.htm#13\"> (Line) "
            "</a> <br>");
  const Bookmark on_extended = Marks("G14").at(0);
  EXPECT_TRUE(on_extended.extended);
  EXPECT_EQ(on_extended.page, 0);
  EXPECT_EQ(on_extended.anchor, 15);
  EXPECT_EQ(on_extended.first_person, 12);
}

TEST_F(DescendancyTest, ContinuationsAppendedOnExtendedPagesStartAtTheNextMultiple) {
  AddLineage(30);
  f.run.settings.groups_descendancy = 10;
  Start();
  Write();
  // G12 is entry 0 (page e_0, titled 1); G24, found at depth 12 of G12's extended tree, is
  // appended after the padding of entries 1 … 9 and lands on e_1 as entry 10.
  EXPECT_NE(Page("d_0.htm").find(FollowLink("e_0.htm#0", 2)), std::string::npos);
  EXPECT_NE(Page("e_0.htm").find(FollowLink("e_1.htm#0", 2)), std::string::npos);
  EXPECT_NE(Page("e_1.htm").find("<title>Descendants Extended 2 of the file</title>"),
            std::string::npos);
  std::string second = Body("e_1.htm");
  EXPECT_EQ(second.rfind(std::string(kPageFont) + "<a name=\"0\"></a><ul><a name=\"", 0), 0u)
      << second;
  EXPECT_NE(second.find("Line, G24 </a>"), std::string::npos);
  EXPECT_NE(second.find("Line, G29 </a>"), std::string::npos);
  EXPECT_EQ(second.find("Follow this link"), std::string::npos);
  EXPECT_EQ(f.run.fs.files.count("/out/e_2.htm"), 0u);
  EXPECT_TRUE(Marks("G29").at(0).extended);
  EXPECT_EQ(Marks("G29").at(0).page, 1);
}

TEST_F(DescendancyTest, AFullContinuationTableEndsTheOutlineWithoutALink) {
  AddLineage(14, "A");
  AddLineage(14, "B");
  AddLineage(14, "C");
  Start();
  LayOutDescendancyCharts(*f.site, 2);
  WriteDescendancyPages(*f.site);
  std::string main = Body("d_0.htm");
  EXPECT_NE(main.find(FollowLink("e_0.htm#0", 2)), std::string::npos);
  EXPECT_NE(main.find(FollowLink("e_0.htm#1", 2)), std::string::npos);
  // The third lineage's generation 12 (table position 40, anchor 38) has no room left.
  std::string end = Opened(38, 40, 1, "Line, C12 ");
  for (int k = 0; k <= 12; ++k) end += "</ul>";
  EXPECT_NE(main.find(end + back_link), std::string::npos) << main;
  EXPECT_EQ(main.find("Follow", main.find("C12 </a>")), std::string::npos);
  EXPECT_NE(Body("e_0.htm").find("Line, B13 </a>"), std::string::npos);
  EXPECT_EQ(Body("e_0.htm").find("Line, C13"), std::string::npos);
  EXPECT_TRUE(Marks("C13").empty());
}

TEST_F(DescendancyTest, AFamilyLoopEndsAtTheGenerationLimit) {
  // A is the father of B and B the father of A: each outline stops at depth 12, and the
  // continuation of a person already in the table reuses its entry.
  f.run.AddPerson("A", "Al /Loop/", 2);
  f.run.AddPerson("B", "Bo /Loop/", 2);
  f.run.AddPerson("TOP", "Top /Loop/", 2);
  f.run.AddFamily("FA", "A", "", {"B"});
  f.run.AddFamily("FB", "B", "", {"A"});
  f.run.AddFamily("FT", "TOP", "", {"A"});
  f.run.settings.group_only_for_topmost = 1;
  Start();
  Write();
  // Top at depth 0, A at odd depths, B at even ones: B at depth 12 becomes entry 0. On the
  // extended page B's tree reaches B again at depth 12, which reuses entry 0: no new page.
  EXPECT_NE(Page("d_0.htm").find(FollowLink("e_0.htm#0", 2)), std::string::npos);
  std::string extended = Body("e_0.htm");
  EXPECT_EQ(
      extended.find(std::string(kPageFont) + "<a name=\"0\"></a>" + Opened(13, 1, 1, "Loop, Bo ")),
      0u)
      << extended;
  EXPECT_NE(extended.find(FollowLink("e_0.htm#0", 2)), std::string::npos);
  EXPECT_EQ(f.run.fs.files.count("/out/e_1.htm"), 0u);
}

TEST_F(DescendancyTest, PagesHoldGroupsDescendancyGroupsAndALastPageMayStayEmpty) {
  for (int k = 0; k < 4; ++k) {
    std::string n = std::to_string(k);
    f.run.AddPerson("R" + n, "R" + n + " /Top/", 2);
    f.run.AddPerson("C" + n, "C" + n + " /Top/", 2);
    f.run.AddFamily("F" + n, "R" + n, "", {"C" + n});
  }
  f.run.settings.groups_descendancy = 2;
  Start();
  Write();
  auto group = [&](int root, int anchor) {
    return Opened(anchor, root, 1, "Top, R" + std::to_string(root / 2) + " ") +
           Opened(anchor + 1, root + 1, 2, "Top, C" + std::to_string(root / 2) + " ") +
           "</ul></ul>" + back_link;
  };
  // A rule follows every group but the last of a page.
  EXPECT_EQ(Body("d_0.htm"), kPageFont + group(0, 0) + kRule + group(2, 2) + "</font>");
  EXPECT_EQ(Body("d_1.htm"), kPageFont + group(4, 4) + kRule + group(6, 6) + "</font>");
  // C3, examined after the second full page, opens a third page that stays empty.
  EXPECT_EQ(Body("d_2.htm"), kPageFont);
  EXPECT_NE(Page("d_1.htm").find("<title>Descendants 2 of the file</title>"), std::string::npos);
  EXPECT_NE(Page("d_2.htm").find("<title>Descendants 3 of the file</title>"), std::string::npos);
  EXPECT_EQ(Marks("C2").at(0).page, 1);
  EXPECT_EQ(Marks("C2").at(0).anchor, 5);
  const std::vector<platform::ProgressUpdate>& progress = f.run.ui.progress;
  ASSERT_GE(progress.size(), 2u);
  EXPECT_EQ(progress[0].status_text, "Creating data pages for Descendancy: 1");
  EXPECT_EQ(progress[1].status_text, "Creating data pages for Descendancy: 2");
}

TEST_F(DescendancyTest, LivingPeopleKeepTheirPlacesButNotTheirBirthOrMarriageDates) {
  f.run.AddPerson("LIV", "Liv /Young/", 1);
  f.run.AddPerson("OLE", "Ole /Old/", 2);
  f.run.AddPerson("KID", "Kid /Old/", 2);
  f.run.AddFamily("F", "OLE", "LIV", {"KID"});
  // The flags as the living calculation leaves them.
  store::IndividualRecord& liv = f.run.Person("LIV");
  liv.deceased = false;
  liv.birth_seen = true;
  liv.birth_date = "1990";
  liv.birth_place = "Oslo";
  store::IndividualRecord& ole = f.run.Person("OLE");
  ole.birth_seen = true;
  ole.birth_date = "1900";
  ole.birth_place = "Bergen";
  ole.death_date = "1980";
  ole.death_place = "Oslo";
  store::IndividualRecord& kid = f.run.Person("KID");
  kid.deceased = false;
  kid.birth_seen = true;
  kid.birth_date = "2012";
  store::FamilyRecord& family = f.run.Family("F");
  family.marriage_seen = true;
  family.marriage_date = "2010";
  family.marriage_place = "Oslo";
  f.run.settings.suppress_living = 1;
  Start();
  Write();
  std::string tree = Opened(0, 0, 1, "Young, Liv ") + "b. --Not Shown-- Oslo" +
                     Spouse(1, 1, "Old, Ole  ") + "b. 1900 Bergen - d. 1980 Oslo<a name=\"1\">" +
                     " -  Marriage: --Not Shown-- Oslo" + Opened(2, 2, 2, "Old, Kid ") +
                     "b. --Not Shown-- </ul></ul>";
  std::string body = Body("d_0.htm");
  EXPECT_EQ(body.find(kPageFont + tree), 0u) << body;
  EXPECT_NE(Page("d_0.htm").find("For privacy reasons"), std::string::npos);
  EXPECT_EQ(Page("d_0.htm").find("1990"), std::string::npos);
  EXPECT_EQ(Page("d_0.htm").find("2010"), std::string::npos);
  EXPECT_EQ(Entry("KID"),
            "Old, Kid  (b.--Not Shown--) , <a href=\"d_0.htm#2\"> (Young-Old) </a> <br>");

  f.run.settings.suppress_living = 0;
  Write();
  body = Body("d_0.htm");
  EXPECT_NE(body.find("<li>Young, Liv </a></strong></font>b. 1990 Oslo"), std::string::npos);
  EXPECT_NE(body.find(" -  Marriage: 2010 Oslo"), std::string::npos) << body;
}

TEST_F(DescendancyTest, SuppressedColoursBackLinksAndFamilyGroups) {
  AddLineage(14);
  f.run.settings.group_only_for_topmost = 0;
  f.run.settings.no_colors = 1;
  f.run.settings.one_index_page_link = 1;
  f.run.settings.create_family_groups = 0;
  f.run.settings.show_gedcom_ids = 1;
  Start();
  Write();
  std::string body = Body("d_0.htm");
  // Group 0: G0 … G12; anchors only at depth 0, no links, no fonts, no back link; the
  // continuation line keeps its colour.
  std::string g0 = "<ul><a name=\"0\"><li>Line, G0 </a><small>{G0}</small> ";
  for (int k = 1; k <= 12; ++k)
    g0 += "<ul><li>Line, G" + std::to_string(k) + " <small>{G" + std::to_string(k) + "}</small> ";
  g0 += FollowLink("e_0.htm#0", 2);
  for (int k = 0; k <= 12; ++k) g0 += "</ul>";
  EXPECT_EQ(body.find(g0 + kRule + "<ul><a name=\"1\"><li>Line, G1 </a>"), 0u) << body;
  EXPECT_EQ(body.find("font"), std::string::npos);
  EXPECT_EQ(body.find("Back to Main Page"), std::string::npos);
  // G1's tree reaches G13 at depth 12, who has no children: only one continuation entry.
  EXPECT_NE(Body("e_0.htm").find("<a name=\"0\"></a><ul><a name=\""), std::string::npos);
}

// A whole language written to a folder: every link into the descendancy pages, from the
// surname lists and index pages too, must name a page and an anchor that exist.
class DescendancySiteTest : public DescendancyTest, public ::testing::WithParamInterface<int> {};

bool HavePython() { return std::system("python3 -c 'pass' >/dev/null 2>&1") == 0; }

TEST_P(DescendancySiteTest, LinksResolveWithGroupOnlyForTopmostOnAndOff) {
  if (!HavePython()) GTEST_SKIP() << "python3 is not installed";
  AddAshFamily();
  AddLineage(20);
  f.run.settings.group_only_for_topmost = GetParam();
  f.run.state.languages_selected = 1;
  f.Start();
  // Index entries with dates, then plain links.
  for (int dates : {1, 0}) {
    SCOPED_TRACE(dates ? "Index Dates on" : "Index Dates off");
    f.run.settings.index_dates = dates;
    ASSERT_EQ(GenerateSite(f.run.context, 0), 1);
    for (int image :
         {kImageBackground, kImageLogo, kImageRedDot, kImagePedigreeIcon, kImageNotesIcon})
      ExtractRunImage(f.run.context, image);
    ASSERT_EQ(f.run.fs.files.count("/out/e_0.htm"), 1u);
    ASSERT_EQ(f.run.fs.files.count("/out/h_l.htm"), 1u);

    fs::path folder = fs::temp_directory_path() /
                      ("kinloom_descendancy_" + std::to_string(GetParam()) + "_" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& [path, bytes] : f.run.fs.files)
      std::ofstream(folder / fs::path(path).filename(), std::ios::binary) << bytes;
    std::string log = folder.string() + ".log";
    std::string command = std::string("python3 '") + KINLOOM_SOURCE_DIR +
                          "/tools/check_links.py' '" + folder.string() + "' >'" + log + "' 2>&1";
    int status = std::system(command.c_str());
    std::ifstream in(log);
    std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(WEXITSTATUS(status), 0) << report;
    fs::remove_all(folder);
    fs::remove(log);
  }
}

INSTANTIATE_TEST_SUITE_P(Topmost, DescendancySiteTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace kinloom::site
