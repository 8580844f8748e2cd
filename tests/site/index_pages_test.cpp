#include "site/index_pages.h"

#include <gtest/gtest.h>

#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

class IndexPagesTest : public ::testing::Test {
 protected:
  void AddPeople() {
    f.run.AddPerson("I1", "John /smith/");
    f.run.AddPerson("I2", "Ann /Smith/");
    f.run.AddPerson("I3", "Bo /Adams/");
    f.run.AddPerson("I4", "Nameless");
    f.run.AddPerson("I5", "Jan /\xD8rsted/");
    f.run.AddPerson("I6", "Lo /\xF8ksen/");
    f.run.AddPerson("I7", "Al /Zorn/");
  }
  SiteFixture f;
};

TEST_F(IndexPagesTest, IndexLettersLinkPresentSlotsOnly) {
  f.run.AddPerson("I1", "Bo /Adams/");
  SiteContext& site = f.Start();
  std::string block = f.Body([&] { WriteIndexLetters(site, IndexKind::kFamily, true); });
  EXPECT_EQ(block.rfind("<center><h3>INDEX for pages Grouped by Family</h3></center><center> <a "
                        "href=\"b_a.htm\">A</a> B  C  D ",
                        0),
            0u)
      << block;
  EXPECT_NE(block.find(" Y  Z  (NONE)</center>"), std::string::npos) << block;

  f.run.store.letter_presence[store::kOtherSlot] = true;
  f.run.store.letter_presence[store::kSlotOSlash] = true;
  block = f.Body([&] { WriteIndexLetters(site, IndexKind::kPedigree, false); });
  EXPECT_NE(block.find(" Z  <a href=\"l_0.htm\">(NONE/OTHER)</a> \xC6  <a href=\"l_\xD8.htm\">"
                       "\xD8</a> \xC5 </center>"),
            std::string::npos)
      << block;
}

TEST_F(IndexPagesTest, ListOfSurnamesGroupsCaseInsensitivelyAndCountsForTheMainPage) {
  AddPeople();
  SiteContext& site = f.Start();
  WriteSurnameList(site, IndexKind::kFamily);
  std::string page = f.run.fs.Read("/out/c.htm");
  EXPECT_NE(page.find("<CENTER><P><B>A</B><BR><a href=\"b_a.htm#adams\">Adams</a>(1) "
                      "<P><B>S</B><BR><a href=\"b_s.htm#smith\">Smith</a>(2) "
                      "<P><B>Z</B><BR><a href=\"b_z.htm#zorn\">Zorn</a>(1) "
                      "<P><B>NONE/OTHER</B><BR><a href=\"b_0.htm\">(none)</a>(1) "
                      "<a href=\"b_0.htm#\xF8ksen\">\xF8ksen</a>(1) "
                      "<P><B>\xD8</B><BR><a href=\"b_\xD8.htm#\xD8rsted\">\xD8rsted</a>(1) "
                      "</CENTER>"),
            std::string::npos)
      << page;
  // Counting alone writes nothing and counts the groups of the list.
  f.run.fs.files.clear();
  EXPECT_EQ(LayOutSurnames(site.store()).main_page_count, 6);
  EXPECT_TRUE(f.run.fs.files.empty());
}

TEST_F(IndexPagesTest, LastGroupWithoutSurnameIsNotCounted) {
  f.run.AddPerson("I1", "Bo /Adams/");
  f.run.AddPerson("I2", "Nameless");
  SiteContext& site = f.Start();
  EXPECT_EQ(LayOutSurnames(site.store()).main_page_count, 1);
}

// The main page counts the surnames of every listed individual, whichever page kinds are on
// and whoever stands on a chart; only a group without surname that comes last is left out.
TEST_F(IndexPagesTest, MainPageSurnameCountCoversEveryIndividual) {
  f.run.AddPerson("I1", "Bo /Adams/");
  f.run.AddPerson("I2", "Nameless");
  f.run.AddPerson("I3", "Lo /\xF8ksen/");
  f.run.AddPerson("I4", "Al /ADAMS/");
  f.run.settings.create_family_groups = 0;
  SiteContext& site = f.Start();
  site.layout_to_fill().pedigree.bookmarks.Add(f.run.Person("I3").index, {false, 0, 1, -1, -1});
  EXPECT_EQ(LayOutSurnames(site.store()).main_page_count, 3);
  EXPECT_EQ(LayOutSurnames(store::GenealogyStore{}).main_page_count, 0);
}

