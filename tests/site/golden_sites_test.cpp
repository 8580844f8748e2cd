// Whole sites compared with recorded ones, byte for byte. Each site is one input converted
// under one set of options; tests/site/golden/NAME.sha256 lists the SHA-256 of every file
// the site holds, and tests/site/golden/sample-all-kinds/ keeps one site's files in full so
// that a change shows as a readable difference.
//
// A deliberate change of the pages is recorded anew with
//   KINLOOM_RECORD_GOLDEN=1 build/kinloom_tests --gtest_filter='GoldenSites*'
// and the re-recorded files are committed on their own, with the reason.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"

namespace kinloom::run {
namespace {

namespace fs = std::filesystem;

// 2026-12-07 01:23:45 UTC: the date stamps and the copyright year.
constexpr std::time_t kMoment = 1796606625;

const std::string kGoldenDir = std::string(KINLOOM_SOURCE_DIR) + "/tests/site/golden";
constexpr char kFullSite[] = "sample-all-kinds";

// ---- SHA-256 (FIPS 180-4), enough for a manifest ----

std::string Sha256(const std::string& data) {
  static constexpr std::uint32_t k[64] = {
      0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
      0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe,
      0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f,
      0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7,
      0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc,
      0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
      0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116,
      0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
      0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
      0xc67178f2};
  std::uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::string m = data;
  const std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
  m += static_cast<char>(0x80);
  while (m.size() % 64 != 56) m += '\0';
  for (int i = 7; i >= 0; --i) m += static_cast<char>((bits >> (i * 8)) & 0xff);
  auto rotr = [](std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
  for (std::size_t block = 0; block < m.size(); block += 64) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) {
      w[i] = 0;
      for (int b = 0; b < 4; ++b)
        w[i] = (w[i] << 8) | static_cast<unsigned char>(m[block + i * 4 + b]);
    }
    for (int i = 16; i < 64; ++i) {
      const std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
      const std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6],
                  hh = h[7];
    for (int i = 0; i < 64; ++i) {
      const std::uint32_t t1 =
          hh + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
      const std::uint32_t t2 =
          (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
      hh = g;
      g = f;
      f = e;
      e = d + t1;
      d = c;
      c = b;
      b = a;
      a = t1 + t2;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += hh;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (std::uint32_t word : h)
    for (int i = 28; i >= 0; i -= 4) out += kHex[(word >> i) & 0xf];
  return out;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// ---- the sites ----

struct Input {
  const char* name;  // the site's name prefix and the GEDCOM file's name in the run
  const char* path;  // below the source folder
};

constexpr Input kSample{"sample", "examples/sample.ged"};
constexpr Input kHostile{"hostile", "tests/site/golden/inputs/hostile.ged"};
constexpr Input kExtended{"extended", "tests/site/golden/inputs/extended.ged"};
constexpr Input kUtf8{"utf8", "tests/data/encoding/utf8_family.ged"};
constexpr Input kUtf16{"utf16", "tests/data/encoding/utf16_family.ged"};
constexpr Input kAnsel{"ansel", "tests/data/encoding/ansel_family.ged"};

using Options = std::function<void(settings::Settings&)>;

struct OptionSet {
  const char* name;
  Options apply;
};

void Defaults(settings::Settings&) {}

// Every page kind, small groups, gendex.txt, the copyright line, ids and a custom link.
void AllKinds(settings::Settings& s) {
  s.create_notes_pages[0] = 1;
  s.groups = 3;
  s.groups_descendancy = 2;
  s.groups_pedigree = 2;
  s.groups_notes = 3;
  s.text_file = 1;
  s.include_copyright = 1;
  s.show_gedcom_ids = 1;
  s.group_only_for_topmost = 0;
  s.include_custom_links = 1;
  s.custom_links_title[0] = "Elsewhere & <more>";
  s.custom_links[0][0] = {"A society", "http://example.org/society"};
  s.meta_refresh_tag = 1;
}

// Living people withheld, LDS data shown for the dead, baptism taken for birth.
void Living(settings::Settings& s) {
  s.suppress_living = 1;
  s.born = 1920;
  s.married = 1930;
  s.suppress_lds_living = 1;
  s.suppress_lds_deceased = 0;
  s.use_baptism = 1;
  s.create_notes_pages[0] = 1;
  s.text_file = 1;
}

// Extended descendancy and pedigree pages, grouped for the topmost person only.
void Topmost(settings::Settings& s) {
  s.group_only_for_topmost = 1;
  s.create_ascendancy_groups = 1;
  s.groups_descendancy = 2;
  s.groups_pedigree = 2;
  s.mark_all_ancestors = 1;
}

// French and Portuguese (Brazil) side by side, without English.
void FrenchPortuguese(settings::Settings& s) {
  s.create_pages = {0, 1, 0, 0, 0, 0, 0, 0, 1};
  s.create_notes_pages = {0, 1, 0, 0, 0, 0, 0, 0, 1};
  s.text_file = 1;
}

void NoColours(settings::Settings& s) {
  s.no_colors = 1;
  s.minimize_absolute = 1;
  s.use_default_background = 0;
}

void HtmlExtension(settings::Settings& s) {
  s.htm = 0;
  s.create_notes_pages[0] = 1;
}

void NoLiving(settings::Settings& s) {
  s.suppress_living = 0;
  s.use_baptism = 0;
  s.create_notes_pages[0] = 1;
}

const std::vector<OptionSet>& OptionSets() {
  static const std::vector<OptionSet> sets = {
      {"defaults", Defaults},          {"all-kinds", AllKinds},   {"living", Living},
      {"topmost", Topmost},            {"fr-pt", FrenchPortuguese}, {"no-colours", NoColours},
      {"html", HtmlExtension},         {"no-living", NoLiving}};
  return sets;
}

struct Site {
  std::string name;
  Input input;
  Options apply;
};

std::vector<Site> Sites() {
  std::vector<Site> sites;
  for (const Input& input : {kSample, kHostile, kExtended})
    for (const OptionSet& set : OptionSets())
      sites.push_back({std::string(input.name) + "-" + set.name, input, set.apply});
  for (const Input& input : {kUtf8, kUtf16, kAnsel}) {
    sites.push_back({std::string(input.name) + "-all-kinds", input, AllKinds});
  }
  return sites;
}

class NoPause : public AuxiliarySteps {
 public:
  void WaitOneSecond() override {}
};

// The settings every golden site starts from: the program's defaults with an owner, an
// index title and a stored background, so that the author page and the heads have text.
settings::Settings BaseSettings() {
  settings::Settings s;
  s.owner.user_name = "Owen Owner";
  s.owner.email_address = "owen@example.org";
  s.owner.homepages[0] = "http://example.org/owen";
  s.owner.address[0] = "1 Long Lane";
  for (int l = 0; l < settings::kLanguageCount; ++l)
    s.index_title[l] = "Golden site " + std::to_string(l);
  return s;
}

// Converts `site` into `folder`; the manifest of what it wrote, by file name.
std::map<std::string, std::string> Convert(const Site& site, const testing::TempFolder& temp,
                                           std::string* failure, std::uintmax_t* bytes = nullptr) {
  const std::string gedcom =
      temp.Write(std::string(site.input.name) + ".ged",
                 ReadAll(std::string(KINLOOM_SOURCE_DIR) + "/" + site.input.path));
  const std::string folder = temp / "site";
  platform::RecordingUi ui;
  platform::FailingFileSystem file_system;
  settings::Settings settings = BaseSettings();
  site.apply(settings);
  ProgressDisplay display([] { return kMoment; });
  NoPause auxiliary;
  ConversionRun run(ui, file_system, settings, display, {nullptr, nullptr, nullptr, &auxiliary});
  if (run.Run(gedcom, folder, false) != RunOutcome::kCompleted) {
    *failure = "the run did not complete:";
    for (const auto& m : ui.messages) *failure += " [" + m.text + "]";
    return {};
  }
  std::map<std::string, std::string> manifest;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    manifest[fs::relative(entry.path(), folder).string()] = Sha256(ReadAll(entry.path()));
    if (bytes != nullptr) *bytes += entry.file_size();
  }
  return manifest;
}

std::string ManifestText(const std::map<std::string, std::string>& manifest) {
  std::string text;
  for (const auto& [file, hash] : manifest) text += hash + "  " + file + "\n";
  return text;
}

bool Recording() {
  const char* value = std::getenv("KINLOOM_RECORD_GOLDEN");
  return value != nullptr && std::string(value) == "1";
}

class GoldenSitesTest : public ::testing::Test {
 protected:
  GoldenSitesTest() {
    // The date stamps and the copyright year read local time.
    const char* tz = std::getenv("TZ");
    if (tz != nullptr) saved_tz_ = tz, had_tz_ = true;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  ~GoldenSitesTest() override {
    if (had_tz_)
      setenv("TZ", saved_tz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::string saved_tz_;
  bool had_tz_ = false;
};

TEST_F(GoldenSitesTest, EverySiteMatchesItsRecordedManifest) {
  int files = 0;
  std::uintmax_t bytes = 0;
  for (const Site& site : Sites()) {
    SCOPED_TRACE(site.name);
    testing::TempFolder temp;
    std::string failure;
    const auto manifest = Convert(site, temp, &failure, &bytes);
    ASSERT_TRUE(failure.empty()) << failure;
    ASSERT_FALSE(manifest.empty());
    files += static_cast<int>(manifest.size());
    const std::string manifest_path = kGoldenDir + "/" + site.name + ".sha256";
    if (Recording()) {
      std::ofstream(manifest_path, std::ios::binary) << ManifestText(manifest);
      continue;
    }
    ASSERT_TRUE(fs::exists(manifest_path)) << manifest_path << " was never recorded";
    const std::string recorded = ReadAll(manifest_path);
    if (recorded == ManifestText(manifest)) continue;
    // Name the files that differ, that are new and that are gone.
    std::map<std::string, std::string> expected;
    std::istringstream lines(recorded);
    for (std::string hash, file; lines >> hash >> file;) expected[file] = hash;
    for (const auto& [file, hash] : manifest) {
      auto it = expected.find(file);
      if (it == expected.end())
        ADD_FAILURE() << "new file " << file;
      else if (it->second != hash)
        ADD_FAILURE() << "changed " << file;
    }
    for (const auto& [file, hash] : expected)
      if (!manifest.count(file)) ADD_FAILURE() << "missing " << file;
  }
  EXPECT_GT(files, 1000);
  std::cout << "[ golden   ] " << Sites().size() << " sites, " << files << " files, " << bytes
            << " bytes\n";
}

// One site kept whole: a change shows as the page's own lines.
TEST_F(GoldenSitesTest, TheFullSiteMatchesByteForByte) {
  const Site site{kFullSite, kSample, AllKinds};
  testing::TempFolder temp;
  std::string failure;
  const auto manifest = Convert(site, temp, &failure);
  ASSERT_TRUE(failure.empty()) << failure;
  const std::string kept = kGoldenDir + "/" + kFullSite;
  if (Recording()) {
    fs::remove_all(kept);
    fs::create_directories(kept);
    for (const auto& [file, hash] : manifest)
      fs::copy_file(temp / ("site/" + file), kept + "/" + file);
    return;
  }
  std::map<std::string, bool> seen;
  for (const auto& entry : fs::directory_iterator(kept)) {
    const std::string file = entry.path().filename().string();
    seen[file] = true;
    const std::string now = ReadAll(temp / ("site/" + file));
    const std::string before = ReadAll(entry.path().string());
    if (now == before) continue;
    // The first line that differs.
    std::istringstream a(before), b(now);
    std::string la, lb;
    int line = 1;
    while (std::getline(a, la) && std::getline(b, lb) && la == lb) ++line;
    ADD_FAILURE() << file << " differs at line " << line << ":\n  recorded: " << la
                  << "\n  now:      " << lb;
  }
  for (const auto& [file, hash] : manifest)
    if (!seen.count(file)) ADD_FAILURE() << "new file " << file;
  EXPECT_EQ(seen.size(), manifest.size());
}

}  // namespace
}  // namespace kinloom::run
