// Pages in the site's encoding: the declaration in every head, the program's own texts and
// labels in the encoding of the store's text, ANSEL sites written as Windows-1252 with
// character references, page files named in UTF-8, and the index letters Æ, Ø and Å in
// UTF-8 text.
#include <gtest/gtest.h>

#include "site/author_page.h"
#include "site/gendex.h"
#include "site/index_pages.h"
#include "site/page_writer.h"
#include "site/page_writer_fixture.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using gedcom::SourceEncoding;

const std::string kUtf8Meta =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
const std::string kCp1252Meta =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";

std::string WritePage(testing::WriterTestRun& t, const std::string& body) {
  t.writer.OpenPage("/out/page.htm", "T", false, true);
  t.writer.AppendHtml(body);
  t.writer.ClosePage();
  return t.fs.Read("/out/page.htm");
}

TEST(PageEncodingTest, EveryHeadDeclaresTheSiteEncodingFirst) {
  struct Case {
    SourceEncoding source;
    const std::string& head;
  };
  for (const Case& c :
       {Case{SourceEncoding::kWindows1252, kCp1252Meta}, Case{SourceEncoding::kUtf8, kUtf8Meta},
        Case{SourceEncoding::kUtf16Le, kUtf8Meta}, Case{SourceEncoding::kUtf16Be, kUtf8Meta},
        Case{SourceEncoding::kAnsel, kCp1252Meta}}) {
    testing::WriterTestRun t;
    t.state.source_encoding = c.source;
    t.settings.meta_refresh_tag = 1;  // the declaration stays first, before the refresh
    std::string page = WritePage(t, "x");
    EXPECT_EQ(page.rfind(c.head + "<meta http-equiv=\"Refresh\"", 0), 0u) << page;
    // One declaration per page, the author page included.
    WriteAuthorPage(t.writer);
    std::string author = t.fs.Read("/out/r.htm");
    EXPECT_EQ(author.rfind(c.head + "<meta http-equiv=\"Refresh\"", 0), 0u) << author;
    EXPECT_EQ(author.find("charset=", c.head.size()), std::string::npos);
  }
}

TEST(PageEncodingTest, ProgramTextsAndLabelsComeInTheTextEncoding) {
  testing::WriterTestRun t;
  t.state.source_encoding = SourceEncoding::kUtf8;
  t.labels.SetTextEncoding(platform::TextEncoding::kUtf8);
  t.labels.SetLanguage(2);
  std::string page = WritePage(t, "Bront\xC3\xAB");
  EXPECT_NE(page.find("content='KINLOOM\xC2\xA9  Version 2.52'"), std::string::npos) << page;
  EXPECT_NE(page.find("KINLOOM\xC2\xA9   </a>"), std::string::npos);
  EXPECT_NE(page.find("zur\xC3\xBC"
                      "ck zur Hauptseite"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("Bront\xC3\xAB"), std::string::npos);
  EXPECT_EQ(page.find("KINLOOM\xA9 "), std::string::npos);  // no Windows-1252 byte left

  EXPECT_EQ(t.writer.ProgramText("Fran\xE7"
                                 "ais"),
            "Fran\xC3\xA7"
            "ais");
  EXPECT_EQ(t.writer.SystemNameText("Bront\xC3\xAB.ged"), "Bront\xC3\xAB.ged");
  EXPECT_EQ(t.writer.SystemNameText("bad\xFF.ged"), "bad\xC3\xBF.ged");  // read as Windows-1252

  testing::WriterTestRun ansi;
  EXPECT_EQ(ansi.writer.ProgramText("Fran\xE7"
                                    "ais"),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(ansi.writer.SystemNameText("Bront\xC3\xAB \xC5\x81.ged"), "Bront\xEB &#321;.ged");
}

TEST(PageEncodingTest, AnselSitesAreWindows1252WithReferencesForTheRest) {
  testing::WriterTestRun t;
  t.state.source_encoding = SourceEncoding::kAnsel;
  t.labels.SetTextEncoding(platform::TextEncoding::kUtf8);
  t.labels.SetLanguage(1);
  // The store holds UTF-8: é fits the code page, Ł and a lone combining acute do not.
  std::string page = WritePage(t, "Ren\xC3\xA9 \xC5\x81ukasz x\xCC\x81 \xEF\xBF\xBD");
  EXPECT_NE(page.find("Ren\xE9 &#321;ukasz x&#769; &#65533;"), std::string::npos) << page;
  EXPECT_NE(page.find("content='KINLOOM\xA9  Version 2.52'"), std::string::npos);
  EXPECT_NE(page.find("Retour vers la page principale"), std::string::npos);
  // Every byte of the file is Windows-1252 text: no UTF-8 sequence survives.
  EXPECT_EQ(page.find("\xC3"), std::string::npos);
}

TEST(PageEncodingTest, PageFilesAreNamedInUtf8OnDisk) {
  testing::WriterTestRun ansi;
  ansi.writer.OpenPage("/out/B_\xD8.htm", "T", false, false);
  ansi.writer.ClosePage();
  EXPECT_TRUE(ansi.fs.files.count("/out/b_\xC3\x98.htm"));
  EXPECT_EQ(ansi.writer.path(), "/out/b_\xC3\x98.htm");

  testing::WriterTestRun utf8;
  utf8.state.source_encoding = SourceEncoding::kUtf8;
  // Only the file name is converted: the folder is the file system's own spelling.
  utf8.writer.OpenPage("/\xC3\xA6ld/b_\xC3\x98.htm", "T", false, false);
  utf8.writer.ClosePage();
  EXPECT_TRUE(utf8.fs.files.count("/\xC3\xA6ld/b_\xC3\x98.htm"));
}

TEST(PageEncodingTest, GendexDropsEveryNonAsciiByteOfNamesInBothEncodings) {
  testing::WriterTestRun t;
  t.state.source_encoding = SourceEncoding::kUtf8;
  t.labels.SetTextEncoding(platform::TextEncoding::kUtf8);
  t.labels.SetLanguage(1);
  t.settings.suppress_living = 1;
  int i = t.AddPerson("Patrick ", "Bront\xC3\xAB", "Patrick /Bront\xC3\xAB/");
  store::IndividualRecord& p = t.store.individuals[i];
  p.deceased = false;
  p.birth_date = "1777";
  p.birth_place = "Emdale, Co. Down, \xC3\x89ire";
  EXPECT_EQ(GendexLine(t.writer, p),
            "f_0.htm#0|BRONT|Patrick /Bront/|--Non Montr\xC3\xA9--|Emdale, Co. Down, "
            "\xC3\x89ire|||\n");
}

TEST(LabelSetEncodingTest, LabelsInUtf8AndWindows1252) {
  lang::LabelSet cp1252(2);
  lang::LabelSet utf8(2, platform::TextEncoding::kUtf8);
  EXPECT_EQ(cp1252.Get(12375), "Eheschlie\xDFung");
  EXPECT_EQ(utf8.Get(12375), "Eheschlie\xC3\x9Fung");
  const std::string& kept = utf8.Get(12375);
  utf8.Get(12376);  // later fetches leave earlier texts in place
  EXPECT_EQ(kept, "Eheschlie\xC3\x9Fung");
  utf8.SetLanguage(5);
  EXPECT_EQ(utf8.Get(12375), "\xC3\x86gteskab");
  EXPECT_EQ(utf8.Get(99999), "");
}

class Utf8IndexLettersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.run.state.source_encoding = SourceEncoding::kUtf8;
    f.run.store.text_encoding = platform::TextEncoding::kUtf8;
    f.labels.SetTextEncoding(platform::TextEncoding::kUtf8);
    f.run.AddPerson("I1", "Bo /Adams/");
    f.run.AddPerson("I2", "Jan /\xC3\x98rsted/");  // Ørsted
    f.run.AddPerson("I3", "Ib /\xC3\x86rt/");      // Ært
    f.run.AddPerson("I4", "Lo /\xC3\xB8ksen/");    // øksen: lower case, not recognised
    f.run.AddPerson("I5", "Al /\xC3\x89mile/");    // Émile: not one of the three
  }
  testing::SiteFixture f;
};

