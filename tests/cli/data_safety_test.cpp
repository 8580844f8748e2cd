// What a conversion must never do to the user's data, through the built program: empty the
// GEDCOM file it reads, delete pages it did not write, publish the dates it withholds, or
// lose the letters of a file that is not in the encoding it declares.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "run/temp_folder.h"

namespace kinloom::cli {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Six people in two families, every line ended with CR LF: Ann (born 1961) and her daughter
// Cat (christened 1985) count as living with "Born" 1900 and "Use Baptism" on; Ann's
// marriage of 1979 belongs to a family of the living. Bob and Dan died long ago.
constexpr const char* kLivingLines[] = {"0 HEAD",
                                        "1 CHAR ANSI",
                                        "0 @I1@ INDI",
                                        "1 NAME Ann /Lee/",
                                        "1 SEX F",
                                        "1 BIRT",
                                        "2 DATE 12 MAR 1961",
                                        "2 PLAC Leeds",
                                        "1 FAMS @F1@",
                                        "0 @I2@ INDI",
                                        "1 NAME Bob /Lee/",
                                        "1 BIRT",
                                        "2 DATE 3 APR 1890",
                                        "1 DEAT",
                                        "2 DATE 1950",
                                        "1 FAMS @F2@",
                                        "0 @I3@ INDI",
                                        "1 NAME Cat /Moor/",
                                        "1 CHR",
                                        "2 DATE 7 JUN 1985",
                                        "3 TIME 10:00",
                                        "2 PLAC York",
                                        "1 FAMC @F1@",
                                        "0 @I4@ INDI",
                                        "1 NAME Dan /Moor/",
                                        "1 BIRT",
                                        "2 DATE 1 JAN 1880",
                                        "1 DEAT",
                                        "2 DATE 1940",
                                        "1 FAMS @F1@",
                                        "0 @I5@ INDI",
                                        "1 NAME Eve /Ash/",
                                        "1 FAMS @F2@",
                                        "0 @F1@ FAM",
                                        "1 HUSB @I4@",
                                        "1 WIFE @I1@",
                                        "1 MARR",
                                        "2 DATE 5 MAY 1979",
                                        "2 PLAC Hull",
                                        "1 CHIL @I3@",
                                        "0 @F2@ FAM",
                                        "1 HUSB @I2@",
                                        "1 WIFE @I5@",
                                        "1 MARR",
                                        "2 DATE 9 SEP 1911",
                                        "0 TRLR"};
const std::vector<std::string> kWithheldLines = {"2 DATE 12 MAR 1961", "2 DATE 7 JUN 1985",
                                                 "3 TIME 10:00", "2 DATE 5 MAY 1979"};

std::string LivingGedcom() {
  std::string text;
  for (const char* line : kLivingLines) text += std::string(line) + "\r\n";
  return text;
}

// A small file of our own: three generations, enough for every page kind.
std::string SmallGedcom() {
  return "0 HEAD\n1 CHAR ANSI\n"
         "0 @I1@ INDI\n1 NAME John /Kerr/\n1 BIRT\n2 DATE 1801\n1 FAMS @F1@\n"
         "0 @I2@ INDI\n1 NAME Mary /Bell/\n1 FAMS @F1@\n"
         "0 @I3@ INDI\n1 NAME Hugh /Kerr/\n1 FAMC @F1@\n1 FAMS @F2@\n"
         "0 @I4@ INDI\n1 NAME Jane /Dunn/\n1 FAMS @F2@\n"
         "0 @I5@ INDI\n1 NAME Rose /Kerr/\n1 FAMC @F2@\n"
         "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
         "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I4@\n1 CHIL @I5@\n0 TRLR\n";
}

class DataSafetyTest : public ::testing::Test {
 protected:
  struct Outcome {
    int status = -1;
    std::string err;
  };

