// Whole conversions in several output languages, from a small GEDCOM file to the page sets
// in a real folder: the languages follow their index order, each writes its own files with
// its own labels, title and date stamp, the main pages link to one another, a failing
// language stops the later ones, and "Lables In French" turns the run's messages French.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "lang/date_stamps.h"
#include "lang/label_set.h"
#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/shared_gedcom.h"
#include "run/temp_folder.h"

namespace kinloom::run {
namespace {

using Op = platform::FailingFileSystem::Operation;

// 2026-12-07 01:23:45 UTC.
constexpr std::time_t kMoment = 1796606625;

// Two generations: the parents are dead, the son and his wife (born after 1900, no death)
// are taken to be living, so their dates are withheld.
constexpr char kFamilyGedcom[] =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Hans /Weber/\n1 SEX M\n1 BIRT\n2 DATE 1 JAN 1900\n1 DEAT\n"
    "2 DATE 5 MAY 1970\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Greta /Weber/\n1 SEX F\n1 BIRT\n2 DATE 3 MAR 1905\n1 DEAT\n"
    "2 DATE 1980\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Karl /Weber/\n1 SEX M\n1 BIRT\n2 DATE 12 JUN 1990\n1 FAMC @F1@\n"
    "1 FAMS @F2@\n"
    "0 @I4@ INDI\n1 NAME Lena /Brandt/\n1 SEX F\n1 BIRT\n2 DATE 1992\n1 FAMS @F2@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1925\n1 CHIL @I3@\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I4@\n1 MARR\n2 DATE 2015\n"
    "0 TRLR\n";

// The label number of the link to each language's site.
constexpr int kLinkLabels[settings::kLanguageCount] = {12442, 12443, 12444, 12613, 12616,
                                                       12620, 12627, 12628, 12635};
// The main pages' default base names and the family group pages' prefixes.
constexpr const char* kIndexNames[settings::kLanguageCount] = {
    "index", "indexf", "indexg", "indexd", "indexs", "indexa", "indexn", "indexi", "indexp"};
constexpr const char* kFamilyPrefixes[settings::kLanguageCount] = {"f",  "ff", "gf", "df", "sf",
                                                                   "af", "nf", "if", "tf"};

// The real auxiliary steps (date stamps, images) without the pause after "Finished :)".
class NoPause : public AuxiliarySteps {
 public:
  void WaitOneSecond() override {}
};

class MultiLanguageRunTest : public ::testing::Test {
 protected:
  MultiLanguageRunTest() : display([] { return kMoment; }) {
    gedcom = temp.Write("family.ged", kFamilyGedcom);
    folder = temp / "site";
    settings.owner.user_name = "Owner";
    settings.create_pages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    settings.create_notes_pages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    settings.use_default_background = 0;
    for (int l = 0; l < settings::kLanguageCount; ++l) {
      settings.index_name[l] = kIndexNames[l];
      settings.index_title[l] = "Title of language " + std::to_string(l);
    }
  }

  RunOutcome Run() {
    ConversionRun run(ui, fs, settings, display, {nullptr, nullptr, nullptr, &auxiliary});
    return run.Run(gedcom, folder, false);
  }
  void Select(std::initializer_list<int> languages) {
    for (int l : languages) settings.create_pages[static_cast<std::size_t>(l)] = 1;
  }
  std::string Page(const std::string& name) const {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    if (!in) return "<missing " + name + ">";
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(folder + "/" + name);
  }
  // The languages whose progress texts appear, in the order they first appear.
  std::vector<std::string> LanguagesInProgressOrder() const {
    std::vector<std::string> order;
    for (const std::string& text : ui.StatusTexts()) {
      if (text.empty() || text[0] != '(') continue;
      const std::size_t end = text.find(")\n");
      if (end == std::string::npos) continue;
      std::string name = text.substr(1, end - 1);
      if (order.empty() || order.back() != name) order.push_back(name);
    }
    return order;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : ui.messages) out.push_back(m.text);
    return out;
  }

