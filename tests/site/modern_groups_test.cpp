// The modern family groups, vitals, notes entries and author page: what their markup
// guarantees whatever the unit holds. Each group is a section headed by its principal with the
// group's anchor; vitals are description lists; children a list; every person, date, place,
// privacy text, link target and anchor of the unit is on the page; hostile texts stay text;
// the markup is balanced HTML5 without the classic presentational markup.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "site/author_page.h"
#include "site/modern_style.h"
#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

// A writer in the modern style, and the text a unit adds to its open page.
struct ModernRun : testing::WriterTestRun {
  ModernStyle style;

  ModernRun() {
    settings.page_style = 1;
    writer.SetStyle(style);
  }

  // Opens a page, has `write` add to it and returns what it added (line ends as "\n").
  template <typename Write>
  std::string Written(Write write) {
    writer.OpenPage("/out/f_0.htm", "Page", false, false);
    writer.FlushPageBuffer();
    const std::size_t head = fs.files["/out/f_0.htm"].size();
    write();
    writer.CloseFile();
    std::string text = fs.Read("/out/f_0.htm").substr(head);
    std::string out;
    for (char c : text)
      if (c != '\r') out += c;
    return out;
  }
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The elements that never have an end tag.
bool IsVoid(const std::string& name) {
  for (const char* v : {"br", "img", "hr", "meta", "link", "input", "wbr"})
    if (name == v) return true;
  return false;
}

// Whether every element opened in `html` is closed in order (self-closed SVG shapes and void
// elements aside); `why` tells the first fault.
bool Balanced(const std::string& html, std::string* why) {
  std::vector<std::string> open;
  static const std::regex tag(R"(<(/?)([A-Za-z][A-Za-z0-9]*)[^>]*?(/?)>)");
  for (std::sregex_iterator it(html.begin(), html.end(), tag), end; it != end; ++it) {
    std::string name = (*it)[2];
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (IsVoid(name) || (*it)[3].length() > 0) continue;
    if ((*it)[1].length() == 0) {
      open.push_back(name);
    } else if (open.empty() || open.back() != name) {
      *why = "</" + name + "> closes " + (open.empty() ? std::string("nothing") : open.back());
      return false;
    } else {
      open.pop_back();
    }
  }
  if (!open.empty()) *why = "<" + open.back() + "> left open";
  return open.empty();
}

// The classic page's presentational markup, none of which a modern page may hold.
void ExpectNoClassicMarkup(const std::string& html) {
  static const std::regex forbidden(
      R"re(<(font|center|table|blockquote|img)\b|\.gif|\s(style|bgcolor|align|border|width|height|valign|color|size)=)re",
      std::regex::icase);
  std::smatch m;
  EXPECT_FALSE(std::regex_search(html, m, forbidden)) << m.str(0) << " in\n" << html;
}

void ExpectWellFormed(const std::string& html) {
  std::string why;
  EXPECT_TRUE(Balanced(html, &why)) << why << "\n" << html;
  ExpectNoClassicMarkup(html);
}

ShownDates Dates(std::string_view birth, std::string_view birth_place, std::string_view death,
                 std::string_view death_place) {
  ShownDates dates;
  dates.birth = {true, false, birth, birth_place};
  dates.death = {true, false, death, death_place};
  return dates;
}

GroupLinkUnit LinkUnit(const std::string& name, const std::string& target) {
  GroupLinkUnit link;
  link.name = name;
  link.target = target;
  return link;
}

// A group of three generations: the principal with parents, one family with a marriage, a
// spouse described in full, a child described in full and a child linked to its own group.
FamilyGroupUnit ThreeGenerations() {
  FamilyGroupUnit group;
  group.anchor = 4;
  FullPersonUnit& p = group.principal;
  p.surname = "Carden";
  p.given_names = "Florence";
  p.title = "Dr";
  p.also_known_as = "Flo";
  p.colour = 0x112233;
  p.marks.gedcom_id = "I8";
  p.marks.notes_target = "n_0.htm#3";
  p.marks.pedigree_target = "p_0.htm#6";
  p.vitals.dates = Dates("9 OCT 1917", "Market Harborough", "28 MAY 1999", "Montreal");
  p.vitals.sex = 1;
  ParentsUnit parents;
  parents.father = LinkUnit("Carden, Henry ", "f_1.htm#0");
  parents.father->name_anchor = "carden";
  parents.father->colour = 0x445566;
  parents.mother = LinkUnit("Pelham, Rose ", "f_1.htm#0");
  parents.mother->name_anchor = "pelham";
  p.parents = parents;

  FamilyBlockUnit family;
  MarriageUnit marriage;
  marriage.date = "20 APR 1940";
  marriage.place = "Leicester";
  marriage.notes_target = "n_0.htm#9";
  family.marriage = marriage;
  GroupMemberUnit spouse;
  spouse.in_full = true;
  spouse.full.role = FullPersonUnit::Role::kSpouse;
  spouse.full.surname = "Hollowell";
  spouse.full.given_names = "Edward";
  spouse.full.vitals.dates = Dates("8 APR 1915", "", "22 AUG 1988", "Toronto");
  spouse.full.parents = ParentsUnit{LinkUnit("Hollowell, Thomas ", "f_0.htm#0"), std::nullopt};
  family.spouse = spouse;
  family.has_children = true;
  GroupMemberUnit robert;
  robert.link = LinkUnit("Hollowell, Robert ", "f_1.htm#2");
  robert.link.colour = 0x778899;
  robert.link.marks.pedigree_target = "p_0.htm#4";
  GroupMemberUnit jean;
  jean.in_full = true;
  jean.full.role = FullPersonUnit::Role::kChild;
  jean.full.surname = "Hollowell";
  jean.full.given_names = "Jean";
  jean.full.colour = 0x778899;
  jean.full.vitals.dates.birth = {true, true, "", "Leicester"};
  family.children = {robert, jean};
  group.families.push_back(family);
  return group;
}

TEST(ModernFamilyGroupTest, SectionHeadedByThePrincipalWithEveryMemberDateAndLink) {
  ModernRun t;
  const std::string html = t.Written([&] { t.style.FamilyGroup(t.writer, ThreeGenerations()); });
  ExpectWellFormed(html);
  // One section per group, opened by the heading that carries the group's anchor.
  EXPECT_EQ(html.rfind("<section class=\"family-group\">", 0), 0u) << html;
  EXPECT_TRUE(std::regex_search(html, std::regex(R"(<h2 id="4">[\s\S]*Carden, Florence Dr [\s\S]*</h2>)")))
      << html;
  EXPECT_TRUE(Contains(html, "[aka: Flo]"));
  // Vitals as description lists, in the classic order: birth, death, gender.
  EXPECT_TRUE(Contains(html,
                       "<dl class=\"vitals\"><dt>b.</dt><dd>9 OCT 1917 Market Harborough</dd>"
                       "<dt>d.</dt><dd>28 MAY 1999 Montreal</dd>"
                       "<dt>Gender</dt><dd>Female</dd></dl>"))
      << html;
  // Parents under their heading, each a link that also sets the surname anchor.
  EXPECT_TRUE(std::regex_search(
      html, std::regex(R"(<h3>Parents</h3><dl><dt>Father</dt><dd><a id="carden"[^>]* href="f_1.htm#0">Carden, Henry </a>)")))
      << html;
  EXPECT_TRUE(Contains(html, "<dt>Mother</dt><dd><a id=\"pelham\" href=\"f_1.htm#0\">"));
  // The family: marriage, spouse in full with vitals and parents, children in a list.
  EXPECT_TRUE(Contains(html, "<h3>Family</h3>"));
  EXPECT_TRUE(Contains(html, "<dt>Marriage</dt><dd>20 APR 1940 Leicester"));
  EXPECT_TRUE(Contains(html, "href=\"n_0.htm#9\""));
  EXPECT_TRUE(Contains(html, "<dt>Spouse</dt><dd><strong class=\"name\">Hollowell, Edward </strong>"))
      << html;
  EXPECT_TRUE(Contains(html, "<dd>8 APR 1915 </dd>"));
  EXPECT_TRUE(Contains(html, "<h4>Parents</h4>"));
  EXPECT_TRUE(Contains(html, ">Hollowell, Thomas </a>"));
  EXPECT_TRUE(std::regex_search(
      html, std::regex(R"(<h4>Children</h4>\s*<ul[^>]*>\s*<li><a class="children" href="f_1.htm#2">Hollowell, Robert </a>[\s\S]*</li>\s*<li><strong class="children">Hollowell, Jean </strong>[\s\S]*--Not Shown-- Leicester[\s\S]*</li>\s*</ul>)")))
      << html;
  // Marks: the GEDCOM id and the icon links, each with a name.
  EXPECT_TRUE(Contains(html, "{I8}"));
  for (const char* target : {"n_0.htm#3", "p_0.htm#6", "p_0.htm#4"})
    EXPECT_TRUE(std::regex_search(
        html, std::regex(std::string("<a class=\"icon-link\" href=\"") + target +
                         "\" aria-label=\"[^\"]+\"")))
        << target << "\n" << html;
  // Headings in order: h2, then h3 and h4 under it, none skipped.
  std::vector<int> levels;
  static const std::regex heading("<h([1-6])");
  for (std::sregex_iterator it(html.begin(), html.end(), heading), end; it != end; ++it)
    levels.push_back((*it)[1].str()[0] - '0');
  ASSERT_FALSE(levels.empty());
  EXPECT_EQ(levels[0], 2);
  for (std::size_t k = 1; k < levels.size(); ++k) EXPECT_LE(levels[k], levels[k - 1] + 1);
}

TEST(ModernFamilyGroupTest, ColourClassesFollowTheUnitAndTheTextColourOption) {
  ModernRun t;
  FamilyGroupUnit group = ThreeGenerations();
  std::string html = t.Written([&] { t.style.FamilyGroup(t.writer, group); });
  EXPECT_TRUE(Contains(html, "<span class=\"spouses\">Carden, Florence"));
  EXPECT_TRUE(Contains(html, "class=\"parents\" href=\"f_1.htm#0\">Carden, Henry"));
  EXPECT_TRUE(Contains(html, "<a class=\"children\" href=\"f_1.htm#2\">"));
  EXPECT_FALSE(Contains(html, "<strong class=\"spouses\">Hollowell, Edward")) << html;

  // Without colours in the unit no colour class is written.
  group.principal.colour = -1;
  group.principal.parents->father->colour = -1;
  group.families[0].children[0].link.colour = -1;
  group.families[0].children[1].full.colour = -1;
  html = t.Written([&] { t.style.FamilyGroup(t.writer, group); });
  for (const char* colour : {"spouses", "parents", "children"})
    EXPECT_FALSE(std::regex_search(html, std::regex(std::string("class=\"") + colour + "\"")))
        << colour << "\n" << html;

  // With the text colour for family pages, every name has the page's text colour.
  t.settings.use_text_color_for_family_pages = 1;
  html = t.Written([&] { t.style.FamilyGroup(t.writer, ThreeGenerations()); });
  for (const char* colour : {"spouses", "parents", "children"})
    EXPECT_FALSE(std::regex_search(html, std::regex(std::string("class=\"") + colour + "\"")))
        << colour;
  // The style sheet reads the colours for the classes it writes.
  for (const char* rule : {".spouses { color: var(--spouses)", ".parents { color: var(--parents)",
                           ".children { color: var(--children)"})
    EXPECT_TRUE(Contains(std::string(kModernGroupRules), rule)) << rule;
}

TEST(ModernFamilyGroupTest, WithheldDatesShowTheNoticeAndKeepThePlaces) {
  ModernRun t;
  FamilyGroupUnit group = ThreeGenerations();
  group.families[0].marriage->withheld = true;
  group.principal.vitals.dates.birth = {true, true, "", "Market Harborough"};
  const std::string html = t.Written([&] { t.style.FamilyGroup(t.writer, group); });
  EXPECT_TRUE(Contains(html, "<dt>Marriage</dt><dd>--Not Shown-- Leicester")) << html;
  EXPECT_FALSE(Contains(html, "20 APR 1940"));
  EXPECT_TRUE(Contains(html, "<dt>b.</dt><dd>--Not Shown-- Market Harborough</dd>")) << html;
  EXPECT_FALSE(Contains(html, "9 OCT 1917"));
}

TEST(ModernFamilyGroupTest, EmptyBlocksLeaveNoEmptyListsAndHostileTextStaysText) {
  ModernRun t;
  FamilyGroupUnit group;
  group.anchor = 0;
  group.principal.surname = "Stranger";
  group.principal.also_known_as = "<script>alert(1)</script>";
  group.principal.marks.gedcom_id = "I<1>\"";
  group.principal.red_dot = true;
  group.principal.parents = ParentsUnit{};  // a parents family with no named parent
  FamilyBlockUnit family;
  family.has_children = true;  // children, none of them named
  group.families.push_back(family);
  group.families.push_back(FamilyBlockUnit{});
  const std::string html = t.Written([&] { t.style.FamilyGroup(t.writer, group); });
  ExpectWellFormed(html);
  EXPECT_FALSE(Contains(html, "<script")) << html;
  EXPECT_TRUE(Contains(html, "&lt;script&gt;alert(1)&lt;/script&gt;"));
  EXPECT_TRUE(Contains(html, "{I&lt;1&gt;&quot;}"));
  // No list or description list without items.
  EXPECT_FALSE(std::regex_search(html, std::regex(R"(<(ul|dl)[^>]*>\s*</\1>)"))) << html;
  EXPECT_FALSE(Contains(html, "<dl class=\"vitals\">"));
  // The red dot is a named image, not a picture file.
  EXPECT_TRUE(std::regex_search(html, std::regex(R"(<svg class="red-dot"[^>]* role="img" aria-label="[^"]+")")))
      << html;
  // Both families are there, each under its heading.
  std::size_t families = 0;
  for (std::size_t at = html.find("<h3>Family</h3>"); at != std::string::npos;
       at = html.find("<h3>Family</h3>", at + 1))
    ++families;
  EXPECT_EQ(families, 2u);
}

TEST(ModernVitalsTest, InlineFormIsOneLineInTheClassicOrder) {
  ModernRun t;
  VitalsUnit vitals;
  vitals.inline_form = true;
  vitals.sex = 2;
  vitals.dates = Dates("1 JAN 1900", "York", "", "Hull");
  std::string html = t.Written([&] { t.style.Vitals(t.writer, vitals); });
  EXPECT_EQ(html, " <span class=\"vitals-inline\">[Male] b. 1 JAN 1900 York - d.  Hull</span>");

  vitals.sex = 0;
  vitals.dates.birth.shown = false;
  html = t.Written([&] { t.style.Vitals(t.writer, vitals); });
  EXPECT_EQ(html, " <span class=\"vitals-inline\">d.  Hull</span>");

  vitals.dates.death.shown = false;
  html = t.Written([&] { t.style.Vitals(t.writer, vitals); });
  EXPECT_EQ(html, "");
}

NotesPersonUnit NotesPerson(std::string_view surname, std::string_view given,
                            std::optional<int> anchor) {
  NotesPersonUnit person;
  person.surname = surname;
  person.given_names = given;
  person.anchor = anchor;
  person.target = "f_0.htm#1";
  person.dates.birth = {true, false, "12 MAR 1890", ""};
  person.dates.death = {true, false, "", ""};
  return person;
}

TEST(ModernNotesTest, EntryIsAnArticleHeadedByItsPeopleWithItsAnchor) {
  ModernRun t;
  NotesEntryUnit entry;
  entry.family = true;
  entry.people = {NotesPerson("Hollowell", "Thomas", 5), NotesPerson("Ashby", "Margaret", {})};
  entry.people[1].dates.birth = {true, true, "", ""};
  entry.people[1].target.reset();
  entry.people[1].gedcom_id = "I<2>";
  NotesItemUnit kept;
  kept.label = "Note";
  kept.text = "First <i>italic</i><br>second &amp; <p>para</p>";
  NotesItemUnit withheld;
  withheld.label = "Endowment";
  withheld.text = "1 JAN 1950 Temple";
  withheld.withheld = true;
  NotesItemUnit christening;
  christening.label = "Baptism";
  christening.text = "3 MAY 1950 Cork";
  christening.christening_place = "Cork";
  NotesItemUnit record;
  record.from_record = true;
  record.context_label = "Individual";
  record.text = "Parish registers";
  record.notes = {{"Note", "see also"}};
  record.repositories = {{"Repository", "Record Office"}};
  entry.items = {kept, withheld, christening, record};
  const std::string html = t.Written([&] { t.style.NotesEntry(t.writer, entry); });
  ExpectWellFormed(html);
  EXPECT_TRUE(std::regex_search(
      html, std::regex(R"(^<article class="notes-entry">\s*<h2 id="5">Marriage of <a href="f_0.htm#1">Hollowell, Thomas </a>)")))
      << html;
  EXPECT_TRUE(Contains(html, "(b. 12 MAR 1890,&nbsp;d. ?)"));
  EXPECT_TRUE(Contains(html, " and Ashby, Margaret <small class=\"gedcom-id\">{I&lt;2&gt;}</small>"))
      << html;
  EXPECT_TRUE(Contains(html, "(b. --Not Shown--,&nbsp;d. ?)"));
  // The kept markup of a note is written as it is.
  EXPECT_TRUE(Contains(html, "Note:</strong> First <i>italic</i><br>second &amp; <p>para</p></div>"))
      << html;
  EXPECT_TRUE(Contains(html, "Endowment:</strong> --Not Shown--</div>"));
  EXPECT_FALSE(Contains(html, "1 JAN 1950"));
  EXPECT_TRUE(Contains(html, "Baptism:</strong> --Not Shown-- Cork</div>"));
  EXPECT_FALSE(Contains(html, "3 MAY 1950"));
  EXPECT_TRUE(Contains(html, "(Individual)"));
  EXPECT_TRUE(Contains(html, "Parish registers<br><em>Note:</em> see also"));
  EXPECT_TRUE(Contains(html, "Repository:</em><div class=\"note-quote\">Record Office</div>"));
  EXPECT_EQ(html.substr(html.size() - 11), "</article>\n");
}

TEST(ModernNotesTest, AnAnchorOfAPersonWithoutPageIsKept) {
  ModernRun t;
  NotesEntryUnit entry;
  entry.people = {NotesPerson("Only", "Person", 7)};
  entry.people[0].target.reset();
  const std::string html = t.Written([&] { t.style.NotesEntry(t.writer, entry); });
  ExpectWellFormed(html);
  EXPECT_TRUE(Contains(html, "<h2 id=\"7\">Only, Person ")) << html;
  EXPECT_FALSE(Contains(html, "href="));
}

TEST(ModernAuthorPageTest, SameTextsAndLinksAsTheClassicPageEndingItsOwnPage) {
  ModernRun t;
  t.settings.owner.user_name = "Ann Owner";
  t.settings.owner.email_address = "ann@example.org";
  WriteAuthorPage(t.writer, t.style);
  const std::string page = t.fs.Read("/out/r.htm");
  const std::string body = page.substr(page.find("<main>"));
  ExpectNoClassicMarkup(body);
  EXPECT_TRUE(Contains(body, "please contact the owner of this website."));
  EXPECT_TRUE(Contains(body, "<a href=\"mailto:ann@example.org\">Ann Owner [ann@example.org]</a>"))
      << body;
  EXPECT_TRUE(Contains(body, "This database was produced by KINLOOM\xC2\xA9  version 2.52 compiled on Nov 10 2000."))
      << body;
  EXPECT_TRUE(Contains(body,
                       "For more information about KINLOOM\xC2\xA9 , contact Alden Brennick at <a "
                       "href=\"mailto:support@kinloom-genealogy.org?subject=KINLOOM%20question,%20version%202.52\">"
                       "support@kinloom-genealogy.org</a>"))
      << body;
  EXPECT_TRUE(Contains(body, "or visit the KINLOOM homepage at KINLOOM\xC2\xA9  web page at"));
  EXPECT_TRUE(Contains(body, "<a href=\"https://kinloom-genealogy.org/\">https://kinloom-genealogy.org/</a>"));
  EXPECT_TRUE(Contains(body, "href=\"index.htm\""));
  // The page ends itself, without a foot, and every element is closed.
  EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
  std::string why;
  EXPECT_TRUE(Balanced(page, &why)) << why;
  EXPECT_FALSE(Contains(page, "<footer"));
  EXPECT_FALSE(t.writer.is_open());
}

TEST(ModernAuthorPageTest, MissingOwnerAndTranslationCredit) {
  ModernRun t;
  t.language.language = 1;  // every language but English credits its translator
  t.language.translator_name = "Claire Dubois";
  t.language.translator_address = "claire@example.org";
  WriteAuthorPage(t.writer, t.style);
  const std::string page = t.fs.Read("/out/r.htm");
  EXPECT_TRUE(Contains(page, "Claire Dubois <a href=\"mailto:claire@example.org\">claire@example.org</a>"))
      << page;
  EXPECT_FALSE(Contains(page, "mailto:\""));

  ModernRun english;
  WriteAuthorPage(english.writer, english.style);
  const std::string plain = english.fs.Read("/out/r.htm");
  EXPECT_TRUE(Contains(plain, "[The database owner's name was not supplied]<br>[No email address was supplied]"))
      << plain;
  EXPECT_FALSE(Contains(plain, "mailto:\""));
  EXPECT_FALSE(Contains(plain, "Translation"));
}

}  // namespace
}  // namespace kinloom::site