  // Runs the program from `working_folder` with the given arguments and a settings store of
  // its own; `--set` assignments come first.
  Outcome Run(const std::string& working_folder, const std::vector<std::string>& arguments) {
    const std::string err = temp / "stderr.txt", rc = temp / "status.txt";
    std::string command = "cd '" + working_folder + "' && HOME='" + temp.path() +
                          "/home' XDG_CONFIG_HOME='" + temp.path() +
                          "/home/.config' timeout -s KILL 120 '" KINLOOM_BINARY "'";
    command += " --set 'User Name=Test Owner'";
    for (const std::string& s : sets) command += " '" + s + "'";
    for (const std::string& a : arguments) command += " '" + a + "'";
    command += " </dev/null >/dev/null 2>'" + err + "'; echo $? >'" + rc + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    Outcome o;
    std::ifstream(rc) >> o.status;
    o.err = ReadAll(err);
    return o;
  }

  void ExpectCompleteSite(const Outcome& o, const std::string& folder) {
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.err.find("Finished :)"), std::string::npos) << o.err;
    EXPECT_TRUE(fs::exists(folder + "/index.htm"));
    EXPECT_TRUE(fs::exists(folder + "/f_0.htm"));
  }

  testing::TempFolder temp;
  std::vector<std::string> sets;
};

// However the input's path is spelled, and whether the folder holds the file itself or a
// link to it, the input keeps every byte and the site is complete.
TEST_F(DataSafetyTest, InputInsideTheOutputFolderIsNeverEmptied) {
  const std::string content = SmallGedcom();
  struct Spelling {
    const char* what;
    std::string working_folder;
    std::string gedcom;
    std::string folder;
  };
  const std::string site = temp / "site";
  const std::vector<Spelling> spellings = {
      {"relative, from inside the folder", site, "k.ged", "."},
      {"absolute input, relative folder", temp.path(), site + "/k.ged", "site"},
      {"with ./", temp.path(), "site/./k.ged", "site"},
      {"with ../", temp.path(), "site/../site/k.ged", temp.path() + "/site"},
      {"a symbolic link of the same name elsewhere", temp.path(), "links/k.ged", "site"},
      {"a hard link of the same name elsewhere", temp.path(), "hard/k.ged", "site"},
  };
  for (const Spelling& s : spellings) {
    SCOPED_TRACE(s.what);
    fs::remove_all(site);
    fs::remove_all(temp / "links");
    fs::remove_all(temp / "hard");
    temp.Write("site/k.ged", content);
    fs::create_directories(temp / "links");
    fs::create_symlink(site + "/k.ged", temp / "links/k.ged");
    fs::create_directories(temp / "hard");
    fs::create_hard_link(site + "/k.ged", temp / "hard/k.ged");
    const Outcome o = Run(s.working_folder, {s.gedcom, s.folder});
    EXPECT_EQ(ReadAll(site + "/k.ged"), content);
    ExpectCompleteSite(o, site);
    // The main page links the file that is there.
    EXPECT_NE(ReadAll(site + "/index.htm").find("k.ged"), std::string::npos);
  }
}

TEST_F(DataSafetyTest, OnlyPagesThisProgramWroteAreDeleted) {
  const std::string input = temp.Write("k.ged", SmallGedcom());
  const std::string site = temp / "site";
  ExpectCompleteSite(Run(temp.path(), {input, site}), site);
  // An old page of ours that the next run does not write again, and the user's own pages.
  fs::copy_file(site + "/f_0.htm", site + "/f_77.htm");
  const std::string own = "<html><head><title>My notes</title></head><body>mine</body></html>";
  temp.Write("site/notes.html", own);
  temp.Write("site/old.htm", "<html><head><meta name='GENERATOR' content='Other'></head>");
  fs::create_directories(site + "/photos.htm");

  const Outcome o = Run(temp.path(), {input, site});
  ExpectCompleteSite(o, site);
  EXPECT_FALSE(fs::exists(site + "/f_77.htm"));
  EXPECT_EQ(ReadAll(site + "/notes.html"), own);
  EXPECT_TRUE(fs::exists(site + "/old.htm"));
  EXPECT_TRUE(fs::is_directory(site + "/photos.htm"));
  EXPECT_NE(o.err.find("3 pages in the output folder were not written by this program and are "
                       "kept."),
            std::string::npos)
      << o.err;
}

