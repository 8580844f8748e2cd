#include "site/page_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "gedcom/encoding.h"
#include "platform/program_end.h"
#include "site/page_facts.h"
#include "site/page_writer_fixture.h"
#include "site/text_pieces.h"

namespace kinloom::site {
namespace {

using testing::WriterTestRun;

constexpr char kPrivacy[] =
    "For privacy reasons, Date of Birth and Date of Marriage for persons believed to still be "
    "living are not shown";

// Every option of the head and foot switched on: the whole page, byte for byte.
TEST(PageWriterTest, FullPageHeadAndFootBytes) {
  WriterTestRun t;
  t.settings.meta_refresh_tag = 1;
  t.settings.meta_refresh_value = 12;
  t.settings.use_custom_colors = 1;
  t.settings.use_default_background = 1;
  t.settings.suppress_living = 1;
  t.settings.create_link_to_gedcom_file = 1;
  t.settings.include_copyright = 1;
  t.settings.owner.user_name = "Ann Owner";
  t.state.mark_all_ancestors = true;
  t.state.ancestor_index = t.AddPerson("John", "Smith", "John /Smith/", 37);
  t.writer.SetClock([] { return std::time_t{1782907200}; });  // 2026-07-01 12:00 UTC

  t.writer.OpenPage("/out/Page.htm", "Test &amp; Page", true, true);
  t.writer.AppendHtml("<p>Body\nline</p>");
  t.writer.ClosePage();

  const std::string expected =
      "<html><head>"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
      "<meta http-equiv=\"Refresh\" content=\"43200\">"
      "<meta name='GENERATOR' content='KINLOOM\xA9  Version 2.52'>"
      "<meta name='Author' content='Alden Brennick'>"
      "<meta name='CONTACT INFO' content='support@kinloom-genealogy.org'>"
      "<meta name='Website Address' content='https://kinloom-genealogy.org/'>"
      "<meta name='Description' content='Program to export GEDCOM file to HTML'>"
      "<meta name='KeyWords' content='GEDCOM to HTML, Software, Genealogy, Family Tree, "
      "KINLOOM\xA9 , Alden Brennick'>"
      "\r\n\r\n\r\n\r\n"
      "<title>Test &amp; Page</title></head>"
      "<body TEXT='000000' LINK='0000ff' VLINK='ff0000' bgproperties=\"fixed\" "
      "background=\"q2.gif\">"
      "<center><h2>Test &amp; Page</h2></center>"
      "<center><small>Individuals marked with a red dot <img src=\"q5.gif\" border=0 > are "
      "direct ancestors of<a href=\"f_3.htm#7\">John Smith</a><br>" +
      std::string(kPrivacy) +
      ".</small></center>"
      "<hr size=4 width='80%'>"
      "<p>Body\r\nline</p>"
      "<P><hr size=4 width='80%'><center><p><i>These web pages were created by "
      "<a href= https://kinloom-genealogy.org/><img src=\"q1.gif\" alt=\"KINLOOM\xA9  icon (web "
      "page link)\" BORDER=\"0\"></a><a href=r.htm>KINLOOM\xA9   </a>version 2.52 "
      "</i>.</p></center>"
      "<center><h3><a href=\"index.htm\">Back to Main Page</a></h3></center>"
      "<center>Family.ged 12.07.2026 at 01:23:45 GMT </center>"
      "<center><i>Copyright 2026 Ann Owner </i></center><p>"
      "</body></html>";
  EXPECT_EQ(t.fs.Read("/out/page.htm"), expected);
  EXPECT_EQ(t.writer.pages_written(), 1);
  EXPECT_EQ(t.writer.buffer_writes(), 1);
  EXPECT_EQ(t.fs.writes["/out/page.htm"], 1);
  EXPECT_FALSE(t.writer.is_open());
}

// The meta-tag table of the options stands between the two pieces of line feeds, up to its
// first entry without a name, its texts safe inside their quotes; a full table leaves out
// the second piece.
TEST(PageWriterTest, CustomMetaTagsStandBetweenThePiecesOfLineFeeds) {
  WriterTestRun t;
  t.settings.meta_tags[0] = {"robots", "noindex"};
  t.settings.meta_tags[1] = {"Description2", "O'Neil & <Sons>"};
  t.settings.meta_tags[3] = {"after a gap", "not written"};
  t.writer.OpenPage("/out/m.htm", "T", false, true);
  t.writer.ClosePage();
  std::string page = t.fs.Read("/out/m.htm");
  EXPECT_NE(page.find("Alden Brennick'>\r\n\r\n<meta name='robots' content='noindex'>\r\n"
                      "<meta name='Description2' content='O&#39;Neil &amp; &lt;Sons&gt;'>\r\n"
                      "\r\n\r\n<title>"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("after a gap"), std::string::npos);

  for (settings::CustomLink& tag : t.settings.meta_tags) tag = {"n", "c"};
  t.writer.OpenPage("/out/m.htm", "T", false, true);
  t.writer.ClosePage();
  page = t.fs.Read("/out/m.htm");
  EXPECT_NE(page.find("<meta name='n' content='c'>\r\n<title>"), std::string::npos);
}

std::string HeadOf(WriterTestRun& t, bool with_notices = true) {
  t.writer.OpenPage("/out/h.html", "T", with_notices, false);
  t.writer.AppendHtml("[[END]]");
  t.writer.CloseFile();
  std::string page = t.fs.Read("/out/h.html");
  return page.substr(0, page.find("[[END]]"));
}

TEST(PageWriterTest, BodyTagColoursAndBackgrounds) {
  {
    WriterTestRun t;  // custom colours without a background image: BGCOLOR too
    t.settings.use_custom_colors = 1;
    t.settings.colours[settings::kColourBackground] = 0x00ABCDEF;
    t.settings.colours[settings::kColourText] = 0x12;
    EXPECT_EQ(HeadOf(t),
              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"><title>T</title></head><body BGCOLOR='abcdef' TEXT='000012' "
              "LINK='0000ff' VLINK='ff0000'><center><h2>T</h2></center>"
              "<hr size=4 width='80%'>");
  }
  {
    WriterTestRun t;  // both backgrounds: the custom one first, no colours
    t.settings.use_custom_background = 1;
    t.settings.custom_background = "paper.jpg";
    t.settings.use_default_background = 1;
    EXPECT_NE(HeadOf(t).find("<body bgproperties=\"fixed\" background=\"paper.jpg\" "
                             "bgproperties=\"fixed\" background=\"q2.gif\">"),
              std::string::npos);
  }
  {
    WriterTestRun t;  // a custom background without a name writes nothing
    t.settings.use_custom_background = 1;
    t.settings.use_custom_colors = 1;
    EXPECT_NE(HeadOf(t).find("<body TEXT='000000' LINK='0000ff' VLINK='ff0000'>"),
              std::string::npos);
  }
}

TEST(PageWriterTest, NoticeBlocks) {
  {
    WriterTestRun t;  // privacy notice alone has its own block
    t.settings.suppress_living = 1;
    EXPECT_NE(HeadOf(t).find("</h2></center><center><small>" + std::string(kPrivacy) +
                             ".</small></center><hr"),
              std::string::npos);
  }
  {
    WriterTestRun t;  // ancestor notice alone closes its block; no link without family pages
    t.state.mark_all_ancestors = true;
    t.settings.create_family_groups = 0;
    store::IndividualRecord& p = t.store.individuals.emplace_back();
    p.surname = "O&amp;Neil";
    p.title = "Sir";
    t.state.ancestor_index = 0;
    EXPECT_NE(HeadOf(t).find("are direct ancestors ofO&amp;NeilSir</small></center><hr"),
              std::string::npos);
  }
  {
    WriterTestRun t;  // without notices nothing is written even when the options are on
    t.settings.suppress_living = 1;
    t.state.mark_all_ancestors = true;
    t.state.ancestor_index = t.AddPerson("A", "B", "A /B/");
    EXPECT_EQ(HeadOf(t, false),
              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"><title>T</title></head><body><center><h2>T</h2></center>"
              "<hr size=4 width='80%'>");
  }
}

TEST(PageWriterTest, FootWithoutOptionalLines) {
  WriterTestRun t;
  t.settings.include_copyright = 1;  // empty user name: no copyright line
  t.settings.create_link_to_gedcom_file = 1;
  t.state.gedcom_path = "C:\\data/sub\\My<File>.ged";
  t.settings.htm = 0;
  t.writer.OpenPage("/out/x.html", "x", false, false);
  t.writer.AppendHtml("[[");
  t.writer.ClosePage();
  std::string page = t.fs.Read("/out/x.html");
  std::string foot = page.substr(page.find("[[") + 2);
  EXPECT_NE(foot.find("<a href=r.html>"), std::string::npos);
  EXPECT_NE(foot.find("<a href=\"index.html\">Back"), std::string::npos);
  EXPECT_NE(foot.find("<center>My&lt;File&gt;.ged 12.07.2026"), std::string::npos);
  EXPECT_EQ(foot.find("Copyright"), std::string::npos);
  EXPECT_EQ(foot.substr(foot.size() - 14), "</body></html>");
}

TEST(PageWriterTest, BufferBoundaries) {
  WriterTestRun t;
  t.writer.OpenPage("/out/b.htm", "b", false, false);
  t.writer.FlushPageBuffer();  // the head is one block
  ASSERT_EQ(t.writer.buffer_writes(), 1);

  // Exactly 8191 characters stay in the buffer; one more sends them out first.
  t.writer.AppendHtml(std::string(8190, 'a'));
  t.writer.AppendHtml("b");
  EXPECT_EQ(t.writer.buffer_writes(), 1);
  t.writer.AppendHtml("c");
  EXPECT_EQ(t.writer.buffer_writes(), 2);

  // A piece longer than 8191 goes to the file directly after the buffer, keeping the order.
  std::string big(9000, 'x');
  t.writer.AppendHtml(big);
  EXPECT_EQ(t.writer.buffer_writes(), 3);
  t.writer.AppendHtml("tail");
  // The file itself gets the text in pieces of 256 KiB, when the buffer is flushed (the
  // head above) or when it is closed.
  EXPECT_EQ(t.fs.writes["/out/b.htm"], 1);
  t.writer.CloseFile();
  EXPECT_EQ(t.writer.buffer_writes(), 4);
  EXPECT_EQ(t.fs.writes["/out/b.htm"], 2);

  const std::string& page = t.fs.files["/out/b.htm"];
  std::size_t head = page.find("<hr size=4 width='80%'>") + 23;
  EXPECT_EQ(page.substr(head), std::string(8190, 'a') + "bc" + big + "tail");

  t.writer.OpenPage("/out/c.htm", "c", false, false);
  for (int k = 0; k < 40; ++k) t.writer.AppendHtml(std::string(8000, 'y'));  // 320,000
  EXPECT_EQ(t.fs.writes["/out/c.htm"], 1);
  t.writer.CloseFile();
  EXPECT_EQ(t.fs.writes["/out/c.htm"], 2);
  const std::string& second = t.fs.files["/out/c.htm"];
  EXPECT_EQ(second.substr(second.find("<hr size=4 width='80%'>") + 23, 320000),
            std::string(320000, 'y'));
}

TEST(PageWriterTest, TextIsWrittenAsComposed) {
  WriterTestRun t;
  t.writer.OpenPage("/out/p.htm", "100% %s", false, false);
  t.writer.AppendHtml("50% off %d %s\n");
  t.writer.WriteRule();
  t.writer.CloseFile();
  std::string page = t.fs.Read("/out/p.htm");
  EXPECT_NE(page.find("<title>100% %s</title>"), std::string::npos);
  EXPECT_NE(page.find("50% off %d %s\r\n<hr size=4 width='80%'>"), std::string::npos);
}

TEST(PageWriterTest, OnlyTheFileNameIsLowerCased) {
  WriterTestRun t;
  t.writer.OpenPage("/Out/My Site/B_A.HTM", "x", false, false);
  t.writer.CloseFile();
  EXPECT_EQ(t.fs.files.count("/Out/My Site/b_a.htm"), 1u);
  EXPECT_EQ(t.writer.path(), "/Out/My Site/b_a.htm");

  // A page kind that separates the name with a backslash still writes into the folder.
  t.writer.OpenPage("/Out/Site\\B_0.htm", "x", false, false);
  t.writer.CloseFile();
  EXPECT_EQ(t.fs.files.count("/Out/Site/b_0.htm"), 1u);

  EXPECT_EQ(LowerCaseFileName("ABC.HTM"), "abc.htm");
  EXPECT_EQ(LowerCaseFileName("/A/B\\C/D\xC9.HTM"), "/A/B\\C/d\xC9.htm");
}

TEST(PageWriterTest, CreateFailureReportsAndEnds) {
  WriterTestRun t;
  t.fs.fail_create.insert("/out/f_0.htm");
  try {
    t.writer.OpenPage("/out/F_0.htm", "x", false, false);
    FAIL() << "no program end";
  } catch (const platform::ProgramEnd& end) {
    EXPECT_NE(end.status(), 0);
  }
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text,
            "Error opening /out/f_0.htm file for create.\n  Error = Permission denied");
  EXPECT_EQ(t.ui.messages[0].caption, "");
  EXPECT_EQ(t.ui.messages[0].icon, platform::MessageIcon::kWarning);
}

TEST(PageWriterTest, CloseFailureReportsAndEnds) {
  WriterTestRun t;
  t.fs.fail_close.insert("/out/f_0.htm");
  t.writer.OpenPage("/out/f_0.htm", "x", false, false);
  EXPECT_THROW(t.writer.ClosePage(), platform::ProgramEnd);
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text,
            "Unable to close the current ouput file.  You may have run out of disk space in "
            "your hard drive.  KINLOOM\xA9  Closing Down.");
  EXPECT_EQ(t.ui.messages[0].icon, platform::MessageIcon::kWarning);
}

TEST(EscapeHtmlTest, FourSpecialCharacters) {
  EXPECT_EQ(EscapeHtml("<a> & \"b\" \xE9%s"), "&lt;a&gt; &amp; &quot;b&quot; \xE9%s");
  EXPECT_EQ(EscapeHtml(""), "");
  std::string long_text(20000, '&');
  EXPECT_EQ(EscapeHtml(long_text).size(), 100000u);
}

TEST(FamilyGroupHrefTest, PageAndRemainder) {
  settings::Settings s;
  SiteLanguage language = testing::EnglishLanguage();
  EXPECT_EQ(FamilyGroupHref(MakePageNaming(language, s), 37), "f_3.htm#7");
  s.groups = 5;
  s.htm = 0;
  EXPECT_EQ(FamilyGroupHref(MakePageNaming(language, s), 84), "f_10.html#4");
  language.prefixes[0] = "ff";
  s.groups = 0;  // never divides by zero
  EXPECT_EQ(FamilyGroupHref(MakePageNaming(language, s), 26), "ff_1a.html#0");
}

}  // namespace
}  // namespace kinloom::site

