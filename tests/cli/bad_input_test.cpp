// Malformed and hostile GEDCOM files through the built program: each ends with a clear
// message and status 1, or with a complete site and status 0; never a crash, a hang, or a
// file outside the output folder.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "run/temp_folder.h"

namespace kinloom::cli {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;  // exit status; 124 a timeout, above 128 a signal
  std::string err;
};

class BadInputTest : public ::testing::Test {
 protected:
  // Runs the program on `gedcom` with a settings store of its own, under a time limit.
  Outcome Convert(const std::string& gedcom, const std::string& folder, int seconds = 120) {
    const std::string err = temp / "stderr.txt", rc = temp / "status.txt";
    const std::string command = "HOME='" + temp.path() + "/home' XDG_CONFIG_HOME='" +
                                temp.path() + "/home/.config' timeout -s KILL " +
                                std::to_string(seconds) + " '" KINLOOM_BINARY "' '" + gedcom +
                                "' '" + folder + "' </dev/null >/dev/null 2>'" + err +
                                "'; echo $? >'" + rc + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    Outcome o;
    std::ifstream(rc) >> o.status;
    std::ifstream in(err, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    o.err = s.str();
    return o;
  }

  std::string Site() const { return temp / "site"; }

  // A clean end: status 0 with the finished site, or status 1 with a message; and nothing
  // written beside the input, the settings and the output folder.
  void ExpectCleanEnd(const Outcome& o, const std::string& /*input*/) {
    ASSERT_TRUE(o.status == 0 || o.status == 1)
        << "status " << o.status << (o.status == 137 ? " (killed: hang)" : "") << "\n"
        << o.err.substr(o.err.size() > 3000 ? o.err.size() - 3000 : 0);
    EXPECT_EQ(o.err.find("runtime error"), std::string::npos) << o.err.substr(0, 3000);
    EXPECT_EQ(o.err.find("Sanitizer"), std::string::npos) << o.err.substr(0, 3000);
    if (o.status == 0) {
      EXPECT_NE(o.err.find("Finished :)"), std::string::npos);
      EXPECT_TRUE(fs::exists(Site() + "/index.htm"));
    } else {
      EXPECT_EQ(o.err.find("Finished :)"), std::string::npos);
      EXPECT_GT(o.err.size(), 0u);
    }
    for (const auto& entry : fs::directory_iterator(temp.path())) {
      const std::string name = entry.path().filename().string();
      const bool an_input = entry.path().extension() == ".ged";
      EXPECT_TRUE(an_input || name == "site" ||
                  name == "home" || name == "stderr.txt" || name == "status.txt")
          << "unexpected file " << name;
    }
  }

  void ExpectCleanEnd(const std::string& name, const std::string& content) {
    const std::string input = temp.Write(name, content);
    ExpectCleanEnd(Convert(input, Site()), input);
  }

  testing::TempFolder temp;
};

// Three individuals and two families around `extra` records, enough to convert.
std::string Minimal(const std::string& extra) {
  return "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n"
         "0 @I2@ INDI\n1 NAME Tom /Lee/\n1 FAMS @F1@\n0 @I3@ INDI\n1 NAME Sue /Lee/\n"
         "1 FAMC @F1@\n0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n0 @F2@ FAM\n" +
         extra + "0 TRLR\n";
}

TEST_F(BadInputTest, EmptyAndNonGedcomFilesStopWithTheMinimumMessage) {
  for (const std::string& content : {std::string(), std::string("hello\nworld\n"),
                                     std::string("\n\n\r\r\n")}) {
    const std::string input = temp.Write("empty.ged", content);
    const Outcome o = Convert(input, Site());
    ExpectCleanEnd(o, input);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("only found 0 family(s) and 0 individual(s)"), std::string::npos)
        << o.err;
  }
}