TEST_F(Utf8IndexLettersTest, NordicLettersGetTheirPagesLinksAndHeadings) {
  SiteContext& site = f.Start();
  EXPECT_TRUE(f.run.store.letter_presence[store::kSlotOSlash]);
  EXPECT_TRUE(f.run.store.letter_presence[store::kSlotAE]);
  EXPECT_FALSE(f.run.store.letter_presence[store::kSlotARing]);

  std::string block = f.Body([&] { WriteIndexLetters(site, IndexKind::kFamily, false); });
  EXPECT_NE(block.find(" <a href=\"b_0.htm\">(NONE/OTHER)</a> <a href=\"b_\xC3\x86.htm\">\xC3\x86"
                       "</a> <a href=\"b_\xC3\x98.htm\">\xC3\x98</a> \xC3\x85 </center>"),
            std::string::npos)
      << block;

  WriteSurnameIndexPages(site, IndexKind::kFamily);
  for (const char* name :
       {"/out/b_a.htm", "/out/b_0.htm", "/out/b_\xC3\x86.htm", "/out/b_\xC3\x98.htm"})
    EXPECT_TRUE(f.run.fs.files.count(name)) << name;
  EXPECT_EQ(f.run.fs.files.size(), 5u);  // and the probe page of the letter block
  // The progress display names the page in its own (Windows-1252) text.
  bool reported = false;
  for (const auto& p : f.run.ui.progress)
    reported |= p.status_text.find("b_\xD8.htm") != std::string::npos;
  EXPECT_TRUE(reported);
  std::string page = f.run.fs.Read("/out/b_\xC3\x98.htm");
  EXPECT_NE(page.find("<title>Index for surnames beginning with \xC3\x98 "), std::string::npos)
      << page;
  EXPECT_NE(page.find("\xC3\x98rsted"), std::string::npos);
  std::string other = f.run.fs.Read("/out/b_0.htm");
  EXPECT_NE(other.find("\xC3\xB8ksen"), std::string::npos);
  EXPECT_NE(other.find("\xC3\x89mile"), std::string::npos);

  WriteSurnameList(site, IndexKind::kFamily);
  std::string list = f.run.fs.Read("/out/c.htm");
  EXPECT_NE(list.find("<P><B>\xC3\x98</B><BR><a href=\"b_\xC3\x98.htm#\xC3\x98rsted\">\xC3\x98rsted"
                      "</a>(1) "),
            std::string::npos)
      << list;
  EXPECT_NE(list.find("<P><B>NONE/OTHER</B><BR>"), std::string::npos);
}

}  // namespace
}  // namespace kinloom::site
