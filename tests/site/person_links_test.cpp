#include "site/person_links.h"

#include <gtest/gtest.h>

#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

TEST(PersonLinksTest, FamilyGroupTargetsUsePageNumberInHexAndAnchorInDecimal) {
  SiteFixture f;
  f.run.AddPerson("I1", "John /Smith/");
  f.run.settings.htm = 0;
  SiteContext& site = f.Start();
  store::IndividualRecord& p = f.run.Person("I1");
  p.group = 37;
  EXPECT_EQ(FamilyGroupTarget(site, p), "f_3.html#7");
  p.group = 26;
  EXPECT_EQ(FamilyGroupTarget(site, p), "f_2.html#6");
  p.group = 105;
  EXPECT_EQ(FamilyGroupTarget(site, p), "f_a.html#5");
  f.run.settings.groups = 0;  // a zero option must not divide by zero
  EXPECT_EQ(FamilyGroupTarget(site, p), "f_69.html#0");
}

TEST(PersonLinksTest, LinkWritesAnchorColourRedDotNameIdAndBreak) {
  SiteFixture f;
  f.run.AddPerson("I1", "John Smith");
  f.run.AddPerson("I2", "Ann /O'Hara/ ");
  f.run.settings.show_gedcom_ids = 1;
  f.run.state.mark_all_ancestors = true;
  SiteContext& site = f.Start();
  f.run.Person("I2").ancestor = true;
  f.run.Person("I2").title = "Dr.";
  EXPECT_EQ(f.Body([&] {
    WritePersonLink(site, PersonLinkKind::kFamilyGroup, f.run.Person("I1"), false, false,
                    kNoColour);
  }),
            "<a href=\"f_0.htm#0\">, John Smith </a><small>{I1}</small> <br>");
  EXPECT_EQ(f.Body([&] {
    WritePersonLink(site, PersonLinkKind::kFamilyGroup, f.run.Person("I2"), true, true, 0x00A0FF);
  }),
            "<a name=\"o'hara\" href=\"f_0.htm#1\" style=\"color: #00A0FF\"><img src=\"q5.gif\" "
            "border=0 >O'Hara, Ann  Dr.</a><small>{I2}</small> <br>");
}

TEST(PersonLinksTest, IdsAndAlsoKnownAsReachThePageEscaped) {
  SiteFixture f;
  f.run.AddPerson("<script>", "Eve /Bad/");
  f.run.settings.show_gedcom_ids = 1;
  SiteContext& site = f.Start();
  EXPECT_EQ(f.Body([&] { WriteGedcomId(site, f.run.Person("<script>")); }),
            "<small>{&lt;script&gt;}</small> ");
}

TEST(PersonLinksTest, EntryShowsDatesWithLivingSuppressionAndBaptism) {
  SiteFixture f;
  f.run.AddPerson("I1", "Liv /Young/");
  f.run.AddPerson("I2", "Old /Bones/");
  f.run.AddPerson("I3", "Chris /Tening/");
  f.run.settings.suppress_living = 1;
  SiteContext& site = f.Start();
  store::IndividualRecord& living = f.run.Person("I1");
  living.deceased = false;
  living.birth_seen = true;
  living.birth_date = "1 JAN 1990";
  store::IndividualRecord& dead = f.run.Person("I2");
  dead.burial_date = "3 MAR 1950";
  store::IndividualRecord& baptised = f.run.Person("I3");
  baptised.christening_date = "5 MAY 1800";
  baptised.death_date = "1870";
  auto entry = [&](const store::IndividualRecord& p) {
    return f.Body([&] { WritePersonEntry(site, PersonLinkKind::kFamilyGroup, p, false); });
  };
  EXPECT_EQ(entry(living), "<a href=\"f_0.htm#0\">Young, Liv  </a>(b.--Not Shown--)<br>");
  EXPECT_EQ(entry(dead), "<a href=\"f_0.htm#1\">Bones, Old  </a>(d. 3 MAR 1950)<br>");
  EXPECT_EQ(entry(baptised),
            "<a href=\"f_0.htm#2\">Tening, Chris  </a>(b. 5 MAY 1800 - d. 1870)<br>");
  f.run.settings.use_baptism = 0;
  EXPECT_EQ(entry(baptised), "<a href=\"f_0.htm#2\">Tening, Chris  </a>(d. 1870)<br>");
}

