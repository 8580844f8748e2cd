// Notes pages of whole conversions: a small GEDCOM file of our own goes through both passes
// and the site generation into a real folder, and the notes pages, their list of surnames
// and index pages are compared with what the file must give; the link checker then runs
// over the site, also for the shared real-world files when they are present.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "lang/tag_labels.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"

namespace kinloom::site {
namespace {

namespace fs = std::filesystem;

const std::string kBack = "<center><h3><a href=\"index.htm\">Back to Main Page</a></h3></center>";
const std::string kRule = "<hr size=4 width='80%'>";

constexpr const char* kFamilyFile =
    "0 HEAD\n"
    "1 CHAR ANSI\n"
    "0 @I1@ INDI\n"
    "1 NAME John /Smith/\n"
    "1 SEX M\n"
    "1 BIRT\n"
    "2 DATE 1 JAN 1900\n"
    "1 DEAT\n"
    "2 DATE 2 FEB 1960\n"
    "1 FAMS @F1@\n"
    "1 OCCU Mason & <b>builder</b>\n"
    "1 NOTE @N5@ see also <the> parish book\n"
    "1 NOTE @N5@ abc\n"
    "1 SOUR @S1@\n"
    "2 PAGE p. 7\n"
    "1 ENDL\n"
    "2 DATE 1 JUN 1950\n"
    "2 TEMP SLAKE\n"
    "0 @I2@ INDI\n"
    "1 NAME Mary /Brown/\n"
    "1 SEX F\n"
    "1 BIRT\n"
    "2 DATE 3 MAR 1905\n"
    "1 DEAT\n"
    "2 DATE 4 APR 1980\n"
    "1 FAMS @F1@\n"
    "1 NOTE <script>alert(1)</script>\n"
    "2 CONT second line\n"
    "2 CONC  joined\n"
    "0 @I3@ INDI\n"
    "1 NAME Kate /Smith/\n"
    "1 SEX F\n"
    "1 BIRT\n"
    "2 DATE 7 JUL 1990\n"
    "1 FAMC @F1@\n"
    "1 ENDL\n"
    "2 TEMP SLAKE\n"
    "1 NOTE @N9@\n"
    "0 @I4@ INDI\n"
    "1 NAME Lone /Brown/\n"
    "1 NOTE @N404@\n"
    "0 @F1@ FAM\n"
    "1 HUSB @I1@\n"
    "1 WIFE @I2@\n"
    "1 CHIL @I3@\n"
    "1 MARR\n"
    "2 DATE 5 MAY 1925\n"
    "1 NOTE Wed in York\n"
    "1 SLGS\n"
    "2 DATE 6 JUN 1930\n"
    "2 SOUR Temple records\n"
    "0 @F2@ FAM\n"  // a conversion needs two families
    "1 HUSB @I4@\n"
    "0 @N5@ NOTE First <line>\n"
    "1 CONT second <i>line</i>\n"
    "0 @N9@ NOTE\n"
    "1 CONT Kate's note\n"
    "0 @S1@ SOUR\n"
    "1 TITL Parish register & index\n"
    "1 REPO @R1@\n"
    "0 @R1@ REPO\n"
    "1 NAME County \"archive\"\n"
    "0 TRLR\n";

bool HavePython() { return std::system("python3 -c 'pass' >/dev/null 2>&1") == 0; }

// The link checker's exit status over a folder, with its report on failure.
int CheckLinks(const std::string& folder, std::string* report) {
  std::string out = folder + ".links";
  std::string command = std::string("python3 '") + KINLOOM_SOURCE_DIR + "/tools/check_links.py' '" +
                        folder + "' >'" + out + "' 2>&1";
  int status = std::system(command.c_str());
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  *report = text.str();
  fs::remove(out);
  return status == -1 ? -1 : WEXITSTATUS(status);
}

// The folder of the shared real-world GEDCOM files, or empty when it is not there.
std::string SharedGedcomFolder() {
  if (const char* set = std::getenv("KINLOOM_SHARED_GEDCOM")) return set;
  for (const char* up : {"/../shared/gedcom", "/../../shared/gedcom"}) {
    std::string folder = std::string(KINLOOM_SOURCE_DIR) + up;
    if (fs::is_directory(folder)) return folder;
  }
  return {};
}

class NotesSiteTest : public ::testing::Test {
 protected:
  NotesSiteTest() {
    settings.owner.user_name = "Owner";
    settings.suppress_lds_deceased = 0;
  }

