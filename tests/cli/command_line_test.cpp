#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/program_runner.h"
#include "run/temp_folder.h"

namespace kinloom::cli {
namespace {

using Kind = Invocation::Kind;

TEST(ParseArguments, CommaFormSplitsAtTheFirstCommaAndTrimsNothing) {
  Invocation a = ParseArguments({"family.ged,/srv/site,old"});
  EXPECT_EQ(a.kind, Kind::kConvert);
  EXPECT_EQ(a.gedcom_path, "family.ged");
  EXPECT_EQ(a.output_folder, "/srv/site,old");
  Invocation b = ParseArguments({" my family.ged , site "});
  EXPECT_EQ(b.gedcom_path, " my family.ged ");
  EXPECT_EQ(b.output_folder, " site ");
  Invocation c = ParseArguments({",site"});
  EXPECT_EQ(c.kind, Kind::kConvert);
  EXPECT_EQ(c.gedcom_path, "");
}

TEST(ParseArguments, TwoArgumentFormAndOptions) {
  Invocation a = ParseArguments({"a,b.ged", "out"});
  EXPECT_EQ(a.kind, Kind::kConvert);
  EXPECT_EQ(a.gedcom_path, "a,b.ged");
  EXPECT_EQ(a.output_folder, "out");
  EXPECT_EQ(ParseArguments({"--help"}).kind, Kind::kHelp);
  EXPECT_EQ(ParseArguments({"--version"}).kind, Kind::kVersion);
  EXPECT_EQ(ParseArguments({}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"family.ged"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"a", "b", "c"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"--bogus"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"--version", "x"}).kind, Kind::kUsageError);
  Invocation dashed = ParseArguments({"--", "--odd.ged", "site"});
  EXPECT_EQ(dashed.kind, Kind::kConvert);
  EXPECT_EQ(dashed.gedcom_path, "--odd.ged");
}

TEST(ParseArguments, SetTakesEveryFollowingAssignmentAndMayGoWithAConversion) {
  Invocation a = ParseArguments({"--set", "Groups=3", "User Name=Ann", "f.ged", "site"});
  EXPECT_EQ(a.kind, Kind::kConvert);
  EXPECT_EQ(a.assignments, (std::vector<std::string>{"Groups=3", "User Name=Ann"}));
  EXPECT_EQ(a.gedcom_path, "f.ged");
  EXPECT_EQ(a.output_folder, "site");
  Invocation b = ParseArguments({"f.ged,site", "--set", "HTM=0", "--set", "Born=1900"});
  EXPECT_EQ(b.kind, Kind::kConvert);
  EXPECT_EQ(b.assignments, (std::vector<std::string>{"HTM=0", "Born=1900"}));
  Invocation c = ParseArguments({"--set", "Groups=3", "--settings"});
  EXPECT_EQ(c.kind, Kind::kSettings);
  EXPECT_TRUE(c.list_settings);
  EXPECT_EQ(ParseArguments({"--settings"}).kind, Kind::kSettings);
  EXPECT_EQ(ParseArguments({"--set"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"--set", "Groups"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"--settings", "f.ged", "site"}).kind, Kind::kUsageError);
  // Only one comma form or two paths after the assignments.
  EXPECT_EQ(ParseArguments({"--set", "A=1", "f.ged"}).kind, Kind::kUsageError);
}

TEST(ParseArguments, SkipBrokenLinksGoesWithAConversionOnly) {
  Invocation a = ParseArguments({"--skip-broken-links", "f.ged", "site"});
  EXPECT_EQ(a.kind, Kind::kConvert);
  EXPECT_TRUE(a.skip_broken_links);
  EXPECT_FALSE(ParseArguments({"f.ged", "site"}).skip_broken_links);
  EXPECT_EQ(ParseArguments({"--skip-broken-links"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"--skip-broken-links", "--set", "A=1"}).kind, Kind::kUsageError);
}

TEST(ParseArguments, StyleNamesClassicOrModernForAConversionOnly) {
  Invocation modern = ParseArguments({"--style", "modern", "f.ged", "site"});
  EXPECT_EQ(modern.kind, Kind::kConvert);
  EXPECT_EQ(modern.page_style, 1);
  EXPECT_EQ(modern.gedcom_path, "f.ged");
  EXPECT_EQ(modern.output_folder, "site");
  Invocation classic = ParseArguments({"f.ged,site", "--style=classic"});
  EXPECT_EQ(classic.kind, Kind::kConvert);
  EXPECT_EQ(classic.page_style, 0);
  EXPECT_EQ(ParseArguments({"--style=modern", "f.ged", "site"}).page_style, 1);
  EXPECT_LT(ParseArguments({"f.ged", "site"}).page_style, 0);  // the stored option holds
  for (std::vector<std::string> bad :
       {std::vector<std::string>{"--style", "Modern", "f.ged", "site"},
        {"--style", "html5", "f.ged", "site"},
        {"--style=", "f.ged", "site"},
        {"f.ged", "site", "--style"},
        {"--style", "modern"},
        {"--style", "classic", "--set", "A=1"}})
    EXPECT_EQ(ParseArguments(bad).kind, Kind::kUsageError) << bad[0] << " " << bad[1];
}

TEST(ParseArguments, JobsTakesAWholeNumberFrom1To64WithAConversionOnly) {
  Invocation a = ParseArguments({"--jobs", "3", "f.ged", "site"});
  EXPECT_EQ(a.kind, Kind::kConvert);
  EXPECT_EQ(a.jobs, 3);
  EXPECT_EQ(ParseArguments({"f.ged", "site", "--jobs", "64"}).jobs, 64);
  EXPECT_EQ(ParseArguments({"--jobs", "1", "f.ged,site"}).jobs, 1);
  EXPECT_EQ(ParseArguments({"f.ged", "site"}).jobs, 0);  // not given: the number of cores
  for (const char* bad : {"0", "65", "100", "-1", "+2", "2x", "", " 2", "1.5", "007"}) {
    EXPECT_EQ(ParseArguments({"--jobs", bad, "f.ged", "site"}).kind, Kind::kUsageError) << bad;
  }
  EXPECT_EQ(ParseArguments({"f.ged", "site", "--jobs"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"--jobs", "2"}).kind, Kind::kUsageError);
  EXPECT_EQ(ParseArguments({"--jobs", "2", "--set", "A=1"}).kind, Kind::kUsageError);
}

// Runs the built program with standard input from /dev/null.
using Result = testing::ProgramResult;

class ProgramTest : public ::testing::Test {
 protected:
  Result Run(const std::string& arguments) { return testing::RunKinloom(temp, arguments); }
  static std::string Read(const std::string& path) { return testing::ReadWholeFile(path); }
  static std::string Quote(const std::string& path) { return testing::Quoted(path); }