TEST_F(BadInputTest, BinaryJunkEndsCleanly) {
  std::mt19937 random(8);
  std::string junk(256 * 1024, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  ExpectCleanEnd("junk.ged", junk);
  // Junk that looks like lines: digits, at signs and record keywords.
  const char alphabet[] = "0123 @@INDIFAMNOTECHILFAMSFAMCHUSBWIFE\n\r\0x";
  for (char& c : junk) c = alphabet[random() % (sizeof alphabet - 1)];
  ExpectCleanEnd("junk.ged", junk);
}

TEST_F(BadInputTest, TruncatedRecordAndNulBytes) {
  std::string truncated = Minimal("");
  truncated.resize(truncated.size() - 20);
  ExpectCleanEnd("truncated.ged", truncated);
  ExpectCleanEnd("cut.ged", Minimal("") + "0 @I4@ IN");
  ExpectCleanEnd("nul.ged", Minimal(std::string("0 @I9@ INDI\n1 NAME Nu\0l /Lee/\n1 BIRT\n2 DATE 1\0"
                                                "900\n",
                                                47)));
}

TEST_F(BadInputTest, HugeLevelsAndLongLines) {
  ExpectCleanEnd("levels.ged", Minimal("0 @I7@ INDI\n100 NAME Deep /Lee/\n"
                                       "99999999999999999999999 NAME Over /Flow/\n"
                                       "-5 NAME Neg /Lee/\n1 NAME x\n"));
  ExpectCleanEnd("megaline.ged",
                 Minimal("0 @I8@ INDI\n1 NAME " + std::string(1 << 20, 'a') + " /Long/\n"));
}

TEST_F(BadInputTest, HundredMegabyteLineIsReadWhole) {
  const std::string input = temp / "huge.ged";
  {
    std::ofstream out(input, std::ios::binary);
    const std::string head = Minimal("");
    out << head.substr(0, head.size() - 7) << "0 @N1@ NOTE ";
    const std::string block(1 << 20, 'n');
    for (int k = 0; k < 100; ++k) out << block;
    out << "\n0 TRLR\n";
  }
  ExpectCleanEnd(Convert(input, Site(), 300), input);
}

TEST_F(BadInputTest, MissingIdsAndLinksToNothing) {
  ExpectCleanEnd("missing.ged",
                 Minimal("0 INDI\n1 NAME No /Id/\n1 FAMS @F99@\n1 FAMC @\n0 @@ FAM\n"
                         "1 CHIL @I99@\n1 HUSB\n1 WIFE @\n0 @F3 FAM\n1 CHIL @I3@\n"));
}

TEST_F(BadInputTest, LoopsOfFamiliesAndParents) {
  // A family naming itself as a child, a person who is their own parent, and two men each
  // the other's father.
  ExpectCleanEnd("loops.ged",
                 Minimal("0 @F4@ FAM\n1 CHIL @F4@\n1 HUSB @F4@\n"
                         "0 @I5@ INDI\n1 NAME Own /Parent/\n1 FAMC @F5@\n1 FAMS @F5@\n"
                         "0 @F5@ FAM\n1 HUSB @I5@\n1 CHIL @I5@\n"
                         "0 @I6@ INDI\n1 NAME Al /Loop/\n1 FAMC @F6@\n1 FAMS @F7@\n"
                         "0 @I7@ INDI\n1 NAME Bo /Loop/\n1 FAMC @F7@\n1 FAMS @F6@\n"
                         "0 @F6@ FAM\n1 HUSB @I7@\n1 CHIL @I6@\n"
                         "0 @F7@ FAM\n1 HUSB @I6@\n1 CHIL @I7@\n"));
}

TEST_F(BadInputTest, ManySpouseFamiliesAndChildren) {
  std::string extra = "0 @IX@ INDI\n1 NAME Many /Wives/\n1 SEX M\n";
  for (int k = 0; k < 10000; ++k) extra += "1 FAMS @S" + std::to_string(k) + "@\n";
  for (int k = 0; k < 10000; ++k)
    extra += "0 @S" + std::to_string(k) + "@ FAM\n1 HUSB @IX@\n";
  extra += "0 @FC@ FAM\n1 HUSB @I2@\n";
  for (int k = 0; k < 1000; ++k) extra += "1 CHIL @C" + std::to_string(k) + "@\n";
  for (int k = 0; k < 1000; ++k)
    extra += "0 @C" + std::to_string(k) + "@ INDI\n1 NAME C" + std::to_string(k) +
             " /Kid/\n1 FAMC @FC@\n";
  ExpectCleanEnd("many.ged", Minimal(extra));
}

TEST_F(BadInputTest, StrangeIds) {
  ExpectCleanEnd("ids.ged", Minimal("0 @\xE9\xFF\x80@ INDI\n1 NAME High /Bytes/\n1 FAMS @F\xE9@\n"
                                    "0 @F\xE9@ FAM\n1 HUSB @\xE9\xFF\x80@\n"
                                    "0 @../../escape@ INDI\n1 NAME Dot /Dot/\n"
                                    "0 @" + std::string(8000, 'L') +
                                    "@ INDI\n1 NAME Long /Id/\n1 FAMS @F2@\n"));
}

TEST_F(BadInputTest, TenThousandGenerations) {
  std::string extra;
  const int generations = 10000;
  for (int g = 0; g < generations; ++g) {
    extra += "0 @G" + std::to_string(g) + "@ INDI\n1 NAME Gen" + std::to_string(g) + " /Line/\n";
    if (g > 0) extra += "1 FAMC @GF" + std::to_string(g - 1) + "@\n";
    extra += "1 FAMS @GF" + std::to_string(g) + "@\n";
  }
  for (int g = 0; g < generations; ++g) {
    extra += "0 @GF" + std::to_string(g) + "@ FAM\n1 HUSB @G" + std::to_string(g) + "@\n";
    if (g + 1 < generations) extra += "1 CHIL @G" + std::to_string(g + 1) + "@\n";
  }
  ExpectCleanEnd("deep.ged", Minimal(extra));
}

TEST_F(BadInputTest, OutputFolderThatCannotBeWritten) {
  const std::string input = temp.Write("ok.ged", Minimal(""));
  // /proc refuses new folders whatever the user's rights: a read-only file system.
  const Outcome o = Convert(input, "/proc/kinloom-no-such/site");
  EXPECT_EQ(o.status, 1) << o.err;
  EXPECT_NE(o.err.find("Unable to create or find the directory"), std::string::npos) << o.err;
}

}  // namespace
}  // namespace kinloom::cli
