// The modern page frame, index pages and style sheet: the landmarks and head every page
// has, every person, date, link and anchor of a unit on the page, hostile texts made safe,
// lists that are closed, and none of the classic presentational markup.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "run/output_folder.h"
#include "site/modern_style.h"
#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

using testing::WriterTestRun;

// How often `needle` occurs in `text`.
int Count(const std::string& text, const std::string& needle) {
  int n = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos;
       at = text.find(needle, at + needle.size()))
    ++n;
  return n;
}

// The classic markup a modern page never holds.
void ExpectNoClassicMarkup(const std::string& page) {
  for (const char* forbidden : {"<font", "<center", "<CENTER", ".gif", "bgcolor", "BGCOLOR",
                                "align=", "border=", "<table", "<a name=", "<br>\n<br>"})
    EXPECT_EQ(page.find(forbidden), std::string::npos) << forbidden << " in\n" << page;
}

// Every element that opens in `page` closes as often.
void ExpectBalanced(const std::string& page) {
  for (const char* element : {"ul", "li", "nav", "section", "header", "main", "footer", "div",
                              "p", "a", "h1", "h2", "dl"}) {
    const std::string name = element;
    EXPECT_EQ(Count(page, "<" + name + ">") + Count(page, "<" + name + " "),
              Count(page, "</" + name + ">"))
        << "<" << name << "> in\n"
        << page;
  }
}

class ModernFrameTest : public ::testing::Test {
 protected:
  ModernFrameTest() {
    run_.settings.page_style = 1;
    run_.state.source_encoding = gedcom::SourceEncoding::kUtf8;  // page text as written
    run_.labels.SetTextEncoding(platform::TextEncoding::kUtf8);
    run_.writer.SetStyle(style_);
    run_.writer.OpenPlainFile("/out/page.htm");
  }

  // The page as written so far, closed, with its line ends as "\n".
  std::string Page() {
    run_.writer.CloseFile();
    return Read("/out/page.htm");
  }

  std::string Read(const std::string& path) const {
    std::string text = run_.fs.Read(path);
    std::erase(text, '\r');
    return text;
  }

  PageStyle::PageHead Head() {
    PageStyle::PageHead head;
    head.title = "Smith &amp; Jones";
    return head;
  }

  PageStyle::PageFoot Foot() {
    PageStyle::PageFoot foot;
    foot.author_page = "r.htm";
    return foot;
  }

  WriterTestRun run_;
  ModernStyle style_;
};

// ---- head and foot ----

TEST_F(ModernFrameTest, PageHasTheHtml5HeadLandmarksAndProducedByLine) {
  style_.WritePageHead(run_.writer, Head());
  style_.WriteRule(run_.writer);
  style_.WritePageFoot(run_.writer, Foot());
  const std::string page = Page();
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">", 0),
            0u)
      << page;
  EXPECT_NE(page.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
            std::string::npos);
  EXPECT_NE(page.find("<title>Smith &amp; Jones</title>"), std::string::npos);
  EXPECT_NE(page.find("<link rel=\"stylesheet\" href=\"kinloom.css\">"), std::string::npos);
  EXPECT_NE(page.find("<header>\n<h1>Smith &amp; Jones</h1>"), std::string::npos);
  EXPECT_LT(page.find("</header>"), page.find("<main>"));
  EXPECT_LT(page.find("</main>"), page.find("<footer>"));
  EXPECT_NE(page.find("<hr>"), std::string::npos);
  // The produced-by line: its text, the program's home page, the author page, the version.
  EXPECT_NE(page.find("These web pages were created by "), std::string::npos);
  EXPECT_NE(page.find("href=\"https://kinloom-genealogy.org/\""), std::string::npos);
  EXPECT_NE(page.find("<a href=\"r.htm\">KINLOOM"), std::string::npos);
  EXPECT_NE(page.find("version 2.52"), std::string::npos);
  // The home page link is an icon: it needs a name of its own.
  EXPECT_NE(page.find("aria-label=\"KINLOOM\xC2\xA9  icon (web page link)\""), std::string::npos);
  // No back link, source line or copyright unless the foot has them.
  EXPECT_EQ(page.find("Back to Main Page"), std::string::npos);
  EXPECT_EQ(page.find("Copyright"), std::string::npos);
  EXPECT_EQ(page.find("<meta name='GENERATOR'"), std::string::npos);
  EXPECT_TRUE(page.size() > 10 && page.substr(page.size() - 8) == "</html>\n");
  ExpectNoClassicMarkup(page);
  ExpectBalanced(page);
}