TEST(PersonLinksTest, ChartLinksFollowBookmarksAndWriteNothingWithoutOne) {
  SiteFixture f;
  f.run.AddPerson("I1", "Ann /Root/");
  f.run.AddPerson("I2", "Bo /Spouse/");
  f.run.AddPerson("I3", "Cy /Nowhere/");
  f.run.settings.group_only_for_topmost = 0;
  SiteContext& site = f.Start();
  store::IndividualRecord& a = f.run.Person("I1");
  for (ChartBookmarks* marks :
       {&site.layout_to_fill().descendancy.bookmarks, &site.layout_to_fill().pedigree.bookmarks})
    for (const Bookmark& mark : {Bookmark{true, 10, 4, 0, 1}, Bookmark{false, 2, 1, 0, -1}})
      marks->Add(a.index, mark);
  EXPECT_EQ(f.Body([&] {
    WritePersonLink(site, PersonLinkKind::kDescendancy, a, false, false, kNoColour);
  }),
            "<a href=\"e_a.htm#4\">Root, Ann  </a><br>");
  EXPECT_EQ(
      f.Body([&] { WritePersonLink(site, PersonLinkKind::kPedigree, a, false, false, kNoColour); }),
      "<a href=\"k_a.htm#4\">Root, Ann  </a><br>");
  EXPECT_EQ(
      f.Body([&] { WritePersonEntry(site, PersonLinkKind::kPedigree, f.run.Person("I3"), true); }),
      "");
  f.run.settings.group_only_for_topmost = 1;
  EXPECT_EQ(f.Body([&] { WritePersonEntry(site, PersonLinkKind::kDescendancy, a, true); }),
            "<a name=\"root\"></a>Root, Ann   , <a href=\"e_a.htm#4\"> (Root-Spouse) </a>  , <a "
            "href=\"d_2.htm#1\"> (Root) </a> <br>");
  // The surname anchor that the list of surnames names stays without a link of its own.
  EXPECT_EQ(f.Body([&] {
    WritePersonLink(site, PersonLinkKind::kDescendancy, a, false, true, kNoColour);
  }),
            "<a name=\"root\"></a>Root, Ann  <br>");
  EXPECT_EQ(f.Body([&] {
    WritePersonLink(site, PersonLinkKind::kDescendancy, a, false, false, kNoColour);
  }),
            "Root, Ann  <br>");
}

// A note item naming a note record does not redirect the link: notes pages are numbered by
// entries, and record 25 would be page 1, anchor 5.
TEST(PersonLinksTest, NotesLinksLandOnTheEntryAndIconsNeedEntries) {
  SiteFixture f;
  f.run.AddPerson("I1", "Ann /Noted/");
  f.run.settings.groups_notes = 20;
  f.run.settings.create_notes_pages[0] = 1;
  f.run.settings.create_pedigree_groups = 1;
  f.run.store.notes.resize(30);
  f.run.store.notes[25].id = "@N7@";
  f.run.store.notes[3].id = "N7";  // not an at-sign id
  SiteContext& site = f.Start();
  store::IndividualRecord& p = f.run.Person("I1");
  site.layout_to_fill().notes.individual_entries = {3};
  p.notes = {{"just text", 0, 0}, {"@N7@", 0, 0}, {"@N1@", 0, 0}};
  EXPECT_EQ(
      f.Body([&] { WritePersonLink(site, PersonLinkKind::kNotes, p, false, false, kNoColour); }),
      "<a href=\"n_0.htm#3\">Noted, Ann  </a><br>");
  EXPECT_EQ(f.Body([&] { WritePersonEntry(site, PersonLinkKind::kNotes, p, false); }),
            "<a href=\"n_0.htm#3\">Noted, Ann  </a><br>");
  for (const Bookmark& mark : {Bookmark{false, 0, 2, -1, -1}, Bookmark{false, 1, 0, -1, -1}})
    site.layout_to_fill().pedigree.bookmarks.Add(p.index, mark);
  EXPECT_EQ(f.Body([&] {
    WritePersonLink(site, PersonLinkKind::kFamilyGroup, p, true, false, kNoColour);
  }),
            "<a href=\"f_0.htm#0\">Noted, Ann  </a> <a href=\"n_0.htm#3\"><IMG SRC=\"q4.gif\" "
            "border=\"0\"></a> <a href=\"k_0.htm#2\"><IMG SRC=\"q3.gif\" border=\"0\"></a><br>");
  p.notes.clear();  // an entry number without notes gives no icon
  EXPECT_EQ(f.Body([&] { EXPECT_FALSE(WriteNotesIcon(site, 0, true)); }), "");
}

}  // namespace
}  // namespace kinloom::site
