// The facts that name pages and link targets: items per page, the family group, notes and
// chart targets, a person's link target and name, and the files of the index pages.
#include <gtest/gtest.h>

#include "site/page_facts.h"
#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

class LinkFactsTest : public ::testing::Test {
 protected:
  LinkFactsTest() { naming = MakePageNaming(language, options); }
  void Rename() { naming = MakePageNaming(language, options); }

  SiteLanguage language = testing::EnglishLanguage();
  settings::Settings options;
  PageNaming naming;
};

TEST_F(LinkFactsTest, ItemsPerPageAndTheirPlaces) {
  EXPECT_EQ(ItemsPerPage(10), 10);
  EXPECT_EQ(ItemsPerPage(1), 1);
  EXPECT_EQ(ItemsPerPage(0), 1);  // a zero option must not divide
  PagePlace place = PlaceOfItem(37, 10);
  EXPECT_EQ(place.page, 3);
  EXPECT_EQ(place.anchor, 7);
  place = PlaceOfItem(9, 10);
  EXPECT_EQ(place.page, 0);
  EXPECT_EQ(place.anchor, 9);
  place = PlaceOfItem(0, 1);
  EXPECT_EQ(place.page, 0);
  EXPECT_EQ(place.anchor, 0);
}

TEST_F(LinkFactsTest, FamilyGroupAndNotesTargetsNumberPagesInHexAndAnchorsInDecimal) {
  options.groups = 10;
  Rename();
  EXPECT_EQ(FamilyGroupHref(naming, 37), "f_3.htm#7");
  EXPECT_EQ(FamilyGroupHref(naming, 165), "f_10.htm#5");
  options.groups = 0;
  options.groups_notes = 4;
  options.htm = 0;
  language.prefixes[static_cast<int>(PageKind::kNotes)] = "fn";
  Rename();
  EXPECT_EQ(FamilyGroupHref(naming, 26), "f_1a.html#0");
  EXPECT_EQ(NotesHref(naming, 9), "fn_2.html#1");
  EXPECT_EQ(NotesHref(naming, 43), "fn_a.html#3");
}

TEST_F(LinkFactsTest, ChartTargetsFollowTheAppearance) {
  ChartAppearance appearance{false, 26, 4};
  EXPECT_EQ(ChartHref(naming, PageKind::kDescendancy, PageKind::kExtendedDescendancy, appearance),
            "d_1a.htm#4");
  appearance.extended = true;
  EXPECT_EQ(ChartHref(naming, PageKind::kDescendancy, PageKind::kExtendedDescendancy, appearance),
            "e_1a.htm#4");
  EXPECT_EQ(ChartHref(naming, PageKind::kPedigree, PageKind::kExtendedPedigree, appearance),
            "k_1a.htm#4");
}

TEST_F(LinkFactsTest, PersonTargetOfEachKind) {
  options.groups = 10;
  options.groups_notes = 10;
  Rename();
  store::IndividualRecord person;
  person.group = 12;
  EXPECT_EQ(PersonLinkTarget(naming, PersonLinkKind::kFamilyGroup, person, -1, nullptr).href,
            "f_1.htm#2");

  // Without a notes entry the link is still written, without a target.
  PersonTarget notes = PersonLinkTarget(naming, PersonLinkKind::kNotes, person, -1, nullptr);
  EXPECT_TRUE(notes.shown);
  EXPECT_EQ(notes.href, "");
  EXPECT_EQ(PersonLinkTarget(naming, PersonLinkKind::kNotes, person, 21, nullptr).href,
            "n_2.htm#1");

  // On no chart: no link at all.
  EXPECT_FALSE(PersonLinkTarget(naming, PersonLinkKind::kDescendancy, person, -1, nullptr).shown);
  EXPECT_FALSE(PersonLinkTarget(naming, PersonLinkKind::kPedigree, person, -1, nullptr).shown);

  const ChartAppearance extended{true, 3, 5};
  PersonTarget chart = PersonLinkTarget(naming, PersonLinkKind::kDescendancy, person, -1, &extended);
  EXPECT_TRUE(chart.shown);
  EXPECT_EQ(chart.href, "e_3.htm#5");
  const ChartAppearance plain{false, 3, 5};
  EXPECT_EQ(PersonLinkTarget(naming, PersonLinkKind::kPedigree, person, -1, &plain).href, "p_3.htm#5");
  EXPECT_EQ(PersonLinkTarget(naming, PersonLinkKind::kPedigree, person, -1, &extended).href,
            "k_3.htm#5");
  // The appearance does not concern the other kinds.
  EXPECT_EQ(PersonLinkTarget(naming, PersonLinkKind::kFamilyGroup, person, -1, &extended).href,
            "f_1.htm#2");
}

TEST_F(LinkFactsTest, PersonLinkName) {
  store::IndividualRecord person;
  person.given_names = "John";
  EXPECT_EQ(PersonLinkName(person), ", John ");
  person.surname = "Smith";
  person.title = "Sir";
  EXPECT_EQ(PersonLinkName(person), "Smith, John Sir");
  person.given_names.clear();
  EXPECT_EQ(PersonLinkName(person), "Smith, Sir");
}

TEST_F(LinkFactsTest, IndexPageFiles) {
  EXPECT_EQ(MainIndexFile(naming), "index.htm");
  EXPECT_EQ(SurnameListFile(naming, PageKind::kPedigreeSurnameList), "m.htm");

  const auto ansi = platform::TextEncoding::kWindows1252;
  EXPECT_EQ(SurnameIndexLetter("smith", ansi), "S");
  EXPECT_EQ(SurnameIndexLetter("SMITH", ansi), "S");
  EXPECT_EQ(SurnameIndexLetter("", ansi), "~");
  EXPECT_EQ(SurnameIndexLetter("1st", ansi), "~");
  EXPECT_EQ(SurnameIndexLetter("\xD8rsted", ansi), "\xD8");
  EXPECT_EQ(SurnameIndexLetter("\xF8ksen", ansi), "~");  // lower-case ø is no index letter
  EXPECT_EQ(SurnameIndexLetter("\xC3\x98rsted", platform::TextEncoding::kUtf8), "\xC3\x98");

  EXPECT_EQ(SurnameIndexFile(naming, PageKind::kFamilySurnameIndex, "S"), "b_s.htm");
  EXPECT_EQ(SurnameIndexFile(naming, PageKind::kFamilySurnameIndex, "~"), "b_0.htm");
  EXPECT_EQ(SurnameIndexFile(naming, PageKind::kNotesSurnameIndex, "\xD8"), "o_\xD8.htm");
}

}  // namespace
}  // namespace kinloom::site