  testing::TempFolder temp;
  std::string gedcom, folder;
  platform::RecordingUi ui;
  platform::FailingFileSystem fs;
  settings::Settings settings;
  ProgressDisplay display;
  NoPause auxiliary;
};

TEST_F(MultiLanguageRunTest, LanguagesRunInIndexOrderEachWithItsTitleStampAndLinks) {
  Select({8, 2, 0, 5});
  ASSERT_EQ(Run(), RunOutcome::kCompleted) << ::testing::PrintToString(Messages());
  EXPECT_EQ(LanguagesInProgressOrder(),
            (std::vector<std::string>{"English", "German", "Danish", "Portugu\xEAs(BR)"}));
  const lang::DateStamps stamps = lang::MakeDateStampsAt(kMoment);
  const std::vector<int> selected = {0, 2, 5, 8};
  for (int l : selected) {
    SCOPED_TRACE("language " + std::to_string(l));
    const lang::LabelSet labels(l);
    const std::string main = Page(std::string(kIndexNames[l]) + ".htm");
    EXPECT_NE(main.find("Title of language " + std::to_string(l)), std::string::npos);
    EXPECT_NE(main.find("<p>" + labels.Get(12356) + " " + stamps[l] + ".</p></center>"),
              std::string::npos)
        << main;
    EXPECT_NE(main.find(labels.Get(12352) + "<br>"), std::string::npos);
    // One link to every other selected language, named in this page's language, and
    // none to the page's own language.
    std::string links = "<center>";
    for (int other : selected) {
      if (other == l) continue;
      if (links != "<center>") links += ", ";
      links += "<a href=" + std::string(kIndexNames[other]) + ".htm>" +
               labels.Get(kLinkLabels[other]) + "</a>";
    }
    EXPECT_NE(main.find(links + "</center></p>"), std::string::npos) << main;
    EXPECT_EQ(main.find("<a href=" + std::string(kIndexNames[l]) + ".htm>"), std::string::npos);
    // The language's own family group page and author page.
    EXPECT_TRUE(Exists(std::string(kFamilyPrefixes[l]) + "_0.htm"));
    EXPECT_NE(Page(std::string(kFamilyPrefixes[l]) + "_0.htm").find(labels.Get(12374) + ":"),
              std::string::npos);
  }
  for (int l : {1, 3, 4, 6, 7}) {
    EXPECT_FALSE(Exists(std::string(kIndexNames[l]) + ".htm")) << l;
    EXPECT_FALSE(Exists(std::string(kFamilyPrefixes[l]) + "_0.htm")) << l;
  }
  EXPECT_TRUE(Exists("r.htm"));
  EXPECT_TRUE(Exists("gr.htm"));
  EXPECT_TRUE(Exists("ar.htm"));
  EXPECT_TRUE(Exists("tr.htm"));
  // The stamp shows the same moment in each form; the page foot repeats it.
  EXPECT_NE(Page("indexg.htm").find("07.12.2026 um 01:23:45 MEZ "), std::string::npos);
  EXPECT_NE(Page("indexp.htm").find("07/12/2026 \xE0s 01:23:45 GMT "), std::string::npos);
}

TEST_F(MultiLanguageRunTest, FailingLanguageStopsTheLaterOnes) {
  Select({0, 1, 3, 7});
  settings.create_link_to_gedcom_file = 1;
  // The GEDCOM file is copied beside each main page; the copy for Dutch, the third
  // language, fails.
  fs.Fail(Op::kCreate, ENOSPC, "family.ged", 2);
  EXPECT_EQ(Run(), RunOutcome::kSiteFailed);
  EXPECT_EQ(LanguagesInProgressOrder(), (std::vector<std::string>{"English", "French", "Dutch"}));
  EXPECT_TRUE(Exists("index.htm"));
  EXPECT_TRUE(Exists("indexf.htm"));
  EXPECT_TRUE(Exists("df_0.htm"));  // written before the main page
  EXPECT_FALSE(Exists("indexi.htm"));
  EXPECT_FALSE(Exists("if_0.htm"));
  EXPECT_FALSE(Exists("ir.htm"));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().text.rfind("Unable to copy the GEDCOM file " + gedcom, 0), 0u)
      << ui.messages.back().text;
  for (const std::string& text : ui.StatusTexts()) EXPECT_NE(text, "Finished :)");
}

TEST_F(MultiLanguageRunTest, GermanPagesUseTheGermanBlock) {
  Select({2});
  ASSERT_EQ(Run(), RunOutcome::kCompleted) << ::testing::PrintToString(Messages());
  const std::string family = Page("gf_0.htm");
  EXPECT_NE(family.find("Familie:<blockquote>"), std::string::npos) << family;
  EXPECT_NE(family.find("--privat--"), std::string::npos) << family;
  EXPECT_EQ(family.find("12 JUN 1990"), std::string::npos);  // Karl is taken to be living
  EXPECT_NE(family.find("1 JAN 1900"), std::string::npos);   // his father died
  EXPECT_EQ(family.find("--Not Shown--"), std::string::npos);
  EXPECT_NE(Page("indexg.htm").find("Diese Web-Seiten enthalten<br>"), std::string::npos);
  // A single language links to no other.
  EXPECT_EQ(Page("indexg.htm").find("<a href=index"), std::string::npos);
  EXPECT_FALSE(Exists("index.htm"));
  EXPECT_FALSE(Exists("f_0.htm"));
}

TEST_F(MultiLanguageRunTest, DutchOnlyRunWritesTheDutchMainPage) {
  Select({3});
  ASSERT_EQ(Run(), RunOutcome::kCompleted) << ::testing::PrintToString(Messages());
  const std::string main = Page("indexd.htm");
  EXPECT_NE(main.find("Op deze pagina's staan<br>"), std::string::npos) << main;
  EXPECT_NE(main.find("Deze pagina's zijn gemaakt op 07.12.2026 om 01:23:45 GMT ."),
            std::string::npos);
  EXPECT_FALSE(Exists("index.htm"));
  EXPECT_TRUE(Exists("df_0.htm"));
  EXPECT_TRUE(Exists("dr.htm"));
  // The status texts carry no language caption when only one language is made.
  EXPECT_TRUE(LanguagesInProgressOrder().empty());
  EXPECT_TRUE(ui.view_button_enabled);  // the base page of the one language made
}