TEST_F(IndexPagesTest, PedigreeListShowsOnlySurnamesOnTheChart) {
  AddPeople();
  SiteContext& site = f.Start();
  site.layout_to_fill().pedigree.bookmarks.Add(f.run.Person("I3").index, {false, 0, 1, -1, -1});
  WriteSurnameList(site, IndexKind::kPedigree);
  std::string page = f.run.fs.Read("/out/m.htm");
  EXPECT_NE(page.find("<CENTER><P><B>A</B><BR><a href=\"l_a.htm#adams\">Adams</a>(1) </CENTER>"),
            std::string::npos)
      << page;
}

TEST_F(IndexPagesTest, SurnameIndexPagesOnePerLetterWithNameAnchors) {
  AddPeople();
  f.run.settings.index_dates = 0;
  SiteContext& site = f.Start();
  WriteSurnameIndexPages(site, IndexKind::kFamily);
  for (const char* name :
       {"/out/b_a.htm", "/out/b_s.htm", "/out/b_z.htm", "/out/b_0.htm", "/out/b_\xC3\x98.htm"})
    EXPECT_TRUE(f.run.fs.files.count(name)) << name;
  EXPECT_EQ(f.run.fs.files.size(), 5u);
  std::string s = f.run.fs.Read("/out/b_s.htm");
  // smith and Smith: one group in the list, but each gets its own anchor here.
  EXPECT_NE(s.find("<a name=\"smith\" href=\"f_0.htm#1\">Smith, Ann  </a><br>"
                   "<a name=\"smith\" href=\"f_0.htm#0\">smith, John  </a><br>"),
            std::string::npos)
      << s;
  std::string none = f.run.fs.Read("/out/b_0.htm");
  // The remembered surname crosses pages: after Zorn the empty surname differs and gets its
  // (empty) anchor; ø is no recognised letter and sorts here.
  EXPECT_NE(none.find("<a name=\"\" href=\"f_0.htm#3\">, Nameless </a><br>"
                      "<a name=\"\xF8ksen\" href=\"f_0.htm#5\">\xF8ksen, Lo  </a><br>"),
            std::string::npos)
      << none;
  auto texts = f.run.ui.StatusTexts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "Creating index pages b_s.htm");
  EXPECT_EQ(texts[2], "Creating index pages b_0.htm");
}

TEST_F(IndexPagesTest, SurnameIndexPageTitles) {
  AddPeople();
  SiteContext& site = f.Start();
  WriteSurnameIndexPages(site, IndexKind::kFamily);
  EXPECT_NE(f.run.fs.Read("/out/b_a.htm")
                .find("Index for surnames beginning with A   (Grouped by Family)"),
            std::string::npos);
  EXPECT_NE(f.run.fs.Read("/out/b_0.htm")
                .find("(Grouped by Family) Index for blank surnames or surnames starting with "
                      "non-alphabetic character"),
            std::string::npos);
}

class MainIndexPageTest : public IndexPagesTest {
 protected:
  std::string MainPage(std::uint64_t size, int lines = 42) {
    f.run.state.gedcom_file_size = size;
    f.run.state.line_count = lines;
    SiteContext& site = f.site ? *f.site : f.Start();
    EXPECT_EQ(WriteMainIndexPage(site), 1);
    return f.run.fs.Read("/out/index.htm");
  }
};

TEST_F(MainIndexPageTest, SizeLineThresholds) {
  AddPeople();
  f.run.settings.create_link_to_gedcom_file = 1;
  EXPECT_NE(MainPage(9999).find("<center>File size  = 9999 bytes, Number of lines of data = "
                                "42</center>"),
            std::string::npos);
  EXPECT_NE(MainPage(10000).find("= 10.0 Kb, "), std::string::npos);
  EXPECT_NE(MainPage(123456).find("= 123.5 Kb, "), std::string::npos);
  EXPECT_NE(MainPage(2500000).find("= 2.5 Mb, "), std::string::npos);
  EXPECT_NE(MainPage(1050000).find("= 1.0 Mb, "), std::string::npos);
  std::string page = MainPage(10);
  EXPECT_NE(page.find("<center>The GEDCOM file used to create this database is <a "
                      "href='family.ged'>family.ged</a></center>"),
            std::string::npos);
  ASSERT_FALSE(f.run.fs.copies.empty());
  EXPECT_EQ(f.run.fs.copies.back(),
            (std::pair<std::string, std::string>("/in/family.ged", "/out/family.ged")));
}

TEST_F(MainIndexPageTest, GedcomFileAlreadyInTheFolderIsNotCopied) {
  AddPeople();
  f.run.settings.create_link_to_gedcom_file = 1;
  f.run.state.gedcom_path = "/out/Family.GED";
  std::string page = MainPage(10);
  EXPECT_TRUE(f.run.fs.copies.empty());
  EXPECT_NE(page.find("<a href='Family.GED'>Family.GED</a>"), std::string::npos);
}

