// The notes pages over hand-built stores: entry headings of individuals and families, note
// record items and their rest, sources with their context labels, LDS suppression, paging
// and entry numbers, and the notes list of surnames and index pages.
#include "site/notes_pages.h"

#include <gtest/gtest.h>

#include "lang/tag_labels.h"
#include "site/index_pages.h"
#include "site/person_links.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

constexpr int kNote = 84, kRepo = 103, kSour = 113, kOccu = 88, kEndl = 52, kSlgs = 112;
constexpr int kBapm = 16, kAbbr = 1, kIndi = 69, kFam = 55;

const std::string kBack = "<center><h3><a href=\"index.htm\">Back to Main Page</a></h3></center>";
const std::string kRule = "<hr size=4 width='80%'>";

class NotesPagesTest : public ::testing::Test {
 protected:
  NotesPagesTest() {
    f.run.settings.create_notes_pages[0] = 1;
    f.run.state.notes_tag_selection =
        lang::LoadNotesTagList(lang::DefaultNotesToInclude(), f.run.settings);
  }

  // The body of a notes page: what follows the head's rule and "<p>", up to the foot.
  std::string Page(const std::string& name) {
    std::string page = f.run.fs.Read("/out/" + name);
    std::size_t from = page.find(kRule + "<p>");
    std::size_t to = page.rfind("<P>" + kRule);
    if (from == std::string::npos || to == std::string::npos) return "<no page " + name + ">";
    from += kRule.size() + 3;
    return page.substr(from, to - from);
  }
  std::string Title(const std::string& name) {
    std::string page = f.run.fs.Read("/out/" + name);
    std::size_t from = page.find("<title>");
    std::size_t to = page.find("</title>");
    if (from == std::string::npos || to == std::string::npos) return "<no title>";
    return page.substr(from + 7, to - from - 7);
  }
  static int Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
      ++n;
    return n;
  }
  void AddRecord(const std::string& id, const std::string& text, const std::string& note = "",
                 const std::string& repository = "") {
    f.run.store.notes.push_back({store::StoredText(note), store::StoredText(repository),
                                 store::StoredText(id), store::StoredText(text)});
  }
  void Dates(const std::string& id, const std::string& born, const std::string& died) {
    store::IndividualRecord& p = f.run.Person(id);
    p.birth_seen = !born.empty();
    p.birth_date = born;
    p.death_date = died;
  }

  SiteFixture f;
};

TEST_F(NotesPagesTest, FamilyEntryReadsMarriageOfHusbandAndWife) {
  f.run.AddPerson("I1", "John/Smith/", 2);
  f.run.AddPerson("I2", "Mary/Brown/", 1);
  f.run.AddPerson("I3", "Ann/Lee/", 1);
  f.run.AddFamily("F1", "I1", "I2");
  f.run.AddFamily("F2", "", "I3");
  Dates("I1", "1 JAN 1900", "2 FEB 1960");
  Dates("I2", "3 MAR 1905", "");  // deceased without a death or burial date
  f.run.Family("F1").notes = {{"Wed in York", kNote, kFam}};
  f.run.Family("F2").notes = {{"Never married", kNote, kFam}};
  SiteContext& site = f.Start();
  WriteNotesPages(site);

  // Mary heads the group of the couple; Ann heads her own.
  EXPECT_EQ(Page("n_0.htm"),
            "Marriage of <a name=\"0\" href=f_0.htm#0>Smith, John </a>(b. 1 JAN 1900,&nbsp;d. 2 "
            "FEB 1960) and <a href=f_0.htm#0>Brown, Mary </a>(b. 3 MAR 1905,&nbsp;d. ?)"
            "<BLOCKQUOTE><I><B>Note:</B></I> Wed in York</BLOCKQUOTE>" +
                kBack + kRule +
                "Marriage of <a name=\"1\" href=f_0.htm#1>Lee, Ann </a>(b. ,&nbsp;d. ?)"
                "<BLOCKQUOTE><I><B>Note:</B></I> Never married</BLOCKQUOTE>" +
                kBack + kRule);
  EXPECT_EQ(Title("n_0.htm"), "Genealogy Data Page 1 (Notes Pages)");
  EXPECT_EQ(site.layout().notes.FamilyEntry(f.run.Family("F1").index), 0);
  EXPECT_EQ(site.layout().notes.FamilyEntry(f.run.Family("F2").index), 1);
  // The partners have no entries of their own.
  EXPECT_EQ(site.layout().notes.IndividualEntry(f.run.Person("I1").index), -1);
  EXPECT_EQ(f.Body([&] { EXPECT_TRUE(WriteNotesIcon(site, 1, false)); }),
            " <a href=\"n_0.htm#1\"><IMG SRC=\"q4.gif\" border=\"0\"></a>");
  EXPECT_NE(f.run.fs.files.count("/out/q4.gif"), 0u);
}

