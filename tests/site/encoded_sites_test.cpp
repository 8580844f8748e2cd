// Whole conversions of files in every encoding, through the real passes, site and file
// system: each site shows the characters of its source in its own declared encoding, the
// same family gives the same site whatever encoding it was saved in, links resolve, and
// malformed bytes convert with replacement characters instead of failing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "gedcom/encoding.h"
#include "platform/recording_ui.h"
#include "platform/text_encoding.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"
#include "shared_gedcom.h"
#include "store/genealogy_store.h"

namespace kinloom::site {
namespace {

namespace fs = std::filesystem;
using gedcom::SourceEncoding;

const std::string kUtf8Meta =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
const std::string kCp1252Meta =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";

std::string Fixture(const std::string& name) {
  return std::string(KINLOOM_SOURCE_DIR) + "/tests/data/encoding/" + name;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool IsValidUtf8(const std::string& text) {
  std::string decoded;
  gedcom::InputDecoder(SourceEncoding::kUtf8).Decode(text, true, &decoded);
  return decoded == text;
}

// The steps of a run that do not belong to what is tested: no pause at the end, no date
// stamps (so that pages compare byte for byte); optionally NOTE records kept, and the note
// record texts captured before the store is released.
class TestAuxiliary : public run::AuxiliarySteps {
 public:
  bool keep_notes = false;
  void WaitOneSecond() override {}
  void MakeDateStamps(run::RunContext&) override {}
  bool LoadNotesTagList(run::RunContext& context, const std::optional<std::string>&) override {
    if (keep_notes) context.state.notes_tag_selection[84] = true;
    return true;
  }
};

class CapturingPasses : public run::GedcomPasses {
 public:
  std::map<std::string, std::string> notes;  // note record id → text
  void Load(run::RunContext& context, platform::InputFile& file) override {
    run::GedcomPasses::Load(context, file);
    for (const store::NoteRecord& note : context.store.notes) notes[note.id] = note.text;
  }
};

struct Conversion {
  testing::TempFolder temp;
  platform::RecordingUi ui;
  settings::Settings settings;
  run::ProgressDisplay display;
  TestAuxiliary auxiliary;
  CapturingPasses passes;
  SourceEncoding encoding = SourceEncoding::kWindows1252;
  std::string folder = temp / "site";

  run::RunOutcome Run(const std::string& gedcom) {
    settings.input_file = gedcom;
    settings.output_file = folder;
    run::ConversionRun::Steps steps;
    steps.passes = &passes;
    steps.auxiliary = &auxiliary;
    run::ConversionRun conversion(ui, platform::RealFileSystem(), settings, display, steps);
    run::RunOutcome outcome = conversion.Run(gedcom, folder, false);
    encoding = conversion.state().source_encoding;
    return outcome;
  }

  std::string Page(const std::string& name) const { return ReadFile(fs::path(folder) / name); }

  // Every page of the site by file name (as on disk, UTF-8).
  std::map<std::string, std::string> Pages() const {
    std::map<std::string, std::string> pages;
    for (const auto& entry : fs::directory_iterator(folder)) {
      std::string name = entry.path().filename().string();
      if (entry.path().extension() == ".htm") pages[name] = ReadFile(entry.path());
    }
    return pages;
  }
};

// What the page would be in Windows-1252 (every character of these fixtures fits).
std::string AsCp1252(const std::string& utf8_page) {
  std::string page = platform::Utf8ToCp1252(utf8_page);
  std::size_t at = page.find(platform::Utf8ToCp1252(kUtf8Meta));
  if (at != std::string::npos) page.replace(at, kUtf8Meta.size(), kCp1252Meta);
  return page;
}

TEST(EncodedSitesTest, OneFamilyInFourEncodingsGivesOneSite) {
  // The same family saved as ANSI, ANSEL, UTF-8 and UTF-16 (names with é, ü, Ø, Å, æ ...).
  auto convert = [](const std::string& file, SourceEncoding expected) {
    auto c = std::make_unique<Conversion>();
    c->settings.create_link_to_gedcom_file = 0;  // the one line that names the file
    EXPECT_EQ(c->Run(Fixture(file)), run::RunOutcome::kCompleted) << file;
    EXPECT_EQ(c->encoding, expected) << file;
    return c;
  };
  auto ansi = convert("ansi_family.ged", SourceEncoding::kWindows1252);
  auto ansel = convert("ansel_family.ged", SourceEncoding::kAnsel);
  auto utf8 = convert("utf8_family.ged", SourceEncoding::kUtf8);
  auto utf16 = convert("utf16_family.ged", SourceEncoding::kUtf16Le);

  const auto reference = ansi->Pages();
  ASSERT_GE(reference.size(), 8u);
  EXPECT_EQ(ansel->Pages(), reference);  // ANSEL sites are Windows-1252 sites
  EXPECT_EQ(utf16->Pages(), utf8->Pages());
  const auto utf8_pages = utf8->Pages();
  ASSERT_EQ(utf8_pages.size(), reference.size());
  for (const auto& [name, page] : utf8_pages) {
    EXPECT_EQ(page.rfind("<html><head>" + kUtf8Meta, 0), 0u) << name;
    EXPECT_TRUE(IsValidUtf8(page)) << name;
    ASSERT_TRUE(reference.count(name)) << name;
    EXPECT_EQ(AsCp1252(page), reference.at(name)) << name;
  }
  for (const auto& [name, page] : reference)
    EXPECT_EQ(page.rfind("<html><head>" + kCp1252Meta, 0), 0u) << name;

  // The accented names as the characters of the source, in each site's encoding.
  EXPECT_NE(ansi->Page("b_d.htm").find("Dupr\xE9, Jean"), std::string::npos);
  EXPECT_NE(utf8->Page("b_d.htm").find("Dupr\xC3\xA9, Jean"), std::string::npos);
  // The Ø page is named in UTF-8 on disk in both sites; each links to it in its encoding.
  EXPECT_TRUE(reference.count("b_\xC3\x98.htm"));
  EXPECT_NE(ansi->Page("b_d.htm").find("<a href=\"b_\xD8.htm\">\xD8</a>"), std::string::npos);
  EXPECT_NE(utf8->Page("b_d.htm").find("<a href=\"b_\xC3\x98.htm\">\xC3\x98</a>"),
            std::string::npos);
  EXPECT_NE(utf8->Page("b_\xC3\x98.htm").find("\xC3\x98stergaard, S\xC3\xB8ren"),
            std::string::npos);
}

// The golden pages are the site of ansi_family.ged with the declaration taken out and page
// files named in Windows-1252; a non-ASCII byte of their file name is percent-encoded in the
// data folder. The page kinds have their own hand-derived tests; this set guards the ANSI
// output as a whole against any change besides the declaration.
TEST(EncodedSitesTest, AnsiSiteIsTheSiteWithoutDeclarationsPlusTheDeclaration) {
  Conversion c;
  ASSERT_EQ(c.Run(Fixture("ansi_family.ged")), run::RunOutcome::kCompleted);
  std::map<std::string, std::string> expected;
  for (const auto& entry : fs::directory_iterator(Fixture("ansi_site")))
    expected[entry.path().filename().string()] = ReadFile(entry.path());
  ASSERT_GE(expected.size(), 18u);
  std::map<std::string, std::string> written;
  for (auto [name, page] : c.Pages()) {
    std::string golden_name;
    for (unsigned char b : platform::Utf8ToCp1252(name)) {
      if (b < 0x80) {
        golden_name += static_cast<char>(b);
      } else {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", b);
        golden_name += hex;
      }
    }
    const std::string head = "<html><head>" + kCp1252Meta;
    EXPECT_EQ(page.rfind(head, 0), 0u) << name;
    page.erase(std::string("<html><head>").size(), kCp1252Meta.size());
    written[golden_name] = page;
  }
  EXPECT_EQ(written, expected);
}

TEST(EncodedSitesTest, LinksResolveInBothSiteEncodings) {
  if (std::system("python3 -c 'pass' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  for (const char* file : {"ansi_family.ged", "utf8_family.ged"}) {
    Conversion c;
    c.settings.create_notes_pages[0] = 0;
    ASSERT_EQ(c.Run(Fixture(file)), run::RunOutcome::kCompleted);
    std::string command = std::string("python3 '") + KINLOOM_SOURCE_DIR +
                          "/tools/check_links.py' '" + c.folder + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << file;
  }
}

TEST(EncodedSitesTest, OwnTextsAreConvertedForUtf8Sites) {
  Conversion c;
  c.settings.create_pages[2] = 1;                      // German beside English
  c.settings.owner.user_name = "J\xFCrgen M\xFCller";  // typed in, Windows-1252
  c.settings.index_title[2] = "Stammb\xE4ume";
  ASSERT_EQ(c.Run(Fixture("utf8_family.ged")), run::RunOutcome::kCompleted);
  std::string german = c.Page("indexg.htm");
  EXPECT_NE(german.find("J\xC3\xBCrgen M\xC3\xBCller"), std::string::npos) << german;
  EXPECT_NE(german.find("<title>Stammb\xC3\xA4ume</title>"), std::string::npos);
  std::string family = c.Page("gf_0.htm");
  EXPECT_NE(family.find("Eheschlie\xC3\x9Fung"), std::string::npos) << family;
  EXPECT_NE(family.find("Dupr\xC3\xA9"), std::string::npos);
  std::string author = c.Page("gr.htm");
  EXPECT_NE(author.find("J\xC3\xBCrgen Albrecht"), std::string::npos);  // the translator
  for (const auto& [name, page] : c.Pages()) EXPECT_TRUE(IsValidUtf8(page)) << name;
}

// Two families and three individuals, the least a conversion accepts, around `name`.
std::string SmallFile(const std::string& char_line, const std::string& name) {
  return "0 HEAD\n1 CHAR " + char_line + "\n0 @I1@ INDI\n1 NAME " + name +
         "\n1 FAMS @F1@\n0 @I2@ INDI\n1 NAME Ann /Berg/\n1 FAMS @F1@\n0 @I3@ INDI\n"
         "1 NAME Bo /Berg/\n1 FAMC @F1@\n1 FAMS @F2@\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n"
         "1 CHIL @I3@\n0 @F2@ FAM\n1 HUSB @I3@\n0 TRLR\n";
}

TEST(EncodedSitesTest, MalformedInputConvertsKeepingWhatLettersItCan) {
  struct Case {
    std::string bytes;
    std::string expected;  // in the family group page
    const char* meta;
  };
  std::string utf16;
  for (char c : SmallFile("UNICODE", "Eve /Quist/")) {
    utf16 += c;
    utf16 += '\0';
  }
  utf16 = "\xFF\xFE" + utf16.substr(0, utf16.size() - 2) + "\n";  // an odd byte count
  const Case cases[] = {
      // Bytes that are not UTF-8 are read as Windows-1252: \xFF is ÿ, a lone \xC3 is Ã.
      {SmallFile("UTF-8", "Eve\xFF /Qu\xC3ist/"), "Qu\xC3\x83ist, Eve\xC3\xBF", kUtf8Meta.c_str()},
      {utf16, "Quist, Eve", kUtf8Meta.c_str()},
      // A diacritic with no letter after it (it stays on the blank it precedes), and a byte
      // ANSEL leaves unassigned.
      {SmallFile("ANSEL", "Eve\xE2 /Qu\xAFist/"), "Qu&#65533;ist, Eve &#769;", kCp1252Meta.c_str()},
  };
  for (const Case& c : cases) {
    Conversion run;
    std::string file = run.temp.Write("bad.ged", c.bytes);
    EXPECT_EQ(run.Run(file), run::RunOutcome::kCompleted);
    std::string page = run.Page("b_q.htm");
    EXPECT_EQ(page.rfind(std::string("<html><head>") + c.meta, 0), 0u) << page;
    EXPECT_NE(page.find(c.expected), std::string::npos) << page;
  }
}

TEST(EncodedSitesTest, TypedInAncestorIdMatchesIdsOfEveryEncoding) {
  auto replace_all = [](std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
      text.replace(at, from.size(), to), at += to.size();
    return text;
  };
  for (const auto& [char_line, id] :
       {std::pair<std::string, std::string>{"ANSI", "I\xD8"}, {"UTF-8", "I\xC3\x98"}}) {
    Conversion c;
    c.settings.mark_all_ancestors = 1;
    c.settings.ancestor_id = "I\xD8";  // "IØ" as typed: Windows-1252
    std::string file = c.temp.Write(
        "a.ged", replace_all(SmallFile(char_line, "Eve /Quist/"), "@I1@", "@" + id + "@"));
    ASSERT_EQ(c.Run(file), run::RunOutcome::kCompleted) << char_line;
    for (const auto& m : c.ui.messages)
      EXPECT_EQ(m.text.find("Unable to find GEDCOM identifier"), std::string::npos) << char_line;
    EXPECT_NE(c.Page("b_q.htm").find("are direct ancestors of<a href=\"f_0.htm#0\">Eve  Quist</a>"),
              std::string::npos)
        << char_line << c.Page("b_q.htm");
  }
}

TEST(EncodedSitesTest, SharedFilesConvertInTheirEncodings) {
  struct Case {
    const char* file;
    SourceEncoding encoding;
    const char* page;      // a page to look into
    const char* expected;  // text it must hold (in the site's encoding)
  };
  const Case cases[] = {
      {"kennedy.ged", SourceEncoding::kUtf8, "b_k.htm", "Kennedy, John Fitzgerald"},
      {"bronte.ged", SourceEncoding::kUtf8, "b_b.htm", "Bront\xC3\xAB, Charlotte"},
      {"royal92.ged", SourceEncoding::kAnsel, "b_v.htm", "Visconti, Galeazzo"},
      {"TGC55CLF.ged", SourceEncoding::kAnsel, "b_a.htm", "ANSEL, Charlie Accented"},
      {"555SAMPLE16LE.GED", SourceEncoding::kUtf16Le, "b_w.htm", "Williams, Robert Eugene"},
      {"allged.ged", SourceEncoding::kWindows1252, "index.htm", "Individuals"},
  };
  int found = 0;
  for (const Case& c : cases) {
    const std::string path = testing::SharedGedcomPath(c.file);
    if (path.empty()) continue;
    ++found;
    Conversion run;
    EXPECT_EQ(run.Run(path), run::RunOutcome::kCompleted) << c.file;
    EXPECT_EQ(run.encoding, c.encoding) << c.file;
    const bool utf8 = gedcom::SiteEncodingFor(c.encoding) == platform::TextEncoding::kUtf8;
    for (const auto& [name, page] : run.Pages()) {
      EXPECT_EQ(page.rfind("<html><head>" + (utf8 ? kUtf8Meta : kCp1252Meta), 0), 0u)
          << c.file << " " << name;
      if (utf8) {
        EXPECT_TRUE(IsValidUtf8(page)) << c.file << " " << name;
      }
    }
    EXPECT_NE(run.Page(c.page).find(c.expected), std::string::npos) << c.file;
  }
  if (found == 0) GTEST_SKIP() << "no shared GEDCOM files (../shared/gedcom); test skipped";
}

TEST(EncodedSitesTest, Utf16SampleGivesTheSameSiteAsItsUtf8Original) {
  KINLOOM_SHARED_GEDCOM_OR_SKIP(utf16, "555SAMPLE16LE.GED");
  KINLOOM_SHARED_GEDCOM_OR_SKIP(utf8, "555SAMPLE.GED");
  Conversion a, b;
  a.settings.create_link_to_gedcom_file = b.settings.create_link_to_gedcom_file = 0;
  ASSERT_EQ(a.Run(utf16), run::RunOutcome::kCompleted);
  ASSERT_EQ(b.Run(utf8), run::RunOutcome::kCompleted);
  EXPECT_EQ(a.encoding, SourceEncoding::kUtf16Le);
  EXPECT_EQ(b.encoding, SourceEncoding::kUtf8);
  EXPECT_GE(a.Pages().size(), 8u);
  EXPECT_EQ(a.Pages(), b.Pages());
}

TEST(EncodedSitesTest, TortureFileKeepsTheAccentsOfItsAnselNotes) {
  KINLOOM_SHARED_GEDCOM_OR_SKIP(path, "TGC55CLF.ged");
  Conversion c;
  c.auxiliary.keep_notes = true;
  ASSERT_EQ(c.Run(path), run::RunOutcome::kCompleted);
  ASSERT_TRUE(c.passes.notes.count("@N24@"));
  const std::string& note = c.passes.notes["@N24@"];  // "Charlie Accented ANSEL"
  EXPECT_NE(note.find("Charlie Accented ANSEL"), std::string::npos) << note.substr(0, 200);
  // E2 (acute) before A, B, C: Á, B with a combining acute (no precomposed form), Ć.
  EXPECT_NE(note.find("\xC3\x81"
                      "B\xCC\x81"
                      "\xC4\x86"),
            std::string::npos);
  // E8 (diaeresis) before a, e, i: ä, ë, ï.
  EXPECT_NE(note.find("\xC3\xA4"
                      "b\xCC\x88"
                      "c\xCC\x88"
                      "d\xCC\x88"
                      "\xC3\xAB"),
            std::string::npos);
  EXPECT_TRUE(IsValidUtf8(note));
}

}  // namespace
}  // namespace kinloom::site