  run::RunOutcome Convert(const std::string& gedcom) {
    run::ProgressDisplay display([] { return std::time_t{1000}; });
    run::ConversionRun conversion(ui, platform::RealFileSystem(), settings, display);
    return conversion.Run(gedcom, folder, false);
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    if (!in) return "<missing " + name + ">";
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    std::string out;
    for (char c : text)
      if (c != '\r') out += c;
    return out;
  }
  // The body of a page: after the head's rule and the "<p>" that opens a notes page (or the
  // rule alone), up to the foot.
  std::string Body(const std::string& name, const std::string& opening) const {
    std::string page = Read(name);
    std::size_t from = page.find(kRule + opening);
    std::size_t to = page.rfind("<P>" + kRule);
    if (from == std::string::npos || to == std::string::npos || to < from)
      return "<no body in " + name + ">";
    from += kRule.size() + opening.size();
    return page.substr(from, to - from);
  }

  testing::TempFolder temp;
  std::string folder = temp / "site";
  platform::RecordingUi ui;
  settings::Settings settings;
};

TEST_F(NotesSiteTest, EntriesOfAConvertedFile) {
  ASSERT_EQ(Convert(temp.Write("family.ged", kFamilyFile)), run::RunOutcome::kCompleted);
  const std::string note5 =
      "<BLOCKQUOTE><I><B>Note:</B></I>  First &lt;line&gt;<BR><BR>second <i>line</i>";
  const std::string john = "<a href=f_0.htm#0>Smith, John  </a>(b. 1 JAN 1900,&nbsp;d. 2 FEB 1960)";
  const std::string mary = "<a href=f_0.htm#0>Brown, Mary  </a>(b. 3 MAR 1905,&nbsp;d. 4 APR 1980)";
  const std::string expected =
      "<a name=\"0\" href=f_0.htm#0>Smith, John  </a>(b. 1 JAN 1900,&nbsp;d. 2 FEB 1960)"
      "<BLOCKQUOTE><I><B>Occupation:</B></I> Mason &amp; <b>builder</b>"
      "</BLOCKQUOTE>" +
      note5 + "<BLOCKQUOTE> see also &lt;the&gt; parish book</BLOCKQUOTE></BLOCKQUOTE>" + note5 +
      "</BLOCKQUOTE>"
      "<BLOCKQUOTE><I><B>Source:</B></I>  (Individual)<br><I>Title: </I>Parish register &amp; "
      "index<BR><I>Repository:</I><BLOCKQUOTE><I>Name: </I>County &quot;archive&quot;<BR>"
      "</BLOCKQUOTE><BLOCKQUOTE><I>Page: </I>p. 7</BLOCKQUOTE></BLOCKQUOTE>"
      "<BLOCKQUOTE><I><B>Endowment:</B></I> <I>Date: </I>1 JUN 1950<BR><I>Temple: </I>SLAKE"
      "</BLOCKQUOTE>" +
      kBack + kRule +
      "<a name=\"1\" href=f_0.htm#0>Brown, Mary  </a>(b. 3 MAR 1905,&nbsp;d. 4 APR 1980)"
      "<BLOCKQUOTE><I><B>Note:</B></I> &lt;script&gt;alert(1)&lt;/script&gt;<BR>second line "
      "joined</BLOCKQUOTE>" +
      kBack + kRule +
      "<a name=\"2\" href=f_0.htm#0>Smith, Kate  </a>(b. --Not Shown--)"
      "<BLOCKQUOTE><I><B>Endowment:</B></I> --Not Shown--</BLOCKQUOTE>"
      "<BLOCKQUOTE><I><B>Note:</B></I> Kate's note</BLOCKQUOTE>" +
      kBack + kRule + "Marriage of <a name=\"3\" href=" + john.substr(8) + " and " + mary +
      "<BLOCKQUOTE><I><B>Note:</B></I> Wed in York</BLOCKQUOTE>"
      "<BLOCKQUOTE><I><B>Source:</B></I>  (Family Field)<br>Temple records</BLOCKQUOTE>"
      "<BLOCKQUOTE><I><B>Sealing Spouse:</B></I> <I>Date: </I>6 JUN 1930<BR></BLOCKQUOTE>" +
      kBack + kRule;
  EXPECT_EQ(Body("n_0.htm", "<p>"), expected);
  EXPECT_FALSE(fs::exists(folder + "/n_1.htm"));

  EXPECT_EQ(Body("s.htm", ""),
            kBack + kRule +
                "<center><P><B>B</B><BR><a href=\"o_b.htm#brown\">Brown</a>(1) "
                "<P><B>S</B><BR><a href=\"o_s.htm#smith\">Smith</a>(2) </center>");
  std::string smith = Read("o_s.htm");
  EXPECT_NE(smith.find("<a name=\"smith\" href=\"n_0.htm#0\">Smith, John  </a>(b. 1 JAN 1900 - "
                       "d. 2 FEB 1960)<br><a href=\"n_0.htm#2\">Smith, Kate  </a>(b.--Not "
                       "Shown--)<br>"),
            std::string::npos)
      << smith;
  EXPECT_EQ(Read("o_b.htm").find("Lone"), std::string::npos);

  // The family page's notes icons land on the entries: the couple's on entry 3.
  std::string family = Read("f_0.htm");
  EXPECT_NE(family.find("<a href=\"n_0.htm#3\"><IMG SRC=\"q4.gif\""), std::string::npos);
  EXPECT_NE(family.find("<a href=\"n_0.htm#2\"><IMG SRC=\"q4.gif\""), std::string::npos);
  EXPECT_NE(Read("index.htm").find("<a href=\"s.htm\">"), std::string::npos);

  if (!HavePython()) GTEST_SKIP() << "python3 is not installed: links not checked";
  std::string report;
  EXPECT_EQ(CheckLinks(folder, &report), 0) << report;
}

TEST_F(NotesSiteTest, OnlyTheListedTagsAreGathered) {
  settings.notes_to_include = "Occupation;";
  ASSERT_EQ(Convert(temp.Write("family.ged", kFamilyFile)), run::RunOutcome::kCompleted);
  EXPECT_EQ(Body("n_0.htm", "<p>"),
            "<a name=\"0\" href=f_0.htm#0>Smith, John  </a>(b. 1 JAN 1900,&nbsp;d. 2 FEB 1960)"
            "<BLOCKQUOTE><I><B>Occupation:</B></I> Mason &amp; <b>builder</b>"
            "</BLOCKQUOTE>" +
                kBack + kRule);

  // Without the notes pages of any language nothing is gathered and no notes page written.
  settings.notes_to_include = lang::DefaultNotesToInclude();
  settings.create_notes_pages[0] = 0;
  fs::remove_all(folder);
  ASSERT_EQ(Convert(temp / "family.ged"), run::RunOutcome::kCompleted);
  EXPECT_FALSE(fs::exists(folder + "/n_0.htm"));
  EXPECT_FALSE(fs::exists(folder + "/s.htm"));
}

// The shared real-world files convert with every page kind on, and no link of their sites is
// broken, notes pages included.
TEST_F(NotesSiteTest, SharedFilesConvertWithUnbrokenLinks) {
  std::string shared = SharedGedcomFolder();
  if (shared.empty()) GTEST_SKIP() << "the shared GEDCOM folder ../shared/gedcom is absent";
  if (!HavePython()) GTEST_SKIP() << "python3 is not installed";
  for (const char* name : {"royal92.ged", "TGC55CLF.ged", "kennedy.ged"}) {
    SCOPED_TRACE(name);
    std::string file = shared + "/" + name;
    if (!fs::exists(file)) GTEST_SKIP() << file << " is absent";
    fs::remove_all(folder);
    ASSERT_EQ(Convert(file), run::RunOutcome::kCompleted);
    EXPECT_TRUE(fs::exists(folder + "/n_0.htm"));
    EXPECT_NE(Read("s.htm").find("<a href=\"o_"), std::string::npos);
    std::string report;
    EXPECT_EQ(CheckLinks(folder, &report), 0) << report;
  }
}

}  // namespace
}  // namespace kinloom::site