TEST_F(NotesPagesTest, NoteRecordItemsWriteTheRecordAndALongerRest) {
  f.run.AddPerson("I1", "John/Smith/", 2);
  AddRecord("@N5@", "First line<BR>");
  AddRecord("@S1@", "<I>Title: </I>Register<BR>", "@N6@", "@R1@");
  AddRecord("@N6@", "About the register");
  AddRecord("@R1@", "<I>Name: </I>Archive<BR>");
  AddRecord("@N5@", "A second record with the same id");
  AddRecord("N7", "Not an at-sign id");
  f.run.Person("I1").notes = {{"@N5@ see also", kNote, kIndi},
                              {"@N5@ abc", kNote, kIndi},
                              {"@S1@<I>Page: </I>p. 7", kSour, kIndi},
                              {"@N404@ nothing", kNote, kIndi},
                              {"N7", kNote, kIndi}};
  SiteContext& site = f.Start();
  WriteNotesPages(site);
  const std::string n5 = "<BLOCKQUOTE><I><B>Note:</B></I> First line<BR>";
  const std::string n5b = "<BLOCKQUOTE><I><B>Note:</B></I> A second record with the same id";
  EXPECT_EQ(Page("n_0.htm"),
            "<a name=\"0\" href=f_0.htm#0>Smith, John </a>(b. ,&nbsp;d. ?)" +
                // " see also" is longer than four characters, " abc" is not.
                n5 + "<BLOCKQUOTE> see also</BLOCKQUOTE></BLOCKQUOTE>" + n5b +
                "<BLOCKQUOTE> see also</BLOCKQUOTE></BLOCKQUOTE>" + n5 + "</BLOCKQUOTE>" + n5b +
                "</BLOCKQUOTE>"
                "<BLOCKQUOTE><I><B>Source:</B></I>  (Individual)<br><I>Title: </I>Register<BR>"
                "<br><I>Note:</I> About the register"
                "<I>Repository:</I><BLOCKQUOTE><I>Name: </I>Archive<BR></BLOCKQUOTE>"
                "<BLOCKQUOTE><I>Page: </I>p. 7</BLOCKQUOTE></BLOCKQUOTE>"
                // A text without a leading at sign is plain text.
                "<BLOCKQUOTE><I><B>Note:</B></I> N7</BLOCKQUOTE>" +
                kBack + kRule);

  // Without NOTE and REPO in the include list the source stands alone.
  f.run.state.notes_tag_selection[kNote] = false;
  f.run.state.notes_tag_selection[kRepo] = false;
  WriteNotesPages(site);
  EXPECT_NE(Page("n_0.htm").find("(Individual)<br><I>Title: </I>Register<BR><BLOCKQUOTE><I>Page:"),
            std::string::npos)
      << Page("n_0.htm");
}

TEST_F(NotesPagesTest, OnlyUnknownRecordsGiveNoEntryAndNoNumber) {
  f.run.AddPerson("I1", "Lone/Brown/");
  f.run.AddPerson("I2", "John/Smith/");
  AddRecord("@N1@", "");  // a record with an empty text: heading, but no block
  f.run.Person("I1").notes = {{"@N404@", kNote, kIndi}};
  f.run.Person("I2").notes = {{"@N1@", kNote, kIndi}};
  SiteContext& site = f.Start();
  WriteNotesPages(site);
  EXPECT_EQ(site.layout().notes.IndividualEntry(f.run.Person("I1").index), -1);
  EXPECT_EQ(site.layout().notes.IndividualEntry(f.run.Person("I2").index), 0);
  EXPECT_EQ(Page("n_0.htm"),
            "<a name=\"0\" href=f_0.htm#1>Smith, John </a>(b. ,&nbsp;d. ?)" + kBack + kRule);
  EXPECT_EQ(f.Body([&] { EXPECT_FALSE(WriteNotesIcon(site, 0, true)); }), "");
}