TEST_F(MultiLanguageRunTest, FrenchInterfaceShowsFrenchMessagesAndStatusTexts) {
  settings.labels_in_french = 1;
  Select({0, 2});
  ASSERT_EQ(Run(), RunOutcome::kCompleted) << ::testing::PrintToString(Messages());
  std::vector<std::string> texts = ui.StatusTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(),
            "Entr\xE9"
            "e et sortie v\xE9rifi\xE9"
            "es");
  EXPECT_EQ(texts.back(), "Termin\xE9 :)");
  EXPECT_EQ(LanguagesInProgressOrder(), (std::vector<std::string>{"Anglais", "Allemand"}));
  // The pages keep their own languages.
  EXPECT_NE(Page("index.htm").find("These web pages contain<br>"), std::string::npos);
  EXPECT_NE(Page("indexg.htm").find("Diese Web-Seiten enthalten<br>"), std::string::npos);

  // The minimum-records message, with its counts and product name filled in.
  ui.messages.clear();
  gedcom = temp.Write("small.ged",
                      "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n"
                      "0 @I2@ INDI\n1 NAME Tom /Lee/\n1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I2@\n"
                      "1 WIFE @I1@\n0 TRLR\n");
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Erreur \xE0 la lecture du fichier GEDCOM. KINLOOM\xA9  n'a trouv\xE9 que 1 "
            "famille(s) et 2 individu(s).   Il faut au moins 2 familles et 3 individus.  Le "
            "format GEDCOM est peut-\xEAtre incorrect, ou le fichier est vide ou n'est pas un "
            "fichier GEDCOM.  KINLOOM\xA9  abandonne.");
}

// The broken links that tools/check_links.py reports for a folder.
std::vector<std::string> BrokenLinks(const std::string& folder, std::string* summary) {
  const std::string report = folder + ".links";
  const std::string command = std::string("python3 '") + KINLOOM_SOURCE_DIR +
                              "/tools/check_links.py' '" + folder + "' >'" + report + "' 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(report);
  std::vector<std::string> broken;
  std::string line;
  while (std::getline(in, line)) {
    if (line.find(" links checked, ") != std::string::npos) {
      *summary = line;
      continue;
    }
    broken.push_back(line);
  }
  if (status == -1 || (summary->empty() && broken.empty())) broken.push_back("checker did not run");
  return broken;
}

TEST_F(MultiLanguageRunTest, Royal92InAllNineLanguagesGivesNineCompleteLinkedSites) {
  const std::string royal = testing::SharedGedcom("royal92.ged");
  if (royal.empty()) GTEST_SKIP() << "shared/gedcom/royal92.ged is not available";
  if (std::system("python3 -c pass >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  gedcom = royal;
  settings.create_pages = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  settings.create_notes_pages = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  settings.create_family_groups = 1;
  settings.create_descendancy_groups = 1;
  settings.create_pedigree_groups = 1;
  settings.create_link_to_gedcom_file = 1;
  settings.text_file = 1;
  ASSERT_EQ(Run(), RunOutcome::kCompleted) << ::testing::PrintToString(Messages());

  // Side by side: each language has as many files of each kind as English.
  std::map<std::string, int> per_prefix;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    per_prefix[name.substr(0, name.find_first_of("_."))]++;
  }
  const std::string kinds = "fbcdehipklmnsor";
  const std::string letters[] = {"", "f", "g", "d", "s", "a", "n", "i", "t"};
  for (char kind : kinds)
    for (int l = 1; l < settings::kLanguageCount; ++l)
      EXPECT_EQ(per_prefix[letters[l] + kind], per_prefix[std::string(1, kind)])
          << letters[l] << kind;
  EXPECT_GT(per_prefix["f"], 100);

  // Every main page links to the eight others.
  for (int l = 0; l < settings::kLanguageCount; ++l) {
    const std::string main = Page(std::string(kIndexNames[l]) + ".htm");
    for (int other = 0; other < settings::kLanguageCount; ++other)
      EXPECT_EQ(
          main.find("<a href=" + std::string(kIndexNames[other]) + ".htm>") != std::string::npos,
          other != l)
          << kIndexNames[l] << " -> " << kIndexNames[other];
  }

  std::string summary;
  const std::vector<std::string> broken = BrokenLinks(folder, &summary);
  std::cout << "[ links    ] " << summary << "\n";
  EXPECT_TRUE(broken.empty()) << ::testing::PrintToString(broken);
}

}  // namespace
}  // namespace kinloom::run
