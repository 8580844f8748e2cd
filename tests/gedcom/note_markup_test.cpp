// The note sanitizer: the safe subset of markup reaches the page as markup, everything else
// as escaped text or not at all, and a note never leaves an element open.
#include "gedcom/note_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/store_text.h"

namespace kinloom::gedcom {
namespace {

using platform::TextEncoding;

std::string Sanitized(const std::string& text) {
  return SanitizeNoteMarkup(text, TextEncoding::kUtf8);
}

TEST(NoteMarkupTest, TextWithoutMarkupIsEscapedAsBefore) {
  for (const char* text : {"Born in a \"small\" town", "Smith & Sons", "a < b > c", "<42y 6m",
                           "Comments on \"Torture-<unknown>\" FAMILY Record.",
                           "at <h.eichmann@@mbox.iqo.uni-hannover.de> or <http://www.x.com>"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Sanitized(text), store::StoreEscapedText(text));
  }
  // The loading pass's own markup keeps its spelling.
  EXPECT_EQ(Sanitized("<I>Title: </I>Parish book<BR>line two<BR>"),
            "<I>Title: </I>Parish book<BR>line two<BR>");
}

TEST(NoteMarkupTest, SafeMarkupIsKeptAndClosedInsideTheNote) {
  EXPECT_EQ(Sanitized("<b>bold</b> <i>it</i> <u>u</u> <em>e</em> <strong>s</strong>"),
            "<b>bold</b> <i>it</i> <u>u</u> <em>e</em> <strong>s</strong>");
  EXPECT_EQ(Sanitized("<p>one<p>two<ul><li>a<li>b</ul><ol><li>c</ol><blockquote>q"),
            "<p>one</p><p>two</p><ul><li>a</li><li>b</li></ul><ol><li>c</li></ol>"
            "<blockquote>q</blockquote>");
  EXPECT_EQ(Sanitized("<b>never closed <i>nor this"), "<b>never closed <i>nor this</i></b>");
  EXPECT_EQ(Sanitized("<a href=\" https://example.org/?a=1&amp;b=2 \" title=t>site</a>"),
            "<a href=\"https://example.org/?a=1&amp;b=2\">site</a>");
  EXPECT_EQ(Sanitized("<A HREF=mailto:ann@example.org>mail</A> <a href=\"pics/ann.htm#top\">x</a>"),
            "<a href=\"mailto:ann@example.org\">mail</A> <a href=\"pics/ann.htm#top\">x</a>");
  EXPECT_EQ(Sanitized("<img src=\"ann.jpg\" alt='Ann \"Nan\"' width=9>"),
            "<img src=\"ann.jpg\" alt=\"Ann &quot;Nan&quot;\">");
  // Character references are read as a browser reads them.
  EXPECT_EQ(Sanitized("caf&eacute; &amp; &lt;b&gt;"), "caf\u00e9 &amp; &lt;b&gt;");
}

TEST(NoteMarkupTest, HostileMarkupReachesThePageAsTextOrNotAtAll) {
  EXPECT_EQ(Sanitized("<script>alert(1)</script>"), "&lt;script&gt;alert(1)&lt;/script&gt;");
  EXPECT_EQ(Sanitized("<iframe src=\"https://x.org\"></iframe>"),
            "&lt;iframe src=&quot;https://x.org&quot;&gt;&lt;/iframe&gt;");
  EXPECT_EQ(Sanitized("<style>p{}</style>"), "&lt;style&gt;p{}&lt;/style&gt;");
  EXPECT_EQ(Sanitized("<img src=x.jpg onerror=alert(1)>"), "<img src=\"x.jpg\">");
  EXPECT_EQ(Sanitized("<b style=\"color:red\" onclick=\"x()\">b</b>"), "<b>b</b>");
  EXPECT_EQ(Sanitized("<a href=\"javascript:alert(1)\">x</a>"),
            "&lt;a href=&quot;javascript:alert(1)&quot;&gt;x&lt;/a&gt;");
  EXPECT_EQ(Sanitized("<img src=\"data:image/png;base64,AA\">"),
            "&lt;img src=&quot;data:image/png;base64,AA&quot;&gt;");
  EXPECT_EQ(Sanitized("a</p></blockquote></body>b<!-- c -->d"), "a<p></p>bd");
  // A table's parts are shown as text; the body the parser supplies has no tags to show.
  EXPECT_EQ(Sanitized("<table><tr><td>x</td></tr></table>"),
            "&lt;table&gt;&lt;tr&gt;&lt;td&gt;x&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;");
}

TEST(NoteMarkupTest, OnlyPlainSchemesAndPathsInsideTheSiteAreUsableUrls) {
  for (const char* url : {"http://x.org", "HTTPS://x.org/a?b#c", "mailto:a@b.c", "ann.htm",
                          "pics/ann.jpg", "ann.htm#x", "#x", " ann.htm "})
    EXPECT_TRUE(IsSafeNoteUrl(url)) << url;
  for (const char* url : {"", "  ", "javascript:x", "JavaScript:x", "java\tscript:x", "vbscript:x",
                          "data:text/html,x", "file:///etc/passwd", "../up.htm", "a/../../b",
                          "%2e%2E/b", "/etc/passwd", "//evil.org/x", "\\\\evil\\x", "ftp://x.org"})
    EXPECT_FALSE(IsSafeNoteUrl(url)) << url;
}

TEST(NoteMarkupTest, Windows1252TextStaysInItsEncoding) {
  // "é" is one byte; a character the code page lacks becomes a reference.
  EXPECT_EQ(SanitizeNoteMarkup("caf\xE9 <b>&#x4E00;</b> &euro;", TextEncoding::kWindows1252),
            "caf\xE9 <b>&#19968;</b> \x80");
  EXPECT_EQ(SanitizeNoteMarkup("<I>Lieu: </I>Montr\xE9"
                               "al",
                               TextEncoding::kWindows1252),
            "<I>Lieu: </I>Montr\xE9"
            "al");
}

TEST(NoteMarkupTest, PointerOfANoteItemIsKeptForTheLookups) {
  EXPECT_EQ(SanitizeNoteItem("@N5@ see <b>also</b> & more", TextEncoding::kUtf8),
            "@N5@ see <b>also</b> &amp; more");
  EXPECT_EQ(SanitizeNoteItem("no pointer <i>here", TextEncoding::kUtf8), "no pointer <i>here</i>");
}

TEST(NoteMarkupTest, NotesWithTooManyTagsKeepOnlyTheLoadingPassMarkup) {
  std::string text;
  for (std::size_t i = 0; i <= kMaxNoteTags; ++i) text += "<ul>";
  text += "<I>Note: </I>x<BR></I><I>open";
  std::string expected;
  for (std::size_t i = 0; i <= kMaxNoteTags; ++i) expected += "&lt;ul&gt;";
  expected += "<I>Note: </I>x<BR>&lt;/I&gt;<I>open</I>";
  EXPECT_EQ(Sanitized(text), expected);
}

// Notes whose only markup is the loading pass's own are written without the parser: to the
// same bytes as the parser gives, for every mix of the pass's tags, text, characters the
// parser replaces or reports, and markup of the note's own.
TEST(NoteMarkupTest, OwnMarkupOnlyGivesWhatTheParserGives) {
  const std::vector<std::string> pieces = {
      "<BR>", "<I>", "</I>", "Source: ", "plain words", " ", "\"q\" > x", "<br>", "<b>",
      "</b>", "&amp;", "&", "<", "\t", std::string(1, '\0'), "\x7F", "\xC3\xA9",
      "\xE9", "\x81", "\xC2\x85", "\xED\xA0\x80", "\xEF\xBF\xBE", "\xF0\x9F\x98\x80",
      "\xC3", "<I>Note: </I>", "<BR><BR>", "<I>", "</I>"};
  // Every sequence of up to three pieces, and longer ones from a fixed walk over them.
  std::vector<std::string> texts;
  for (const std::string& a : pieces)
    for (const std::string& b : pieces) {
      texts.push_back(a + b);
      for (const std::string& c : {std::string("<BR>"), std::string("</I>"), std::string("x")})
        texts.push_back(a + b + c);
    }
  unsigned state = 12345;
  for (int n = 0; n < 2000; ++n) {
    std::string text;
    for (int k = 0; k < 8; ++k) {
      state = state * 1103515245u + 12345u;
      const std::size_t pick = (state >> 16) % pieces.size();
      // Mostly the pass's own markup and text, as real notes are.
      text += pieces[pick < 8 ? pick : (state >> 8) % 6 < 4 ? pick % 6 : pick];
    }
    texts.push_back(text);
  }
  std::size_t shortcut = 0;
  for (TextEncoding encoding : {TextEncoding::kWindows1252, TextEncoding::kUtf8}) {
    for (const std::string& text : texts) {
      // (A text without markup is escaped as it stands, never parsed.)
      if (text.find_first_of("<&") == std::string::npos) continue;
      const std::string parsed = ParseNoteMarkup(text, encoding);
      EXPECT_EQ(SanitizeNoteMarkup(text, encoding), parsed) << text;
      if (text.find('<') != std::string::npos && text.find('&') == std::string::npos &&
          parsed.find("&lt;") == std::string::npos)
        ++shortcut;
    }
  }
  EXPECT_GT(shortcut, 1000u);  // the walk reaches many notes with the pass's markup only
}

}  // namespace
}  // namespace kinloom::gedcom