TEST_F(NotesPagesTest, SourcesCarryTheLabelOfTheirContext) {
  f.run.AddPerson("I1", "John/Smith/", 2);
  f.run.AddPerson("I2", "Mary/Brown/", 1);
  f.run.AddFamily("F1", "I1", "I2");
  AddRecord("@S1@", "Register");
  f.run.Person("I1").notes = {{"Parish book", kSour, 19},  // under BIRT
                              {"@S1@", kSour, 0},          // no known context
                              {"Stray", kSour, 0},
                              {"Abbreviated", kAbbr, kIndi}};  // a tag without a label
  f.run.Family("F1").notes = {{"Banns book", kSour, kFam}};
  SiteContext& site = f.Start();
  WriteNotesPages(site);
  std::string page = Page("n_0.htm");
  EXPECT_NE(page.find("<BLOCKQUOTE><I><B>Source:</B></I>  (Birth Field)<br>Parish book"
                      "</BLOCKQUOTE><BLOCKQUOTE><I><B>Source:</B></I> Register</BLOCKQUOTE>"
                      "<BLOCKQUOTE><I><B>Source:</B></I>  ( Field)<br>Stray</BLOCKQUOTE>"
                      "<BLOCKQUOTE>Abbreviated</BLOCKQUOTE>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<BLOCKQUOTE><I><B>Source:</B></I>  (Family Field)<br>Banns book"),
            std::string::npos)
      << page;

  // Labels follow the page language.
  SiteContext& german = f.Start(2);
  WriteNotesPages(german);
  std::string label = *lang::TagLabel(kSour, f.labels) + ":</B></I>  (" +
                      *lang::TagLabel(kFam, f.labels) + " " + f.labels.Get(12611) + ")<br>";
  EXPECT_NE(f.run.fs.Read("/out/gn_0.htm").find(label), std::string::npos) << label;
}

TEST_F(NotesPagesTest, LdsItemsFollowTheLivingAndDeceasedSwitches) {
  f.run.AddPerson("LIVE", "Kate/Smith/");
  f.run.AddPerson("DEAD", "John/Smith/");
  f.run.Person("LIVE").deceased = false;
  for (const char* id : {"LIVE", "DEAD"})
    f.run.Person(id).notes = {{"Temple SLAKE", kEndl, kIndi}, {"Baptised", kBapm, kIndi}};
  SiteContext& site = f.Start();
  struct Case {
    int living_switch, deceased_switch;
    bool live_hidden, dead_hidden;
  };
  for (Case c : {Case{1, 1, true, true}, Case{1, 0, true, false}, Case{0, 1, false, true},
                 Case{0, 0, false, false}}) {
    SCOPED_TRACE(std::to_string(c.living_switch) + std::to_string(c.deceased_switch));
    f.run.settings.suppress_lds_living = c.living_switch;
    f.run.settings.suppress_lds_deceased = c.deceased_switch;
    WriteNotesPages(site);
    std::string page = Page("n_0.htm");
    std::size_t second = page.find("<a name=\"1\"");
    ASSERT_NE(second, std::string::npos);
    std::string live = page.substr(0, second), dead = page.substr(second);
    const std::string hidden = "Endowment:</B></I> --Not Shown--</BLOCKQUOTE>";
    const std::string shown = "Endowment:</B></I> Temple SLAKE</BLOCKQUOTE>";
    EXPECT_NE(live.find(c.live_hidden ? hidden : shown), std::string::npos) << live;
    EXPECT_NE(dead.find(c.dead_hidden ? hidden : shown), std::string::npos) << dead;
    EXPECT_EQ(Count(page, "Baptism:</B></I> Baptised"), 2);  // not an ordinance
  }
}

TEST_F(NotesPagesTest, FamilyOrdinancesAreLivingWhenAPartnerIsLiving) {
  f.run.AddPerson("I1", "John/Smith/");
  f.run.AddPerson("I2", "Mary/Brown/");
  f.run.AddFamily("F1", "I1", "I2");
  f.run.Family("F1").notes = {{"Sealed", kSlgs, kFam}};
  f.run.settings.suppress_lds_living = 1;
  f.run.settings.suppress_lds_deceased = 0;
  SiteContext& site = f.Start();
  WriteNotesPages(site);
  EXPECT_NE(Page("n_0.htm").find("Sealing Spouse:</B></I> Sealed<"), std::string::npos);
  f.run.Person("I2").deceased = false;
  WriteNotesPages(site);
  EXPECT_NE(Page("n_0.htm").find("Sealing Spouse:</B></I> --Not Shown--<"), std::string::npos);
}