  testing::TempFolder temp;
};

TEST_F(ProgramTest, VersionAndHelp) {
  Result version = Run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "KINLOOM\u00a9 2.52\n");
  Result help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("GEDCOM,FOLDER"), std::string::npos);
  EXPECT_NE(help.out.find("--set NAME=VALUE"), std::string::npos);
}

TEST_F(ProgramTest, UsageErrorsExitWith2) {
  for (const char* arguments : {"", "family.ged", "a b c", "--bogus"}) {
    Result r = Run(arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_NE(r.err.find("usage: kinloom"), std::string::npos) << arguments;
  }
}

TEST_F(ProgramTest, BadOrPathlessStyleIsAUsageErrorThatWritesNothing) {
  const std::string sample = std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged";
  for (const std::string& arguments :
       {"--style gothic " + Quote(sample) + " " + Quote(temp / "site"),
        std::string("--style modern"), std::string("--style")}) {
    Result r = Run(arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_NE(r.err.find("usage: kinloom"), std::string::npos) << arguments;
  }
  EXPECT_FALSE(temp.Exists("site"));
}

TEST_F(ProgramTest, StyleModernWritesHtml5PagesAndTheStyleSheetForOneRun) {
  const std::string sample = std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged";
  Result modern = Run("--style modern " + Quote(sample) + " " + Quote(temp / "modern"));
  ASSERT_EQ(modern.status, 0) << modern.err;
  EXPECT_TRUE(temp.Exists("modern/kinloom.css"));
  EXPECT_EQ(Read(temp / "modern/index.htm").rfind("<!DOCTYPE html>", 0), 0u);
  // The option held for that run only.
  Result classic = Run(Quote(sample) + " " + Quote(temp / "classic"));
  ASSERT_EQ(classic.status, 0) << classic.err;
  EXPECT_FALSE(temp.Exists("classic/kinloom.css"));
  EXPECT_EQ(Read(temp / "classic/index.htm").rfind("<html>", 0), 0u);
  // A second modern run into the same folder recognises the pages of the first as its own.
  Result again = Run("--style modern " + Quote(sample) + " " + Quote(temp / "modern"));
  EXPECT_EQ(again.status, 0) << again.err;
}

TEST_F(ProgramTest, MissingGedcomFileIsReportedAndExitsWith1) {
  const std::string gedcom = temp / "absent.ged";
  Result r = Run(Quote(gedcom + "," + temp / "site"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Unable to open the file '" + gedcom +
                       "'.  KINLOOM\u00a9  aborting.\n  Error = No such file or directory"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(temp.Exists("site"));
  // Without a terminal the owner question takes the answer that goes on, and says so.
  EXPECT_NE(r.err.find("(no terminal: answered No)"), std::string::npos);
}

TEST_F(ProgramTest, OutputFolderThatCannotBeCreatedExitsWith1) {
  const std::string gedcom = temp.Write("family.ged", "0 HEAD\n0 TRLR\n");
  temp.Write("plain");
  const std::string folder = temp / "plain/site";
  Result r = Run(Quote(gedcom) + " " + Quote(folder));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Unable to create or find the directory '" + folder + "/'\n  Error = "),
            std::string::npos)
      << r.err;
}

TEST_F(ProgramTest, SubFolderNamedLikeAPageIsKeptAndCounted) {
  const std::string gedcom = temp.Write("family.ged", "0 HEAD\n0 TRLR\n");
  std::filesystem::create_directories(temp / "site/x.htm");
  temp.Write("site/keep.gif");
  Result r = Run(Quote(gedcom) + " " + Quote(temp / "site"));
  EXPECT_EQ(r.status, 1);  // the file is too small to convert
  EXPECT_EQ(r.err.find("Unable to delete"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("1 pages in the output folder were not written by this program and are "
                       "kept.\n"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(std::filesystem::is_directory(temp / "site/x.htm"));
  EXPECT_TRUE(temp.Exists("site/keep.gif"));
}

TEST_F(ProgramTest, TooSmallFileStopsWith2283ShowingTheCounts) {
  const std::string gedcom =
      temp.Write("small.ged",
                 "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n0 @I2@ INDI\n"
                 "1 NAME Tom /Lee/\n1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n0 TRLR\n");
  Result r = Run(Quote(gedcom) + " " + Quote(temp / "site"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Error detected reading GEDCOM file. KINLOOM\u00a9  only found 1 family(s) "
                       "and 2 individual(s).   A minimum of 2 families and 3 individuals is "
                       "required.  Possible incorrect GEDCOM format, empty file, or non-GEDCOM "
                       "file.  KINLOOM\u00a9  aborting."),
            std::string::npos)
      << r.err;
  // Only the output folder and the settings store were made.
  std::vector<std::string> made;
  for (const auto& entry : std::filesystem::directory_iterator(temp.path()))
    made.push_back(entry.path().filename().string());
  std::sort(made.begin(), made.end());
  EXPECT_EQ(made, (std::vector<std::string>{"config", "site", "small.ged", "status.txt",
                                            "stderr.txt", "stdout.txt"}));
}

TEST_F(ProgramTest, StructuralFaultEndsTheProgramWithAnErrorStatus) {
  // Two records share the id @I1@: the store ends the program at once.
  const std::string gedcom = temp.Write(
      "twice.ged",
      "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ann /Lee/\n0 @I1@ INDI\n1 NAME Tom /Lee/\n"
      "0 @I3@ INDI\n1 NAME Sue /Lee/\n0 @F1@ FAM\n1 WIFE @I1@\n0 @F2@ FAM\n1 WIFE @I3@\n"
      "0 TRLR\n");
  Result r = Run(Quote(gedcom) + " " + Quote(temp / "site"));
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("ERROR, duplicate key value in hash table!"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Finished :)"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Loaded GEDCOM file"), std::string::npos) << r.err;
}

TEST_F(ProgramTest, SampleConvertsAndExitsWith0) {
  const std::string folder = temp / "site";
  Result r =
      Run(Quote(std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged") + " " + Quote(folder));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("100% Finished :)"), std::string::npos) << r.err;
}

TEST_F(ProgramTest, JobsOutOfRangeIsAUsageErrorAndInRangeConverts) {
  const std::string sample = Quote(std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged");
  for (const char* jobs : {"0", "65", "two"}) {
    Result r = Run(std::string("--jobs ") + jobs + " " + sample + " " + Quote(temp / "site"));
    EXPECT_EQ(r.status, 2) << jobs;
    EXPECT_NE(r.err.find("usage: kinloom"), std::string::npos) << jobs;
    EXPECT_FALSE(temp.Exists("site")) << jobs;
  }
  Result help = Run("--help");
  EXPECT_NE(help.out.find("--jobs N"), std::string::npos);
  Result r = Run("--set \"Create French Pages=1\" \"Create German Pages=1\" --jobs 3 " + sample +
                 " " + Quote(temp / "site"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("100% Finished :)"), std::string::npos) << r.err;
  for (const char* page : {"site/index.htm", "site/indexf.htm", "site/indexg.htm"})
    EXPECT_TRUE(temp.Exists(page)) << page;
}

// Settings are kept between invocations in the store of XDG_CONFIG_HOME: "--set" writes
// them, a conversion reads them at start-up and saves everything, "--settings" shows them.
TEST_F(ProgramTest, SettingsSurviveFromOneRunToTheNext) {
  const std::string sample = std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged";
  Result set = Run("--set 'Create English Pages=0' 'User Name=Ann Lee' 'Groups Notes=3'");
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_TRUE(temp.Exists("config/Brennick/registry.reg"));

  // No language is on: the run turns English on, and its bulk save keeps that.
  Result first = Run(Quote(sample) + " " + Quote(temp / "site1"));
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err.find("answered"), std::string::npos) << "the owner's name was stored";
  EXPECT_TRUE(temp.Exists("site1/index.htm"));

  Result listed = Run("--settings");
  ASSERT_EQ(listed.status, 0) << listed.err;
  for (const std::string& line : std::vector<std::string>{
           "\"Create English Pages\" (integer text) = 1\n", "\"User Name\" (text) = \"Ann Lee\"\n",
           "\"Groups Notes\" (dword) = 3\n", "\"Input File\" (text) = \"" + sample + "\"\n",
           "\"Output File\" (text) = \"" + temp / "site1" + "\"\n",
           std::string("\"Version Number\" (real text) = 2.520000\n")})
    EXPECT_NE(listed.out.find(line), std::string::npos) << line << listed.out;

  // An assignment given with a conversion holds for that conversion and after it.
  Result second = Run("--set 'Create French Pages=1' 'HTM=0' -- " + Quote(sample) + " " +
                      Quote(temp / "site2"));
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_TRUE(temp.Exists("site2/index.html"));
  EXPECT_TRUE(temp.Exists("site2/indexf.html"));
  EXPECT_FALSE(temp.Exists("site2/index.htm"));
  Result again = Run("--settings");
  EXPECT_NE(again.out.find("\"Output File\" (text) = \"" + temp / "site2" + "\"\n"),
            std::string::npos);
  EXPECT_NE(again.out.find("\"HTM\" (integer text) = 0\n"), std::string::npos);
}

TEST_F(ProgramTest, UnknownSettingIsRefusedWithTheClosestNamesAndNothingRuns) {
  const std::string sample = std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged";
  Result r = Run("--set 'Grups Notes=3' " + Quote(sample) + " " + Quote(temp / "site"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("There is no setting named 'Grups Notes'.  The closest names are:"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("\"Groups Notes\""), std::string::npos) << r.err;
  EXPECT_FALSE(temp.Exists("site"));
  Result bad = Run("--set 'Groups=many'");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(Run("--settings").out.find("\"Groups\" (dword) = 10\n"), std::string::npos);
}

// A store that cannot be written: the first default written at start-up reports the
// system's code through CheckSaved; the version stamp then fails and ends the program.
TEST_F(ProgramTest, UnwritableStoreEndsStartUpWithItsMessages) {
  temp.Write("config/Brennick", "a file where the store's folder should be");
  Result r = Run("--settings");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("Error occurred saving one or more of your settings."), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("Error Code = 20"), std::string::npos) << r.err;  // ENOTDIR
  EXPECT_NE(r.err.find("Error 102819: Unable to set current version."), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace kinloom::cli
