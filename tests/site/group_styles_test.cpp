// A second page style for family groups, notes entries and the author page: plain text
// written from the units alone. What it shows (who is described in full, which dates are
// withheld, where links lead) comes decided from the traversal; the style owns only its
// markup.
#include <gtest/gtest.h>

#include "lang/tag_labels.h"
#include "site/author_page.h"
#include "site/classic_style.h"
#include "site/family_fixture.h"
#include "site/family_group_pages.h"
#include "site/notes_pages.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

class PlainGroups : public ClassicStyle {
 public:
  void Vitals(PageWriter& out, const VitalsUnit& vitals) override {
    if (vitals.dates.birth.shown) out.AppendHtml(" born " + Event(vitals.dates.birth));
    if (vitals.dates.death.shown) out.AppendHtml(" died " + Event(vitals.dates.death));
  }

  void FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) override {
    out.AppendHtml("#" + std::to_string(group.anchor) + " " + Name(group.principal));
    Vitals(out, group.principal.vitals);
    if (const std::optional<ParentsUnit>& parents = group.principal.parents) {
      out.AppendHtml(" parents:");
      if (parents->father) out.AppendHtml(" " + Link(*parents->father));
      if (parents->mother) out.AppendHtml(" " + Link(*parents->mother));
    }
    out.AppendHtml("\n");
    for (const FamilyBlockUnit& family : group.families) {
      out.AppendHtml("family");
      if (family.marriage) {
        ShownEvent marriage{true, family.marriage->withheld, family.marriage->date,
                            family.marriage->place};
        out.AppendHtml(" married " + Event(marriage));
      }
      if (family.spouse) Member(out, "spouse", *family.spouse);
      for (const GroupMemberUnit& child : family.children) Member(out, "child", child);
      out.AppendHtml("\n");
    }
  }

  void NotesEntry(PageWriter& out, const NotesEntryUnit& entry) override {
    std::string text;
    for (const NotesPersonUnit& person : entry.people)
      text += (text.empty() ? "" : " & ") + std::string(person.surname) + ", " +
              std::string(person.given_names);
    for (const NotesItemUnit& item : entry.items)
      text += " | " + item.label.value_or("?") + ": " + (item.withheld ? "?" : item.text);
    out.AppendHtml(text + "\n");
  }

  void AuthorPage(PageWriter& out, const AuthorPageUnit& page) override {
    out.AppendHtml("owner: " + page.owner_name + " <" + page.owner_email + ">\n");
  }

 private:
  static std::string Event(const ShownEvent& event) {
    std::string text = event.withheld ? "?" : std::string(event.date);
    if (!event.place.empty()) text += " in " + std::string(event.place);
    return text;
  }
  static std::string Name(const FullPersonUnit& person) {
    return std::string(person.surname) + ", " + std::string(person.given_names);
  }
  static std::string Link(const GroupLinkUnit& link) {
    return "[" + link.name + "->" + link.target + "]";
  }
  void Member(PageWriter& out, const std::string& role, const GroupMemberUnit& member) {
    if (!member.in_full) {
      out.AppendHtml("; " + role + " " + Link(member.link));
      return;
    }
    out.AppendHtml("; " + role + " " + Name(member.full));
    Vitals(out, member.full.vitals);
  }
};

TEST(GroupStylesTest, FamilyGroupInPlainTextFromTheSameFacts) {
  SiteFixture f;
  testing::AddWardFamily(f.run);
  f.run.settings.suppress_living = 1;
  SiteContext& site = f.Start();
  PlainGroups plain;
  site.SetStyle(plain);
  EXPECT_EQ(f.Body([&] { WriteFamilyGroup(site, 0); }),
            // The given names keep the blank before the surname of "Hal /Ward/".
            "#0 Ward, Hal  born 1 JAN 1900 in York died 2 FEB 1970 in Leeds parents: "
            "[Ward, Old  ->f_0.htm#2] [Ward, Ma  ->f_0.htm#2]\r\n"
            "family married 4 APR 1925 in York; spouse Stone, Wilma  born 1905; child Ward, Kid  "
            "born 6 JUN 1926 in York; child [Ward, Kate  ->f_0.htm#1]\r\n"
            // Wendy is living: the marriage date and her birth date are withheld.
            "family married ? in Hull; spouse Marsh, Wendy  born ? in Hull\r\n");
}

TEST(GroupStylesTest, NotesEntriesAndAuthorPageInPlainText) {
  SiteFixture f;
  f.run.settings.create_notes_pages[0] = 1;
  f.run.settings.suppress_lds_living = 1;
  f.run.state.notes_tag_selection =
      lang::LoadNotesTagList(lang::DefaultNotesToInclude(), f.run.settings);
  f.run.AddPerson("I1", "John/Smith/", 2);
  f.run.AddPerson("I2", "Mary/Brown/", 1);
  f.run.AddFamily("F1", "I1", "I2");
  f.run.Person("I2").deceased = false;
  f.run.Family("F1").notes = {{"Wed in York", 84, 55}, {"Sealed", 112, 55}};
  f.run.settings.owner.user_name = "Ann Owner";
  f.run.settings.owner.email_address = "ann@example.org";
  SiteContext& site = f.Start();
  PlainGroups plain;
  site.SetStyle(plain);

  WriteNotesPages(site);
  std::string page = f.run.fs.Read("/out/n_0.htm");
  EXPECT_NE(page.find("Smith, John & Brown, Mary | Note: Wed in York | Sealing Spouse: ?\r\n"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("<BLOCKQUOTE>"), std::string::npos) << page;

  WriteAuthorPage(*f.writer, plain);
  std::string author = f.run.fs.Read("/out/r.htm");
  EXPECT_NE(author.find("owner: Ann Owner <ann@example.org>\r\n"), std::string::npos) << author;
  EXPECT_EQ(author.find("<center><font"), std::string::npos) << author;
}

}  // namespace
}  // namespace kinloom::site