// A name with HTML and URL characters shows escaped and links percent-encoded, on the main
// page as in the page foot; a name that would read as a URL scheme stays relative.
TEST_F(MainIndexPageTest, GedcomFileNameShowsEscapedAndLinksAsARelativeUrl) {
  AddPeople();
  f.run.settings.create_link_to_gedcom_file = 1;
  f.run.state.gedcom_path = "/in/A&b #1.ged";
  std::string page = MainPage(10);
  EXPECT_NE(page.find("<a href='A%26b%20%231.ged'>A&amp;b #1.ged</a></center>"), std::string::npos)
      << page;
  EXPECT_NE(page.find("<center>A&amp;b #1.ged "), std::string::npos);
  EXPECT_EQ(f.run.fs.copies.back().second, "/out/A&b #1.ged");

  f.run.state.gedcom_path = "/in/c:50% O'Neil.ged";
  page = MainPage(10);
  EXPECT_NE(page.find("<a href='c%3A50%25%20O%27Neil.ged'>c:50% O'Neil.ged</a>"), std::string::npos)
      << page;
}

TEST_F(MainIndexPageTest, CopyFailureIsReportedAndFails) {
  AddPeople();
  f.run.settings.create_link_to_gedcom_file = 1;
  f.run.fs.copy_error = 28;
  SiteContext& site = f.Start();
  EXPECT_EQ(WriteMainIndexPage(site), 0);
  ASSERT_EQ(f.run.ui.messages.size(), 1u);
  EXPECT_EQ(f.run.ui.messages[0].text.rfind(
                "Unable to copy the GEDCOM file /in/family.ged.  To location /out/family.ged.  "
                "KINLOOM\xA9  aborting.\n  Error",
                0),
            0u)
      << f.run.ui.messages[0].text;
}

TEST_F(MainIndexPageTest, CountsKindsCustomLinksOwnerAndLanguageLinks) {
  AddPeople();
  f.run.settings.create_pages = {1, 1, 1, 0, 0, 0, 0, 0, 1};
  f.run.settings.include_custom_links = 1;
  f.run.settings.custom_links_title[0] = "Links";
  f.run.settings.custom_links[0][0] = {"Club", "http://club.example"};
  f.run.settings.custom_links[0][1] = {"Archive", "http://archive.example"};
  f.run.settings.custom_links[0][3] = {"Never", "http://never.example"};
  f.run.settings.cl_top = 1;
  f.run.settings.owner.user_name = "Ruth Ward";
  f.run.settings.owner.address = {"1 Lane", "", "Town", ""};
  f.run.settings.owner.email_address = "ruth@example.org";
  f.run.settings.owner.homepages = {"", "http://ward.example", "", "", ""};
  SiteContext& site = f.Start();
  site.layout_to_fill().surnames.main_page_count = 6;
  std::string page = MainPage(10);
  EXPECT_NE(page.find("<center><a href=indexf.htm>Pages Fran\xE7"
                      "ais</a>, <a "
                      "href=indexg.htm>Deutschsprachige Seiten</a>, <a href=indexp.htm>P\xE1ginas "
                      "em Portugu\xEAs(BR)</a></center></p>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<center>These web pages contain<br>7 Individuals<br>0 Families<br>6 "
                      "Surnames<br><p>These web pages were produced on Monday, 7 December "
                      "2026.</p></center>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<center><h3><a href=\"c.htm\">List of Surnames</a></h3></center>"),
            std::string::npos);
  EXPECT_EQ(page.find("m.htm"), std::string::npos);  // pedigree pages are off
  EXPECT_NE(page.find("<center><h3>Links </h3></center><ul><li><a href=\"http://club.example\" "
                      "target=\"_top\">Club</a><p><li><a href=\"http://archive.example\" "
                      "target=\"_top\">Archive</a><p></ul>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("\n<center><h3>Database Owner Information</h3><center><I>Name:</I> Ruth "
                      "Ward<br><I>Address:</I> 1 Lane<BR><I>Email Address:</I> <a "
                      "href=\"mailto:ruth@example.org\">ruth@example.org</a><br><I>HomePage:</I> "
                      "<a href=\"http://ward.example\">http://ward.example</a><br></center>"),
            std::string::npos)
      << page;
}

TEST_F(MainIndexPageTest, OneLanguageAndEmptyFirstLinkWriteNeitherBlock) {
  AddPeople();
  f.run.settings.include_custom_links = 1;
  f.run.settings.custom_links[0][1] = {"Later", "http://later.example"};
  std::string page = MainPage(10);
  EXPECT_EQ(page.find("<a href=index"), std::string::npos);
  EXPECT_EQ(page.find("Later"), std::string::npos);
  EXPECT_EQ(page.find("Database Owner"), std::string::npos);
}

}  // namespace
}  // namespace kinloom::site