TEST_F(DataSafetyTest, ForeignPageInTheWayOfAPageStopsTheRunAndIsKept) {
  const std::string input = temp.Write("k.ged", SmallGedcom());
  const std::string own = "<html><body>The family's own home page</body></html>";
  temp.Write("site/index.htm", own);
  const Outcome o = Run(temp.path(), {input, temp / "site"});
  EXPECT_EQ(o.status, 1) << o.err;
  EXPECT_EQ(o.err.find("Finished :)"), std::string::npos);
  EXPECT_NE(o.err.find("which this program did not write"), std::string::npos) << o.err;
  EXPECT_EQ(ReadAll(temp / "site/index.htm"), own);
}

TEST_F(DataSafetyTest, CopyWithholdsWhatThePagesWithholdAndKeepsEveryOtherByte) {
  const std::string input = temp.Write("living.ged", LivingGedcom());
  const std::string site = temp / "site";
  sets = {"Suppress Living=1", "Born=1900", "Married=1920", "Use Baptism=1",
          "Create Notes Pages=1"};
  ExpectCompleteSite(Run(temp.path(), {input, site}), site);
  EXPECT_EQ(ReadAll(input), LivingGedcom());

  std::string expected;
  for (const char* line : kLivingLines)
    if (std::find(kWithheldLines.begin(), kWithheldLines.end(), line) == kWithheldLines.end())
      expected += std::string(line) + "\r\n";
  EXPECT_EQ(ReadAll(site + "/living.ged"), expected);

  // No withheld date anywhere in the folder; the dates of the dead are still published.
  for (const auto& entry : fs::recursive_directory_iterator(site)) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = ReadAll(entry.path().string());
    for (const char* date : {"12 MAR 1961", "7 JUN 1985", "5 MAY 1979", "1961", "1985", "1979"})
      EXPECT_EQ(bytes.find(date), std::string::npos) << date << " in " << entry.path();
  }
  EXPECT_NE(ReadAll(site + "/living.ged").find("2 DATE 9 SEP 1911\r\n"), std::string::npos);

  // Off, the copy is the input byte for byte.
  sets = {"Suppress Living=0"};
  ExpectCompleteSite(Run(temp.path(), {input, site}), site);
  EXPECT_EQ(ReadAll(site + "/living.ged"), LivingGedcom());
}

TEST_F(DataSafetyTest, InputInTheFolderWithSuppressLivingIsLinkedAsItIsAndSaidSo) {
  const std::string input = temp.Write("site/living.ged", LivingGedcom());
  sets = {"Suppress Living=1", "Born=1900"};
  const Outcome o = Run(temp.path(), {input, temp / "site"});
  ExpectCompleteSite(o, temp / "site");
  EXPECT_EQ(ReadAll(input), LivingGedcom());
  EXPECT_NE(o.err.find("The GEDCOM file lies in the output folder and is linked as it is"),
            std::string::npos)
      << o.err;
}

TEST_F(DataSafetyTest, UnicodeFileHoldingWindows1252KeepsItsLetters) {
  std::string text = SmallGedcom();
  text.replace(text.find("1 CHAR ANSI"), 11, "1 CHAR UNICODE");
  text.replace(text.find("Mary /Bell/"), 11, "Jos\xE9 /N\xFA\xF1\x65z/");
  const std::string input = temp.Write("k.ged", text);
  const std::string site = temp / "site";
  const Outcome o = Run(temp.path(), {input, site});
  ExpectCompleteSite(o, site);
  EXPECT_NE(o.err.find("The GEDCOM file is not the UTF-8 it declares: 3 bytes were read as "
                       "Windows-1252, the first on line 9."),
            std::string::npos)
      << o.err;
  bool shown = false;
  for (const auto& entry : fs::directory_iterator(site)) {
    const std::string bytes = ReadAll(entry.path().string());
    EXPECT_EQ(bytes.find("\xEF\xBF\xBD"), std::string::npos) << entry.path();
    shown = shown || bytes.find("Jos\xC3\xA9") != std::string::npos;
  }
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace kinloom::cli
