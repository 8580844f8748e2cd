// GEDCOM files as people have them, converted through the kinloom command: broken links and
// duplicate ids (ending the program by default, dropped with warnings under
// "--skip-broken-links"), markup in notes, surnames with blanks around them and GEDCOM 7.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/program_runner.h"

namespace kinloom::testing {
namespace {

// Two families over two generations; each "{X}" is where a case adds its lines.
constexpr char kFamily[] =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n{I1}"
    "0 @I2@ INDI\n1 NAME Tom /Lee/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Sue /Lee/\n1 FAMC @F1@\n1 FAMS @F2@\n"
    "0 @I4@ INDI\n1 NAME Bob /Ray/\n1 FAMS @F2@\n{I4}"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n{F1}"
    "0 @F2@ FAM\n1 HUSB @I4@\n{F2}1 WIFE @I3@\n"
    "0 TRLR\n";

std::string Family(const std::string& marker = "", const std::string& lines = "") {
  std::string text = kFamily;
  for (const char* m : {"{I1}", "{I4}", "{F1}", "{F2}"})
    text.replace(text.find(m), 4, m == marker ? lines : "");
  return text;
}

// The line number at which `lines` starts in `text`.
int LineOf(const std::string& text, const std::string& lines) {
  const std::size_t at = text.find(lines);
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

struct LinkCheck {
  int status = -1;
  std::string report;
};

LinkCheck CheckLinks(const TempFolder& temp, const std::string& folder) {
  const std::string report = temp / "links.txt";
  const std::string command = std::string("/usr/bin/python3 '") + KINLOOM_SOURCE_DIR +
                              "/tools/check_links.py' '" + folder + "' >'" + report + "' 2>&1";
  const int status = std::system(command.c_str());
  return {status == -1 ? -1 : WEXITSTATUS(status), ReadWholeFile(report)};
}

class ImperfectFileTest : public ::testing::Test {
 protected:
  // Converts `gedcom` into the folder "site"; with `skip`, under --skip-broken-links.
  ProgramResult Convert(const std::string& gedcom, bool skip = false) {
    const std::string path = temp.Write("family.ged", gedcom);
    return RunKinloom(temp, std::string(skip ? "--skip-broken-links " : "") + Quoted(path) + " " +
                                Quoted(site()));
  }
  std::string site() const { return temp / "site"; }
  std::string Page(const std::string& name) const { return ReadWholeFile(temp / "site/" + name); }

  TempFolder temp;
};

constexpr char kHint[] =
    "Broken links can be skipped with a warning: run again with --skip-broken-links, or set "
    "\"Skip Broken Links\" to 1.\n";
constexpr char kNoIndividual[] =
    "Structural problem in GEDCOM file.  A family references\n"
    "individual \"%\", but an individual with that ID was\n"
    "not found in the GEDCOM file.\n"
    "Please check your genealogy database to ensure that all\n"
    "family/individual links are correct.\n\n"
    "Aborting HTML file creation and closing down.\n";

std::string Fill(std::string text, const std::vector<std::string>& values) {
  for (const std::string& value : values) text.replace(text.find('%'), 1, value);
  return text;
}

std::string NoFamily(const std::string& name, const std::string& id, const std::string& family) {
  return Fill(
      "Error in GEDCOM structure\n Individual \"%\" (id \"%\") refrences family \"%\"\n"
      "but no family with that ID was found in GEDCOM file.  Please check the family links "
      "around that individual,re-extract your GEDCOM file, and try again.  ",
      {name, id, family});
}

TEST_F(ImperfectFileTest, EachKindOfBrokenLinkEndsTheRunOrIsDroppedWithAWarning) {
  struct Case {
    const char* marker;
    const char* line;
    std::string message;  // with the option off
    std::string warning;  // with it on, after "Line N: "
  };
  const Case cases[] = {
      {"{I1}", "1 FAMS @F9@\n", NoFamily("Ann /Lee/", "I1", "F9"),
       "individual \"I1\" names family \"F9\", which is not in the GEDCOM file."},
      {"{I4}", "1 FAMC @F8@\n", NoFamily("Bob /Ray/", "I4", "F8"),
       "individual \"I4\" names family \"F8\", which is not in the GEDCOM file."},
      {"{F2}", "1 HUSB @I9@\n", Fill(kNoIndividual, {"I9"}),
       "family \"F2\" names individual \"I9\", which is not in the GEDCOM file."},
      {"{F1}", "1 WIFE @I8@\n", Fill(kNoIndividual, {"I8"}),
       "family \"F1\" names individual \"I8\", which is not in the GEDCOM file."},
      {"{F1}", "1 CHIL @I7@\n", Fill(kNoIndividual, {"I7"}),
       "family \"F1\" names individual \"I7\", which is not in the GEDCOM file."},
      {"{I4}", "1 FAMS @I1@\n", "Record \"I1\" is not a Family... error",
       "individual \"I4\" names family \"I1\", which is an individual."},
      {"{F2}", "1 CHIL @F1@\n",
       "Unexpected Internal Error at Position 12.  Closing Down. \n\n Please email technical "
       "support with this error message at support@kinloom-genealogy.org",
       "family \"F2\" names individual \"F1\", which is a family."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string gedcom = Family(c.marker, c.line);
    ProgramResult off = Convert(gedcom);
    EXPECT_EQ(off.status, 1) << off.err;
    EXPECT_NE(off.err.find(c.message + "\n" + kHint), std::string::npos) << off.err;
    EXPECT_EQ(off.err.find("Finished :)"), std::string::npos) << off.err;

    ProgramResult on = Convert(gedcom, true);
    EXPECT_EQ(on.status, 0) << on.err;
    EXPECT_NE(on.err.find("Broken links in the GEDCOM file were skipped:\nLine " +
                          std::to_string(LineOf(gedcom, c.line)) + ": " + c.warning +
                          "  The link is dropped.\n"),
              std::string::npos)
        << on.err;
    LinkCheck links = CheckLinks(temp, site());
    EXPECT_EQ(links.status, 0) << links.report;
  }
}

TEST_F(ImperfectFileTest, WarningsAfterTheTwentiethAreCounted) {
  std::string children;
  for (int i = 0; i < 25; ++i) children += "1 CHIL @X" + std::to_string(i) + "@\n";
  ProgramResult on = Convert(Family("{F1}", children), true);
  EXPECT_EQ(on.status, 0) << on.err;
  std::size_t lines = 0;
  for (std::size_t at = on.err.find("\nLine "); at != std::string::npos;
       at = on.err.find("\nLine ", at + 1))
    ++lines;
  EXPECT_EQ(lines, 20u) << on.err;
  EXPECT_NE(on.err.find("X19\", which is not in the GEDCOM file.  The link is dropped.\n"
                        "... and 5 more broken links.\n"),
            std::string::npos)
      << on.err;
}

TEST_F(ImperfectFileTest, ADuplicateIdNamesBothLinesAndIsSkippedWhenAsked) {
  const std::string twice = "0 @I1@ INDI\n1 NAME Tim /Twice/\n1 FAMS @F2@\n";
  const std::string gedcom = Family("{I4}", twice);
  const std::string second = std::to_string(LineOf(gedcom, twice));
  ProgramResult off = Convert(gedcom);
  EXPECT_EQ(off.status, 1) << off.err;
  EXPECT_NE(off.err.find("ERROR, duplicate key value in hash table!\nThe id \"I1\" is used by "
                         "the record of line 3 and again by the record of line " +
                         second + ".\n" + kHint),
            std::string::npos)
      << off.err;

  ProgramResult on = Convert(gedcom, true);
  EXPECT_EQ(on.status, 0) << on.err;
  EXPECT_NE(on.err.find("Line " + second +
                        ": the id \"I1\" is already used by the record of line 3.  This record "
                        "is skipped."),
            std::string::npos)
      << on.err;
  // References to I1 reach the first record; the second is nowhere.
  const std::string families = Page("f_0.htm");
  EXPECT_NE(families.find("Lee, Ann"), std::string::npos);
  EXPECT_EQ(families.find("Twice"), std::string::npos);
  EXPECT_NE(Page("index.htm").find("4 Individuals"), std::string::npos);
  EXPECT_EQ(CheckLinks(temp, site()).status, 0);
}

TEST_F(ImperfectFileTest, NoteMarkupIsKeptWhenSafeAndShownAsTextOtherwise) {
  const std::string note =
      "1 NOTE <b>Bold</b> and <i>ital\n2 CONC ic</i> <a href=\"https://example.org/ann\">web</a> "
      "<a href=\"index.htm\">home</a> <img src=\"q4.gif\" onerror=\"alert(1)\">\n"
      "2 CONT <script>alert('x')</script><iframe src=\"https://evil.example\"></iframe>\n"
      "2 CONT <a href=\"javascript:alert(1)\">bad</a> <p style=\"color:red\">para\n"
      "2 CONT <ul><li>one<li>two\n"
      "2 CONT x < y, <b <i>>odd</ul> <unknown> & more <u>unclosed\n";
  ProgramResult r = Convert(Family("{I1}", note));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string page = Page("n_0.htm");
  for (const char* kept :
       {"<b>Bold</b> and <i>italic</i> <a href=\"https://example.org/ann\">web</a> "
        "<a href=\"index.htm\">home</a> <img src=\"q4.gif\"><BR>",
        "&lt;script&gt;alert('x')&lt;/script&gt;&lt;iframe src=&quot;https://evil.example&quot;"
        "&gt;&lt;/iframe&gt;<BR>",
        "&lt;a href=&quot;javascript:alert(1)&quot;&gt;bad&lt;/a&gt; "
        "<p>para<BR></p><ul><li>one</li>"
        "<li>two<BR>",
        // "<b <i>>" is a b with an odd attribute; the b, closed by </ul>, goes on after it.
        "x &lt; y, <b>&gt;odd</b></li></ul><b> &lt;unknown&gt; &amp; more <u>unclosed</u></b>"})
    EXPECT_NE(page.find(kept), std::string::npos) << kept << "\n" << page;
  for (const char* gone : {"<script", "<iframe", "onerror", "style=", "href=\"javascript"})
    EXPECT_EQ(page.find(gone), std::string::npos) << gone;
  // The note closes what it opened: the page's own entry block follows intact.
  EXPECT_NE(page.find("<u>unclosed</u></b></BLOCKQUOTE>"), std::string::npos) << page;
  EXPECT_EQ(CheckLinks(temp, site()).status, 0);
}

TEST_F(ImperfectFileTest, SurnameAnchorsWithoutTheirBlanksLandInABrowser) {
  std::string gedcom = Family();
  gedcom.replace(gedcom.find("Bob /Ray/"), 9, "Bob / Galvin Manufacturing /");
  ProgramResult r = Convert(gedcom);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(Page("c.htm").find("<a href=\"b_0.htm#galvin manufacturing\">"), std::string::npos)
      << Page("c.htm");
  EXPECT_NE(Page("b_0.htm").find("<a name=\"galvin manufacturing\" href="), std::string::npos)
      << Page("b_0.htm");
  LinkCheck links = CheckLinks(temp, site());
  EXPECT_EQ(links.status, 0) << links.report;
}

TEST_F(ImperfectFileTest, Gedcom7FileWithSharedNotesAndVoidPointers) {
  const std::string gedcom =
      "0 HEAD\n1 GEDC\n2 VERS 7.0\n1 SOUR Maker\n2 VERS 5.1\n"
      "0 @I1@ INDI\n1 NAME Zo\u00eb /Bront\u00eb/\n1 SEX F\n1 FAMS @F1@\n1 SNOTE @N1@\n"
      "1 UID 0f3c\n"
      "0 @I2@ INDI\n1 NAME Patrick /Bront\u00eb/\n1 FAMS @F1@\n1 FAMS @F2@\n"
      "0 @I3@ INDI\n1 NAME Anne /Bront\u00eb/\n1 FAMC @F1@\n"
      "0 @I4@ INDI\n1 NAME Maria /Branwell/\n1 FAMS @F2@\n1 FAMC @VOID@\n"
      "0 @I5@ INDI\n1 NAME Emily /Bront\u00eb/\n1 FAMC @F2@\n1 FAMS @F3@\n"
      "0 @I6@ INDI\n1 NAME John /Heaton/\n1 FAMS @F3@\n1 FAMS @VOID@\n"
      "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n1 CHIL @VOID@\n2 PHRASE a son\n"
      "0 @F2@ FAM\n1 HUSB @I2@\n1 WIFE @I4@\n1 CHIL @I5@\n"
      "0 @F3@ FAM\n1 HUSB @I6@\n1 WIFE @I5@\n1 EXID 77\n2 TYPE http://example.org\n"
      "0 @N1@ SNOTE Zo\u00eb's FAMILY kept a <b>diary</b>.\n1 CONT Second line.\n"
      "0 TRLR\n";
  ProgramResult r = Convert(gedcom);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("skipped"), std::string::npos) << r.err;
  const std::string index = Page("index.htm");
  EXPECT_NE(index.find("charset=utf-8"), std::string::npos);
  EXPECT_NE(index.find("3 Families"), std::string::npos) << index;
  EXPECT_NE(Page("c.htm").find("Bront\u00eb"), std::string::npos);
  // The shared note is the person's note, read as UTF-8 with its markup; the word FAMILY in
  // its record line does not make it a family.
  EXPECT_NE(Page("n_0.htm").find(" Zo\u00eb's FAMILY kept a <b>diary</b>.<BR><BR>Second line."),
            std::string::npos)
      << Page("n_0.htm");
  // @VOID@ links nowhere and ends nothing.
  EXPECT_EQ(Page("f_0.htm").find("VOID"), std::string::npos);
  LinkCheck links = CheckLinks(temp, site());
  EXPECT_EQ(links.status, 0) << links.report;
}

}  // namespace
}  // namespace kinloom::testing