TEST_F(NotesPagesTest, HeadingShowsPrivacyMarksIdsAndTheRightDates) {
  f.run.AddPerson("I1", "Kid/Ward/");
  f.run.AddPerson("I2", "Old/Ward/");
  f.run.AddPerson("I3", "Young/Ward/");
  store::IndividualRecord& kid = f.run.Person("I1");
  kid.christening_date = "6 JUN 1926";  // no birth date: the christening date stands in
  kid.burial_date = "1 MAY 1990";       // no death date: the burial date stands in
  store::IndividualRecord& old = f.run.Person("I2");
  old.ancestor = true;
  Dates("I3", "7 JUL 1990", "");
  f.run.Person("I3").deceased = false;
  for (const char* id : {"I1", "I2", "I3"}) f.run.Person(id).notes = {{"x", kOccu, kIndi}};
  f.run.state.mark_all_ancestors = true;
  f.run.settings.show_gedcom_ids = 1;
  f.run.settings.suppress_living = 1;
  SiteContext& site = f.Start();
  f.run.Person("I1").title = "Sir";
  WriteNotesPages(site);
  std::string page = Page("n_0.htm");
  EXPECT_NE(page.find("<a name=\"0\" href=f_0.htm#0>Ward, Kid Sir </a><small>{I1}</small> "
                      "(b. 6 JUN 1926,&nbsp;d. 1 MAY 1990)<BLOCKQUOTE>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<img src=\"q5.gif\" border=0 ><a name=\"1\" href=f_0.htm#1>Ward, Old "
                      "</a><small>{I2}</small> (b. ,&nbsp;d. ?)"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<a name=\"2\" href=f_0.htm#2>Ward, Young </a><small>{I3}</small> "
                      "(b. --Not Shown--)<BLOCKQUOTE>"),
            std::string::npos)
      << page;

  // Without family group pages there is nothing to link to, but the anchor stays.
  f.run.settings.create_family_groups = 0;
  f.run.settings.show_gedcom_ids = 0;
  f.run.state.mark_all_ancestors = false;
  WriteNotesPages(site);
  EXPECT_EQ(Page("n_0.htm").rfind("<a name=\"0\"></a>Ward, Kid Sir (b. 6 JUN 1926", 0), 0u);
}

TEST_F(NotesPagesTest, PagesHoldGroupsNotesEntriesAndNumbersSkipEmptyRecords) {
  f.run.settings.groups_notes = 10;
  for (int i = 0; i < 26; ++i) {
    std::string id = "I" + std::to_string(i);
    f.run.AddPerson(id, "P" + std::to_string(i) + "/Smith/");
    // Person 10 arrives when a new page is due and writes nothing.
    f.run.Person(id).notes = {{i == 10 ? "@N404@" : "text", kOccu, kIndi}};
  }
  SiteContext& site = f.Start();
  WriteNotesPages(site);
  std::string pages[3] = {Page("n_0.htm"), Page("n_1.htm"), Page("n_2.htm")};
  EXPECT_EQ(f.run.fs.files.count("/out/n_3.htm"), 0u);
  int entries[3] = {10, 10, 5};
  for (int p = 0; p < 3; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(Count(pages[p], "<a name=\""), entries[p]);
    EXPECT_EQ(Count(pages[p], kBack), entries[p]);
    // No rule after the last entry of a full page.
    EXPECT_EQ(Count(pages[p], kRule), entries[p] == 10 ? 9 : 5);
    for (int k = 0; k < entries[p]; ++k)
      EXPECT_NE(pages[p].find("<a name=\"" + std::to_string(k) + "\""), std::string::npos);
  }
  EXPECT_EQ(Title("n_2.htm"), "Genealogy Data Page 3 (Notes Pages)");
  EXPECT_NE(pages[1].find("<a name=\"0\" href=f_1.htm#1>"), std::string::npos) << pages[1];
  EXPECT_EQ(pages[1].find("P10"), std::string::npos);
  EXPECT_EQ(site.layout().notes.IndividualEntry(f.run.Person("I10").index), -1);
  EXPECT_EQ(site.layout().notes.IndividualEntry(f.run.Person("I11").index), 10);
  EXPECT_EQ(site.layout().notes.IndividualEntry(f.run.Person("I25").index), 24);
  EXPECT_EQ(f.Body([&] { WriteNotesIcon(site, 25, true); }),
            " <a href=\"n_2.htm#4\"><IMG SRC=\"q4.gif\" border=\"0\"></a>");
  EXPECT_EQ(f.run.ui.StatusTexts(),
            (std::vector<std::string>{"Creating data pages Notes Pages : 1",
                                      "Creating data pages Notes Pages : 2"}));
}

