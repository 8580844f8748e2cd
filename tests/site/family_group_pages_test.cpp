#include "site/family_group_pages.h"

#include <gtest/gtest.h>

#include <cstring>

#include "site/family_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

class FamilyGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::AddWardFamily(f.run);
    f.run.settings.suppress_living = 1;
  }
  std::string Group(int g) {
    return f.Body([&] { WriteFamilyGroup(*f.site, g); });
  }
  SiteFixture f;
};

TEST_F(FamilyGroupTest, LayoutPlacesSpousesAndUnmarriedChildWithThePrincipal) {
  f.Start();
  EXPECT_EQ(f.run.store.group_count, 3);
  EXPECT_EQ(f.run.Person("HAL").group, 0);
  EXPECT_EQ(f.run.Person("WILMA").group, 0);
  EXPECT_EQ(f.run.Person("WENDY").group, 0);
  EXPECT_EQ(f.run.Person("KID").group, 0);
  EXPECT_EQ(f.run.Person("KATE").group, 1);  // with her husband Sam
  EXPECT_EQ(f.run.Person("OLD").group, 2);   // with his wife Ma
}

TEST_F(FamilyGroupTest, GroupWithTwoMarriagesChildrenInAndOutAndParents) {
  f.Start();
  std::string back = f.Body([&] { f.writer->WriteBackLink(); });
  std::string expected =
      "<blockquote>" + back +
      "<a name=\"0\"><b><font color='#112233'>Ward, Hal  </b><small> [aka: Harry &lt;H&gt;, ] "
      "</small></a></font><br>"
      "b. 1 JAN 1900 York<br>d. 2 FEB 1970 Leeds<br>"
      "Parents:<blockquote>"
      "Father:<a name=\"ward\" href=\"f_0.htm#2\" style=\"color: #445566\">Ward, Old  </a><br>"
      "Mother:<a name=\"ward\" href=\"f_0.htm#2\" style=\"color: #445566\">Ward, Ma  </a><br>"
      "</blockquote>"
      "Family:<blockquote> Marriage: 4 APR 1925 York<br>"
      "Spouse:<font color='#112233'> <b>Stone, Wilma  </b></font><br>b. 1905 <br>"
      "Children:<ul>"
      "<font color='#778899'><b>Ward, Kid  </b></font><br>b. 6 JUN 1926 York<br>"
      "<a href=\"f_0.htm#1\" style=\"color: #778899\">Ward, Kate  </a><br>"
      "</ul></blockquote>"
      "Family:<blockquote> Marriage:--Not Shown-- Hull<br>"
      "Spouse:<font color='#112233'> <b>Marsh, Wendy  </b></font><br>b. --Not Shown-- Hull<br>"
      "</blockquote>"
      "</blockquote>";
  EXPECT_EQ(Group(0), expected);
}

TEST_F(FamilyGroupTest, MarriageDateShownWithoutSuppression) {
  f.run.settings.suppress_living = 0;
  f.Start();
  std::string page = Group(0);
  EXPECT_NE(page.find(" Marriage:4 APR 1925  York<br>"), std::string::npos) << page;
  EXPECT_NE(page.find(" Marriage:5 MAY 1980  Hull<br>"), std::string::npos) << page;
  EXPECT_NE(page.find("b. 3 MAR 1960 Hull<br>"), std::string::npos) << page;
}

TEST_F(FamilyGroupTest, ColourRulesFollowTheTwoTextColourSettings) {
  settings::Settings s = f.run.settings;
  FamilyPageColours c = FamilyColours(s);
  EXPECT_EQ(c.spouses, 0x112233);
  EXPECT_EQ(c.children, 0x778899);
  EXPECT_EQ(c.parents, 0x445566);
  s.use_text_color = 1;
  c = FamilyColours(s);
  EXPECT_EQ(c.spouses, 0x112233);  // text colour alone changes nothing here
  s.use_text_color_for_family_pages = 1;
  c = FamilyColours(s);
  EXPECT_EQ(c.spouses, 0x0A0B0C);
  EXPECT_EQ(c.children, 0x0A0B0C);
  EXPECT_EQ(c.parents, 0x0A0B0C);
  s.use_text_color = 0;
  c = FamilyColours(s);
  EXPECT_EQ(c.spouses, -1);
  EXPECT_EQ(c.children, -1);
  EXPECT_EQ(c.parents, -1);
}

TEST_F(FamilyGroupTest, FamilyPagesTextColourAloneWritesNoColourAnywhere) {
  f.run.settings.use_text_color_for_family_pages = 1;
  f.Start();
  std::string page = Group(0);
  EXPECT_EQ(page.find("color"), std::string::npos) << page;
}