TEST_F(ModernFrameTest, LanguageTagFollowsThePageLanguage) {
  run_.language.language = 8;
  style_.WritePageHead(run_.writer, Head());
  style_.WritePageFoot(run_.writer, Foot());
  EXPECT_NE(Page().find("<html lang=\"pt-BR\">"), std::string::npos);
}

TEST_F(ModernFrameTest, MetaTagsAndRefreshAreHtml5MetaElementsWithHostileTextEscaped) {
  PageStyle::PageHead head = Head();
  head.refresh = true;
  head.refresh_seconds = 7200;
  head.meta_tags = true;
  head.custom_meta_tags = {{"robots", "noindex"},
                           {"x\"><script>alert(1)</script>", "it's \"<b>\" & more"}};
  style_.WritePageHead(run_.writer, head);
  style_.WritePageFoot(run_.writer, Foot());
  const std::string page = Page();
  EXPECT_NE(page.find("<meta http-equiv=\"refresh\" content=\"7200\">"), std::string::npos);
  // The generator tag starts as the output folder's clean-up looks for it.
  EXPECT_NE(page.find(std::string(run::kGeneratorTagStart) + "\xC2\xA9  Version 2.52'>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<meta name='Author' content='Alden Brennick'>"), std::string::npos);
  EXPECT_NE(page.find("<meta name='KeyWords' content='GEDCOM to HTML, Software, Genealogy, "
                      "Family Tree, KINLOOM\xC2\xA9 , Alden Brennick'>"),
            std::string::npos);
  EXPECT_NE(page.find("<meta name=\"robots\" content=\"noindex\">"), std::string::npos);
  EXPECT_NE(page.find("<meta name=\"x&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;\" "
                      "content=\"it&#39;s &quot;&lt;b&gt;&quot; &amp; more\">"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  // The meta elements stay in the head.
  EXPECT_LT(page.rfind("<meta "), page.find("</head>"));
}

TEST_F(ModernFrameTest, UserBackgroundIsCssOnTheBodyAndTheProgramsOwnIsLeftOut) {
  PageStyle::PageHead head = Head();
  head.background_images = {"paper \"x\").jpg</style><script>", "q2.gif"};
  style_.WritePageHead(run_.writer, head);
  style_.WritePageFoot(run_.writer, Foot());
  const std::string page = Page();
  const std::size_t style = page.find("<style>body { background-image: url(\"paper \\22 x\\22 )");
  ASSERT_NE(style, std::string::npos) << page;
  EXPECT_LT(style, page.find("</head>"));
  EXPECT_EQ(Count(page, "</style>"), 1);
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_EQ(page.find("q2.gif"), std::string::npos);

  // With only the program's background, no style element at all.
  run_.writer.OpenPlainFile("/out/plain.htm");
  head.background_images = {"q2.gif"};
  style_.WritePageHead(run_.writer, head);
  run_.writer.CloseFile();
  EXPECT_EQ(Read("/out/plain.htm").find("<style>"), std::string::npos);
}

TEST_F(ModernFrameTest, NoticesSitInTheHeaderWithTheLinkedAncestorAndATextMarker) {
  PageStyle::PageHead head = Head();
  head.ancestor_notice = true;
  head.ancestor.ancestor_known = true;
  head.ancestor.linked = true;
  head.ancestor.target = "f1.htm#5";
  head.ancestor.given_names = "Mary";
  head.ancestor.surname = "O&#39;Neil";
  head.ancestor.title = " Lady";
  head.privacy_notice = true;
  style_.WritePageHead(run_.writer, head);
  style_.WritePageFoot(run_.writer, Foot());
  const std::string page = Page();
  const std::size_t notice = page.find("Individuals marked with a red dot");
  ASSERT_NE(notice, std::string::npos);
  EXPECT_LT(notice, page.find("</header>"));
  EXPECT_NE(page.find("class=\"red-dot\""), std::string::npos);
  EXPECT_NE(page.find("are direct ancestors of <a href=\"f1.htm#5\">Mary O&#39;Neil Lady</a>"),
            std::string::npos)
      << page;
  const std::size_t privacy = page.find("For privacy reasons, Date of Birth and Date of Marriage");
  ASSERT_NE(privacy, std::string::npos);
  EXPECT_LT(privacy, page.find("</header>"));
  ExpectNoClassicMarkup(page);
  ExpectBalanced(page);
}

TEST_F(ModernFrameTest, UnknownAncestorNamesNobodyAndAnUnlinkedOneHasNoLink) {
  PageStyle::AncestorNotice notice;
  style_.WriteAncestorNotice(run_.writer, notice);
  notice.ancestor_known = true;
  notice.given_names = "Ann";
  notice.surname = "Lee";
  style_.WriteAncestorNotice(run_.writer, notice);
  const std::string page = Page();
  EXPECT_EQ(Count(page, "are direct ancestors of"), 2);
  EXPECT_NE(page.find("are direct ancestors of Ann Lee</small>"), std::string::npos) << page;
  EXPECT_EQ(page.find("<a "), std::string::npos);
  ExpectBalanced(page);
}

TEST_F(ModernFrameTest, FootHasBackLinkSourceAndCopyrightAsClassicDoes) {
  style_.WritePageHead(run_.writer, Head());
  PageStyle::PageFoot foot = Foot();
  foot.back_link = true;
  foot.main_page.target = "index.htm";
  foot.source_line = true;
  foot.source_name = "My &amp; Family.ged";
  foot.date_stamp = "12.07.2026 at 01:23:45 GMT ";
  foot.copyright = true;
  foot.copyright_year = 987;
  foot.owner = "Ann Owner";
  style_.WritePageFoot(run_.writer, foot);
  const std::string page = Page();
  const std::size_t footer = page.find("<footer>");
  const std::size_t back = page.find("<nav class=\"back-to-main\"");
  ASSERT_NE(back, std::string::npos);
  EXPECT_GT(back, footer);
  EXPECT_NE(page.find("<a href=\"index.htm\">Back to Main Page</a>"), std::string::npos);
  EXPECT_NE(page.find("My &amp; Family.ged 12.07.2026 at 01:23:45 GMT "), std::string::npos);
  EXPECT_NE(page.find("Copyright 0987 Ann Owner"), std::string::npos) << page;
  ExpectBalanced(page);
}

TEST_F(ModernFrameTest, MainPageLinkIsANamedNavigationLandmark) {
  style_.WriteMainPageLink(run_.writer, {"indexf.htm"});
  EXPECT_EQ(Page(),
            "<nav class=\"back-to-main\" aria-label=\"Back to Main Page\"><a "
            "href=\"indexf.htm\">Back to Main Page</a></nav>\n");
}

// ---- letter bars, surname lists, entries ----

PageStyle::LetterBar Bar() {
  PageStyle::LetterBar bar;
  for (char c = 'A'; c <= 'Z'; ++c) {
    const bool present = c == 'B' || c == 'S';
    bar.letters.push_back({std::string(1, c), present,
                           present ? std::string("b_") + static_cast<char>(c + 32) + ".htm" : ""});
  }
  return bar;
}

TEST_F(ModernFrameTest, LetterBarIsANavListLinkingOnlyThePresentLetters) {
  PageStyle::LetterBar bar = Bar();
  bar.heading = true;
  bar.kind_name = "Grouped by Family";
  bar.nordic_letters = {{"\xC3\x86", true, "b_\xC3\xA6.htm"}, {"\xC3\x98", false, ""},
                        {"\xC3\x85", false, ""}};
  style_.WriteLetterBar(run_.writer, bar);
  const std::string page = Page();
  EXPECT_NE(page.find("<h2>INDEX for pages Grouped by Family</h2>"), std::string::npos) << page;
  EXPECT_NE(page.find("<nav class=\"letters\""), std::string::npos);
  EXPECT_EQ(Count(page, "<li>"), 26 + 1 + 3);
  EXPECT_EQ(Count(page, "<a href="), 3);
  EXPECT_NE(page.find("<a href=\"b_b.htm\">B</a>"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"b_s.htm\">S</a>"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"b_\xC3\xA6.htm\">\xC3\x86</a>"), std::string::npos);
  EXPECT_NE(page.find("<span>A</span>"), std::string::npos);
  EXPECT_NE(page.find("<span>\xC3\x98</span>"), std::string::npos);
  // No page of other initials: "(NONE)" unlinked.
  EXPECT_NE(page.find("<span>(NONE)</span>"), std::string::npos);
  ExpectBalanced(page);
}

TEST_F(ModernFrameTest, LetterBarLinksTheOtherInitialsPage) {
  PageStyle::LetterBar bar = Bar();
  bar.other_present = true;
  bar.other_target = "b_0.htm";
  style_.WriteLetterBar(run_.writer, bar);
  const std::string page = Page();
  EXPECT_NE(page.find("<a href=\"b_0.htm\">(NONE/OTHER)</a>"), std::string::npos) << page;
  EXPECT_EQ(page.find("<h2>"), std::string::npos);
}

TEST_F(ModernFrameTest, SurnameListGroupsSurnamesUnderTheirInitialsAndClosesEveryGroup) {
  style_.WriteSurnameListStart(run_.writer, {PageKind::kFamilySurnameList});
  auto group = [&](bool starts, bool other, std::string initial, std::string surname,
                   std::string target, long count) {
    PageStyle::SurnameGroup g;
    g.starts_initial = starts;
    g.other_initial = other;
    g.initial = std::move(initial);
    g.surname = std::move(surname);
    g.target = std::move(target);
    g.count = count;
    style_.WriteSurnameGroup(run_.writer, g);
  };
  group(true, true, "0", "", "b_0.htm", 2);
  group(true, false, "A", "Abel", "b_a.htm#abel", 3);
  group(false, false, "A", "Adams &amp; Co", "b_a.htm#adams &amp; co", 1);
  group(true, false, "Z", "Zorn", "b_z.htm#zorn", 12);
  style_.WriteSurnameListEnd(run_.writer, {PageKind::kFamilySurnameList});
  const std::string page = Page();
  EXPECT_EQ(Count(page, "<section>"), 3);
  EXPECT_NE(page.find("<h2>NONE/OTHER</h2>"), std::string::npos) << page;
  EXPECT_NE(page.find("<h2>A</h2>"), std::string::npos);
  EXPECT_NE(page.find("<h2>Z</h2>"), std::string::npos);
  EXPECT_NE(page.find("<li><a href=\"b_0.htm\">(none)</a> (2)</li>"), std::string::npos);
  EXPECT_NE(page.find("<li><a href=\"b_a.htm#abel\">Abel</a> (3)</li>"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"b_a.htm#adams &amp; co\">Adams &amp; Co</a> (1)"),
            std::string::npos);
  EXPECT_NE(page.find("<a href=\"b_z.htm#zorn\">Zorn</a> (12)"), std::string::npos);
  // Abel and Adams share the section of A.
  EXPECT_LT(page.find("Adams"), page.find("<h2>Z</h2>"));
  EXPECT_GT(page.find("Adams"), page.find("<h2>A</h2>"));
  ExpectBalanced(page);
  ExpectNoClassicMarkup(page);
}

PageStyle::PersonEntry Entry(std::string name, std::string anchor) {
  PageStyle::PersonEntry entry;
  entry.link.target = "f1.htm#3";
  entry.link.name = std::move(name);
  entry.link.name_anchor = !anchor.empty();
  entry.link.anchor_name = std::move(anchor);
  return entry;
}

TEST_F(ModernFrameTest, EntriesOfAnIndexPageAreOneListWithEveryDateLinkAndAnchor) {
  style_.WritePageHead(run_.writer, Head());
  PageStyle::SurnameIndexTop top;
  top.letters = Bar();
  top.back_link = true;
  top.main_page.target = "index.htm";
  style_.WriteSurnameIndexTop(run_.writer, top);

  PageStyle::PersonEntry born = Entry("Smith, John ", "smith");
  born.link.red_dot = true;
  born.link.show_id = true;
  born.link.id = "@I<b>1@";
  born.birth = PageStyle::PersonEntry::Birth::kDate;
  born.birth_date = "1 JAN 1900";
  born.death = true;
  born.death_date = "2 FEB 1950";
  style_.WritePersonEntry(run_.writer, born);

  PageStyle::PersonEntry withheld = Entry("Smith, Ann ", "smith");  // the anchor is taken
  withheld.birth = PageStyle::PersonEntry::Birth::kWithheld;
  style_.WritePersonEntry(run_.writer, withheld);

  PageStyle::PersonEntry died = Entry("Stone, Bob ", "stone");
  died.death = true;
  died.death_date = "1800";
  style_.WritePersonEntry(run_.writer, died);

  PageStyle::PersonEntry on_trees = Entry("Swan, Eve ", "");
  on_trees.link.linked = false;
  on_trees.trees = {{"d1.htm#2", "Swan", true, "Hart"}, {"e3.htm#7", "Swan", false, ""}};
  style_.WritePersonEntry(run_.writer, on_trees);

  style_.WritePageFoot(run_.writer, Foot());
  const std::string page = Page();
  EXPECT_EQ(Count(page, "<ul class=\"people\">"), 1);
  EXPECT_EQ(Count(page, "<li id=\"smith\">"), 1) << page;
  EXPECT_EQ(Count(page, "<li id=\"stone\">"), 1);
  EXPECT_LT(page.find("</ul>\n</main>"), page.find("<footer>"));
  EXPECT_NE(page.find("<a href=\"f1.htm#3\">Smith, John </a> <small class=\"gedcom-id\">"
                      "{@I&lt;b&gt;1@}</small> (b. 1 JAN 1900 - d. 2 FEB 1950)"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("Smith, Ann </a> (b.--Not Shown--)"), std::string::npos);
  EXPECT_NE(page.find("Stone, Bob </a> (d. 1800)"), std::string::npos);
  EXPECT_NE(page.find("<li>Swan, Eve , <a href=\"d1.htm#2\">(Swan-Hart)</a>, "
                      "<a href=\"e3.htm#7\">(Swan)</a></li>"),
            std::string::npos);
  // The red dot is a text marker named for what it means, before the name.
  const std::size_t dot = page.find("<span class=\"red-dot\" role=\"img\" aria-label=");
  ASSERT_NE(dot, std::string::npos);
  EXPECT_LT(dot, page.find("Smith, John"));
  // The top: the letters and the way back before the first entry.
  EXPECT_LT(page.find("<nav class=\"letters\""), page.find("<ul class=\"people\">"));
  EXPECT_LT(page.find("<a href=\"index.htm\">Back to Main Page</a>"),
            page.find("<ul class=\"people\">"));
  ExpectNoClassicMarkup(page);
  ExpectBalanced(page);
}

TEST_F(ModernFrameTest, PageWithoutEntriesHasNoEmptyListAndTheNextPageStartsAfresh) {
  style_.WritePageHead(run_.writer, Head());
  style_.WritePersonEntry(run_.writer, Entry("Smith, John ", "smith"));
  style_.WritePageFoot(run_.writer, Foot());
  run_.writer.CloseFile();
  run_.writer.OpenPlainFile("/out/second.htm");
  style_.WritePageHead(run_.writer, Head());
  style_.WritePageFoot(run_.writer, Foot());
  run_.writer.CloseFile();
  run_.writer.OpenPlainFile("/out/third.htm");
  style_.WritePageHead(run_.writer, Head());
  style_.WritePersonEntry(run_.writer, Entry("Smith, Jim ", "smith"));
  style_.WritePageFoot(run_.writer, Foot());
  run_.writer.CloseFile();
  EXPECT_EQ(Read("/out/second.htm").find("<ul"), std::string::npos);
  // The anchor of the first page is set again on the third: each page has its own ids.
  const std::string third = Read("/out/third.htm");
  EXPECT_NE(third.find("<li id=\"smith\">"), std::string::npos) << third;
  ExpectBalanced(third);
}

TEST_F(ModernFrameTest, PersonLinkIconsAreNamedLinksAndItsColourAClass) {
  run_.settings.colours[settings::kColourParents] = 0x123456;
  PageStyle::PersonLink link;
  link.target = "f2.htm#9";
  link.name = "Hart, Ida ";
  link.coloured = true;
  link.colour = 0x123456;
  link.notes_icon = true;
  link.notes_target = "n1.htm#4";
  link.pedigree_icon = true;
  link.pedigree_target = "p1.htm#1";
  style_.WritePageHead(run_.writer, Head());
  style_.WritePersonLink(run_.writer, link);
  link.colour = 0xABCDEF;  // no family colour: the link's own
  link.notes_icon = link.pedigree_icon = false;
  style_.WritePersonLink(run_.writer, link);
  style_.WritePageFoot(run_.writer, Foot());
  const std::string page = Page();
  EXPECT_NE(page.find("<a href=\"f2.htm#9\" class=\"parents\">Hart, Ida </a>"), std::string::npos)
      << page;
  EXPECT_NE(page.find("<a class=\"icon-link\" href=\"n1.htm#4\" aria-label=\"Note\"><svg"),
            std::string::npos);
  EXPECT_NE(page.find("<a class=\"icon-link\" href=\"p1.htm#1\" aria-label=\"Pedigree\"><svg"),
            std::string::npos);
  EXPECT_NE(page.find("<a href=\"f2.htm#9\" style=\"color: #abcdef\">"), std::string::npos);
  ExpectNoClassicMarkup(page);
  ExpectBalanced(page);
}

// ---- the main index page ----

PageStyle::MainIndexPage MainPage() {
  PageStyle::MainIndexPage page;
  page.individuals = 3010;
  page.families = 1422;
  page.surnames = 640;
  page.date_stamp = "12.07.2026 at 01:23:45 GMT ";
  return page;
}

TEST_F(ModernFrameTest, MainPageShowsCountsLanguagesKindsLinksAndOwner) {
  PageStyle::MainIndexPage page = MainPage();
  page.languages = {{"indexf.htm", "Fran\xC3\xA7" "ais"}, {"indexg.htm", "Deutsch"}};
  PageStyle::MainIndexPage::KindIndex family{Bar(), "c.htm"};
  family.letters.heading = true;
  family.letters.kind_name = "Grouped by Family";
  PageStyle::MainIndexPage::KindIndex notes{Bar(), "m.htm"};
  notes.letters.heading = true;
  notes.letters.kind_name = "Grouped by Notes";
  page.kinds = {family, notes};
  page.ancestor_notice = true;
  page.custom_links = true;
  page.custom_links_title = "Elsewhere";
  page.links = {{"https://example.org/a", "Archive"}, {"b.htm", "Photos"}};
  page.links_top = true;
  page.owner = true;
  page.owner_name = "Ann Owner";
  page.address = {"1 Road", "Town"};
  page.email = "ann@example.org";
  page.homepages = {"https://ann.example.org/", "https://two.example.org/"};
  style_.WriteMainIndexBody(run_.writer, page);
  const std::string text = Page();
  EXPECT_NE(text.find("<a href=\"indexf.htm\">Fran\xC3\xA7" "ais</a>, "
                      "<a href=\"indexg.htm\">Deutsch</a>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("These web pages contain"), std::string::npos);
  EXPECT_NE(text.find("<li>3010 Individuals</li>"), std::string::npos);
  EXPECT_NE(text.find("<li>1422 Families</li>"), std::string::npos);
  EXPECT_NE(text.find("<li>640 Surnames</li>"), std::string::npos);
  EXPECT_NE(text.find("These web pages were produced on 12.07.2026 at 01:23:45 GMT ."),
            std::string::npos);
  EXPECT_NE(text.find("are direct ancestors of"), std::string::npos);
  EXPECT_EQ(text.find("The GEDCOM file used"), std::string::npos);
  // Each kind: its heading, its letters and its list of surnames, in the order given.
  EXPECT_EQ(Count(text, "<section class=\"index-kind\">"), 2);
  EXPECT_LT(text.find("Grouped by Family</h2>"), text.find("<a href=\"c.htm\">List of Surnames"));
  EXPECT_LT(text.find("<a href=\"c.htm\">List of Surnames"), text.find("Grouped by Notes</h2>"));
  EXPECT_LT(text.find("Grouped by Notes</h2>"), text.find("<a href=\"m.htm\">List of Surnames"));
  EXPECT_NE(text.find("<h2>Elsewhere</h2>"), std::string::npos);
  EXPECT_NE(text.find("<li><a href=\"https://example.org/a\" target=\"_top\">Archive</a></li>"),
            std::string::npos);
  EXPECT_NE(text.find("<li><a href=\"b.htm\" target=\"_top\">Photos</a></li>"), std::string::npos);
  EXPECT_NE(text.find("<h2>Database Owner Information</h2>"), std::string::npos);
  EXPECT_NE(text.find("Ann Owner"), std::string::npos);
  EXPECT_NE(text.find("1 Road<br>Town"), std::string::npos);
  EXPECT_NE(text.find("<a href=\"mailto:ann@example.org\">ann@example.org</a>"),
            std::string::npos);
  EXPECT_NE(text.find("<a href=\"https://two.example.org/\">https://two.example.org/</a>"),
            std::string::npos);
  ExpectNoClassicMarkup(text);
  ExpectBalanced(text);
}

TEST_F(ModernFrameTest, GedcomFileLinkHasNoCentringAndTheClassicSizes) {
  auto write = [&](std::uint64_t size) {
    PageStyle::MainIndexPage page = MainPage();
    page.gedcom_link = true;
    page.gedcom_url = "My%20Family.ged";
    page.gedcom_name = "My Family.ged";
    page.gedcom_size = size;
    page.gedcom_lines = 321;
    style_.WriteMainIndexBody(run_.writer, page);
  };
  write(9999);
  write(12345);
  write(2500000);
  const std::string text = Page();
  EXPECT_EQ(Count(text, "The GEDCOM file used to create this database is <a "
                        "href='My%20Family.ged'>My Family.ged</a>"),
            3)
      << text;
  EXPECT_NE(text.find("File size  = 9999 bytes, Number of lines of data = 321"),
            std::string::npos);
  EXPECT_NE(text.find("File size  = 12.3 Kb, Number of lines of data = 321"), std::string::npos);
  EXPECT_NE(text.find("File size  = 2.5 Mb, Number of lines of data = 321"), std::string::npos);
  ExpectNoClassicMarkup(text);
  ExpectBalanced(text);
}

// ---- kinloom.css ----

TEST(ModernStyleSheetTest, ProgramPaletteHasADarkSchemeAndReadableFamilyColours) {
  settings::Settings settings;
  settings.colours[settings::kColourBackground] = 0x123456;  // not used: custom colours off
  const std::string sheet = ModernStyleSheet(settings);
  EXPECT_EQ(sheet.find("#123456"), std::string::npos);
  EXPECT_EQ(Count(sheet, "--background:"), 3);  // light, dark, print
  EXPECT_NE(sheet.find("@media (prefers-color-scheme: dark)"), std::string::npos);
  // The user's hues, drawn toward the text colour of each scheme.
  EXPECT_NE(sheet.find("--level-2: color-mix(in srgb, #ff8040 65%, #000000);"), std::string::npos)
      << sheet;
  EXPECT_NE(sheet.find("--level-2: color-mix(in srgb, #ff8040 45%, #ffffff);"), std::string::npos);
  // The page colours are set for light, dark and print; the named colours for light and dark.
  const std::pair<const char*, int> properties[] = {
      {"--spouses:", 2}, {"--parents:", 2},      {"--children:", 2}, {"--level-1:", 2},
      {"--level-6:", 2}, {"--visited-link:", 3}, {"--text:", 3}};
  for (const auto& [property, count] : properties)
    EXPECT_EQ(Count(sheet, property), count) << property;
  EXPECT_NE(sheet.find(kModernFrameRules), std::string::npos);
  EXPECT_NE(sheet.find("@media print"), std::string::npos);
}

TEST(ModernStyleSheetTest, CustomColoursAreTheUsersInEveryScheme) {
  settings::Settings settings;
  settings.use_custom_colors = 1;
  settings.colours[settings::kColourBackground] = 0xFFFFE0;
  settings.colours[settings::kColourText] = 0x202020;
  settings.colours[settings::kColourLink] = 0x0000AA;
  settings.colours[settings::kColourVisitedLink] = 0x550055;
  settings.colours[settings::kColourLevel1 + 2] = 0x800000;
  const std::string sheet = ModernStyleSheet(settings);
  EXPECT_NE(sheet.find("--background: #ffffe0;"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("--text: #202020;"), std::string::npos);
  EXPECT_NE(sheet.find("--link: #0000aa;"), std::string::npos);
  EXPECT_NE(sheet.find("--visited-link: #550055;"), std::string::npos);
  EXPECT_NE(sheet.find("--level-3: #800000;"), std::string::npos);
  EXPECT_EQ(sheet.find("prefers-color-scheme: dark"), std::string::npos);
}

TEST(ModernStyleSheetTest, SuppressedColoursMakeTheLevelsTheTextColourButKeepFamilyColours) {
  for (int which = 0; which < 2; ++which) {
    settings::Settings settings;
    settings.use_custom_colors = 1;
    (which == 0 ? settings.no_colors : settings.minimize_absolute) = 1;
    settings.colours[settings::kColourParents] = 0x00AA00;
    const std::string sheet = ModernStyleSheet(settings);
    for (int level = 1; level <= 6; ++level)
      EXPECT_NE(sheet.find("--level-" + std::to_string(level) + ": var(--text);"),
                std::string::npos)
          << level;
    EXPECT_NE(sheet.find("--parents: #00aa00;"), std::string::npos);
  }
  settings::Settings colourful;
  EXPECT_EQ(ModernStyleSheet(colourful).find("--level-1: var(--text);"), std::string::npos);
}

TEST(ModernStyleSheetTest, PrintSheetLeavesOutNavigationAndFooterLinks) {
  const std::string sheet = ModernStyleSheet(settings::Settings());
  const std::size_t print = sheet.find("@media print");
  ASSERT_NE(print, std::string::npos);
  const std::string rules = sheet.substr(print);
  for (const char* hidden : {"nav", "footer .produced-by", ".icon-link"})
    EXPECT_NE(rules.find(hidden), std::string::npos) << hidden;
  EXPECT_NE(rules.find("display: none"), std::string::npos);
}

}  // namespace
}  // namespace kinloom::site