TEST_F(NotesPagesTest, NothingToWriteGivesNoPagesAndAnEmptyList) {
  f.run.AddPerson("I1", "John/Smith/");
  SiteContext& site = f.Start();
  WriteNotesPages(site);
  EXPECT_EQ(f.run.fs.files.count("/out/n_0.htm"), 0u);
  EXPECT_EQ(WriteNotesSurnameList(site), 0);
  EXPECT_EQ(Title("s.htm"), "List of Surnames (Grouped by Notes)");  // the main page links it
  WriteNotesSurnameIndexPages(site);
  EXPECT_EQ(f.run.fs.files.size(), 2u);  // the notes icon and s.htm
}

TEST_F(NotesPagesTest, ListOfSurnamesAndIndexPagesShowOnlyIndividualsWithNotes) {
  f.run.AddPerson("I1", "Ann/Ashby/");
  f.run.AddPerson("I2", "Mary/Brown/");
  f.run.AddPerson("I3", "Lone/Brown/");
  f.run.AddPerson("I4", "John/Smith/");
  f.run.AddPerson("I5", "Kate/smith/");
  f.run.AddPerson("I6", "Nobody");
  f.run.AddPerson("I7", "Jan/\xD8rsted/");
  for (const char* id : {"I2", "I4", "I5", "I6", "I7"})
    f.run.Person(id).notes = {{"text", kOccu, kIndi}};
  f.run.settings.index_dates = 0;
  SiteContext& site = f.Start();
  WriteNotesPages(site);
  ASSERT_EQ(WriteNotesSurnameList(site), 1);
  std::string list = f.run.fs.Read("/out/s.htm");
  EXPECT_NE(list.find(kBack + kRule +
                      "<center><P><B>B</B><BR><a href=\"o_b.htm#brown\">Brown</a>(1) "
                      "<P><B>S</B><BR><a href=\"o_s.htm#smith\">Smith</a>(2) "
                      "<P><B>NONE/OTHER</B><BR><a href=\"o_0.htm\">(none)</a>(1) "
                      "<P><B>\xD8</B><BR><a href=\"o_\xD8.htm#\xD8rsted\">\xD8rsted</a>(1) "
                      "</center>"),
            std::string::npos)
      << list;
  LetterPresence expected{};
  expected[1] = expected[18] = expected[store::kOtherSlot] = expected[store::kSlotOSlash] = true;
  EXPECT_EQ(site.layout().notes.presence, expected);

  WriteNotesSurnameIndexPages(site);
  EXPECT_EQ(f.run.fs.files.count("/out/o_a.htm"), 0u);
  EXPECT_EQ(Title("o_b.htm"), "Index for surnames beginning with B   (By Notes)");
  EXPECT_EQ(Title("o_0.htm"),
            "Index for blank surnames or surnames starting with non-alphabetic character (By "
            "Notes)");
  std::string smith = f.run.fs.Read("/out/o_s.htm");
  // The second Smith differs in case: it gets its own anchor; both link to their entries.
  EXPECT_NE(smith.find("<a name=\"smith\" href=\"n_0.htm#1\">Smith, John </a><br>"
                       "<a name=\"smith\" href=\"n_0.htm#2\">smith, Kate </a><br>"),
            std::string::npos)
      << smith;
  EXPECT_NE(smith.find(" <a href=\"o_s.htm\">S</a>"), std::string::npos);
  EXPECT_EQ(f.run.fs.Read("/out/o_b.htm").find("Lone"), std::string::npos);

  // A site whose first notes index page is the blank one puts "By Notes" first.
  for (const char* id : {"I2", "I4", "I5", "I7"}) f.run.Person(id).notes.clear();
  site.layout_to_fill().notes = LayOutNotes(f.run.store);
  WriteNotesPages(site);
  WriteNotesSurnameList(site);
  WriteNotesSurnameIndexPages(site);
  EXPECT_EQ(Title("o_0.htm"),
            "By Notes Index for blank surnames or surnames starting with non-alphabetic "
            "character");
}

}  // namespace
}  // namespace kinloom::site