TEST_F(FamilyGroupTest, NoColorsDropsFontTagsButLinksKeepTheirStyle) {
  f.run.settings.no_colors = 1;
  f.Start();
  std::string page = Group(0);
  EXPECT_EQ(page.find("<font"), std::string::npos) << page;
  EXPECT_EQ(page.find("</font>"), std::string::npos) << page;
  EXPECT_NE(page.find("style=\"color: #778899\">Ward, Kate"), std::string::npos) << page;
  EXPECT_NE(page.find("style=\"color: #445566\">Ward, Old"), std::string::npos) << page;
}

TEST_F(FamilyGroupTest, OutsideSpouseIsALinkAndWifeOnlyFamilyHasNoSpouseLine) {
  f.run.AddPerson("SOLO", "Solo /Mum/", 1);
  f.run.AddPerson("BABY", "Baby /Mum/");
  f.run.AddFamily("F9", "", "SOLO", {"BABY"});
  f.Start();
  // Sam heads group 1 and shows Kate, placed with him, in full.
  std::string sam = Group(1);
  EXPECT_NE(sam.find("Spouse:<font color='#112233'> <b>Ward, Kate  </b>"), std::string::npos)
      << sam;
  EXPECT_NE(sam.find("Parents:<blockquote>Father:<a name=\"ward\" href=\"f_0.htm#0\""),
            std::string::npos)
      << sam;
  int solo_group = f.run.Person("SOLO").group;
  std::string solo = Group(solo_group);
  EXPECT_EQ(solo.find("Spouse:"), std::string::npos) << solo;
  EXPECT_NE(solo.find("Children:<ul><font color='#778899'><b>Mum, Baby  </b>"), std::string::npos)
      << solo;
}

TEST(FamilyGroupPagesTest, FiveGroupsPerPageGiveThreePagesForTwelveGroups) {
  SiteFixture f;
  for (int i = 0; i < 12; ++i)
    f.run.AddPerson("I" + std::to_string(i), "P" + std::to_string(i) + " /Solo/");
  f.run.settings.groups = 5;
  f.run.settings.htm = 0;
  f.run.settings.family_page_text_a[0] = "Family Page";
  f.run.settings.family_page_text_b[0] = "of Ward";
  SiteContext& site = f.Start();
  ASSERT_EQ(f.run.store.group_count, 12);
  WriteFamilyGroupPages(site);
  const char* rule = "<hr size=4 width='80%'>";
  for (int page = 0; page < 3; ++page) {
    std::string path = "/out/f_" + std::to_string(page) + ".html";
    ASSERT_TRUE(f.run.fs.files.count(path)) << path;
    std::string text = f.run.fs.Read(path);
    EXPECT_NE(text.find("Family Page " + std::to_string(page + 1) + " of Ward"), std::string::npos);
    for (int g = page * 5; g < std::min(12, page * 5 + 5); ++g) {
      std::string anchor = "<a name=\"" + std::to_string(g % 5) + "\">";
      std::size_t at = text.find(anchor);
      ASSERT_NE(at, std::string::npos) << path << " group " << g;
      std::size_t end = text.find("</blockquote>", at);
      bool rule_follows = text.compare(end + 13, std::strlen(rule), rule) == 0;
      EXPECT_EQ(rule_follows, g != 4 && g != 9) << "group " << g;
    }
  }
  EXPECT_FALSE(f.run.fs.files.count("/out/f_3.html"));
  // Progress names the page being finished.
  auto texts = f.run.ui.StatusTexts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2], "Creating data pages for Families : 1");
  EXPECT_EQ(texts.back(), "Creating data pages for Families : 2");
}

TEST(FamilyGroupPagesTest, VitalsInlineShowGenderAndJoinBirthAndDeath) {
  SiteFixture f;
  f.run.AddPerson("I1", "Ann /Lee/", 1);
  f.run.settings.gender = 1;
  SiteContext& site = f.Start();
  store::IndividualRecord& p = f.run.Person("I1");
  p.birth_seen = true;
  p.birth_date = "1800";
  p.burial_date = "1880";
  p.burial_place = "Ely";
  bool wrote = false;
  EXPECT_EQ(f.Body([&] { wrote = WriteVitals(site, p, true); }), "[Female] b. 1800  - d. 1880 Ely");
  EXPECT_TRUE(wrote);
  EXPECT_EQ(f.Body([&] { WriteVitals(site, p, false); }),
            "b. 1800 <br>d. 1880 Ely<br> Gender: Female<BR>");
  p.birth_date.clear();
  p.burial_date.clear();
  p.burial_place.clear();
  EXPECT_EQ(f.Body([&] { wrote = WriteVitals(site, p, false); }), " Gender: Female<BR>");
  EXPECT_FALSE(wrote);
}

}  // namespace
}  // namespace kinloom::site
