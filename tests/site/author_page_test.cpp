#include "site/author_page.h"

#include <gtest/gtest.h>

#include "platform/program_end.h"
#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

const std::string kHead =
    "<html><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<meta name='GENERATOR' content='KINLOOM\xA9  Version 2.52'>"
    "<meta name='Author' content='Alden Brennick'>"
    "<meta name='CONTACT INFO' content='support@kinloom-genealogy.org'>"
    "<meta name='Website Address' content='https://kinloom-genealogy.org/'>"
    "<meta name='Description' content='Program to export GEDCOM file to HTML'>"
    "<meta name='KeyWords' content='GEDCOM to HTML, Software, Genealogy, Family Tree, "
    "KINLOOM\xA9 , Alden Brennick'>"
    "\r\n\r\n\r\n\r\n"
    "<title>KINLOOM\xA9 </title></head><body><center><h2>KINLOOM\xA9 </h2></center>"
    "<hr size=4 width='80%'>"
    "<center><font color=\"FF0000\">Note:  If you have a question about the Genealogy "
    "Information on this website, please contact the owner of this website.</font><br>";

const std::string kCredits =
    "</center><hr size=4 width='80%'>"
    "<center><p><i>This database was produced by KINLOOM\xA9  version 2.52 compiled on Nov 10 "
    "2000.<p>"
    "For more information about KINLOOM\xA9 , contact Alden Brennick at "
    "<a href=\"mailto:support@kinloom-genealogy.org?subject=KINLOOM question, version "
    "2.52\">support@kinloom-genealogy.org</a>"
    " <br>or visit the KINLOOM homepage at KINLOOM\xA9  web page at  "
    "<a href=\"https://kinloom-genealogy.org/\">https://kinloom-genealogy.org/</a>"
    "</i>.</p></center>";

const std::string kBackLink =
    "<center><h3><a href=\"index.htm\">Back to Main Page</a></h3></center>";

TEST(AuthorPageTest, EnglishPageBytes) {
  testing::WriterTestRun t;
  t.settings.owner.user_name = "Ann Owner";
  t.settings.owner.email_address = "ann@example.org";
  t.settings.suppress_living = 1;  // an author page carries no notices
  WriteAuthorPage(t.writer);
  EXPECT_EQ(t.fs.Read("/out/r.htm"),
            kHead + "<a href=mailto:ann@example.org>Ann Owner [ann@example.org]</a>" + kCredits +
                kBackLink + "</body></html>");
  EXPECT_EQ(t.writer.pages_written(), 1);
  EXPECT_FALSE(t.writer.is_open());
}

TEST(AuthorPageTest, OwnerWithoutNameOrAddress) {
  testing::WriterTestRun t;
  WriteAuthorPage(t.writer);
  EXPECT_EQ(t.fs.Read("/out/r.htm"), kHead +
                                         "<br>[The database owner's name was not supplied]"
                                         "<br>[No email address was supplied]" +
                                         kCredits + kBackLink + "</body></html>");
}

TEST(AuthorPageTest, AddressWithoutNameAndNoBackLink) {
  testing::WriterTestRun t;
  t.settings.owner.email_address = "ann@example.org";
  t.settings.one_index_page_link = 1;
  t.settings.htm = 0;
  WriteAuthorPage(t.writer);
  EXPECT_EQ(t.fs.Read("/out/r.html"),
            kHead +
                "<a href=mailto:ann@example.org><br>[The database owner's name was not "
                "supplied] [ann@example.org]</a>" +
                kCredits + "</body></html>");
}

TEST(AuthorPageTest, TranslationCreditOnOtherLanguages) {
  testing::WriterTestRun t;
  t.language.language = 1;
  t.language.prefixes[static_cast<int>(PageKind::kAuthor)] = "fr";
  t.language.index_name = "indexf";
  t.language.translator_name = "Claire Dubois";
  t.language.translator_address = "claire@example.org";
  t.labels.SetLanguage(1);
  WriteAuthorPage(t.writer);
  const std::string page = t.fs.Read("/out/fr.htm");
  EXPECT_NE(page.find(" Claire Dubois <a href=\"mailto:claire@example.org\">claire@example.org"
                      "</a> <p>"),
            std::string::npos);
  EXPECT_NE(page.find("<a href=\"indexf.htm\">"), std::string::npos);

  testing::WriterTestRun english;
  WriteAuthorPage(english.writer);
  EXPECT_EQ(english.fs.Read("/out/r.htm").find("Alden Brennick <a href=\"mailto:"),
            std::string::npos);
}

TEST(AuthorPageTest, CloseFailureNamesThePath) {
  testing::WriterTestRun t;
  t.fs.fail_close.insert("/out/r.htm");
  EXPECT_THROW(WriteAuthorPage(t.writer), platform::ProgramEnd);
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text,
            "Unable to close file /out/r.htm.  Aborting Conversion.  KINLOOM\xA9  aborting.");
}

TEST(AuthorPageTest, ProducedSentencePlaceholders) {
  EXPECT_EQ(FormatProducedSentence("By %s version %1.2f "), "By KINLOOM\xA9  version 2.52 ");
  // Only the expected placeholders are filled; others stay as written.
  EXPECT_EQ(FormatProducedSentence("%d %s %n %1.2f %s 100%%"), "%d KINLOOM\xA9  %n 2.52 %s 100%");
}

}  // namespace
}  // namespace kinloom::site