namespace kinloom::site {
namespace {

using testing::WriterTestRun;

// ---- Append and the encoding of the files ----

std::string Body(const std::string& page) {
  return page.substr(page.find("<hr size=4 width='80%'>") + 23);
}

TEST(PageWriterAppendTest, PiecesFlushAsOneText) {
  WriterTestRun pieces, whole;
  for (WriterTestRun* t : {&pieces, &whole}) {
    t->writer.OpenPage("/out/b.htm", "b", false, false);
    t->writer.FlushPageBuffer();
  }
  auto both = [&](std::initializer_list<std::string_view> list) {
    pieces.writer.Append(list);
    whole.writer.AppendHtml(JoinPieces(list));
    EXPECT_EQ(pieces.writer.buffer_writes(), whole.writer.buffer_writes());
    EXPECT_EQ(pieces.fs.writes["/out/b.htm"], whole.fs.writes["/out/b.htm"]);
  };
  const std::string a(4000, 'a');
  both({a, "|", a});                   // 8001 characters stay in the buffer
  both({"<a name=\"", NumberText::Decimal(12), "\">"});  // 8016: still in the buffer
  both({a, a});                        // the buffer goes out first
  both({std::string(5000, 'x'), std::string(5000, 'y')});  // longer than the buffer
  both({"tail", "\n"});
  pieces.writer.CloseFile();
  whole.writer.CloseFile();
  EXPECT_EQ(pieces.writer.buffer_writes(), whole.writer.buffer_writes());
  EXPECT_EQ(pieces.fs.Read("/out/b.htm"), whole.fs.Read("/out/b.htm"));
  EXPECT_EQ(Body(pieces.fs.Read("/out/b.htm")),
            a + "|" + a + "<a name=\"12\">" + a + a + std::string(5000, 'x') +
                std::string(5000, 'y') + "tail\r\n");
}

// Every kind of character an ANSEL store's UTF-8 text can hold, and bytes that are not
// UTF-8 at all, beside line feeds: the file holds what the conversion and the CR LF rule
// give one after the other.
TEST(PageWriterAppendTest, Utf8TextOfAWindows1252SiteConvertsInOnePass) {
  const std::string text =
      "plain\nBront\xC3\xAB \xE2\x82\xAC \xC5\x81\n\n"   // ë and € in the code page, Ł not
      "\xF0\x9F\x98\x80 \xC2\x81 \xC2\xA0\n"              // outside the BMP, C1 control, NBSP
      "\xC3\n\xE2\x82\n\xFF\x80 trail\xC3";               // cut and stray bytes
  std::string expected;
  for (char c : gedcom::Utf8ToSiteText(text, platform::TextEncoding::kWindows1252)) {
    if (c == '\n') expected += '\r';
    expected += c;
  }
  ASSERT_NE(expected.find("&#321;"), std::string::npos);
  ASSERT_NE(expected.find("&#65533;"), std::string::npos);

  WriterTestRun t;
  t.state.source_encoding = gedcom::SourceEncoding::kAnsel;
  ASSERT_EQ(t.writer.TextEncoding(), platform::TextEncoding::kUtf8);
  ASSERT_EQ(t.writer.SiteEncoding(), platform::TextEncoding::kWindows1252);
  t.writer.OpenPage("/out/e.htm", "e", false, false);
  t.writer.AppendHtml(text);
  t.writer.CloseFile();
  EXPECT_EQ(Body(t.fs.Read("/out/e.htm")), expected);

  // A UTF-8 site writes the same text unchanged but for the line ends.
  WriterTestRun u;
  u.state.source_encoding = gedcom::SourceEncoding::kUtf8;
  u.writer.OpenPage("/out/u.htm", "u", false, false);
  u.writer.AppendHtml(text);
  u.writer.CloseFile();
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  EXPECT_EQ(Body(u.fs.Read("/out/u.htm")), crlf);
}

// Plain text is looked at eight bytes at a time: a line feed or a non-ASCII character at
// each place within such a group, and at the end, is still found.
// The scan for plain text reads sixteen and eight bytes at a time: a line feed or a
// non-ASCII character at every place of two such blocks converts as it would alone.
TEST(PageWriterAppendTest, LineFeedsAndCharactersAtEveryPlaceOfABlockOfBytes) {
  for (std::size_t pad = 0; pad < 33; ++pad) {
    SCOPED_TRACE(pad);
    const std::string text = std::string(pad, 'p') + "\nab\xC3\xA9" + std::string(pad, 'q') +
                             "\n\n" + std::string(32 - pad, 'r') + "\xE2\x82\xAC";
    std::string expected;
    for (char c : gedcom::Utf8ToSiteText(text, platform::TextEncoding::kWindows1252)) {
      if (c == '\n') expected += '\r';
      expected += c;
    }
    WriterTestRun t;
    t.state.source_encoding = gedcom::SourceEncoding::kAnsel;
    t.writer.OpenPage("/out/e.htm", "e", false, false);
    t.writer.AppendHtml(text);
    t.writer.CloseFile();
    EXPECT_EQ(Body(t.fs.Read("/out/e.htm")), expected);
  }
}

}  // namespace
}  // namespace kinloom::site
