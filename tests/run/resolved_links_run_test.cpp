// Once the links are resolved and the derived order is made, no page looks an id up: a
// whole conversion whose id table is emptied before the first page gives the same site,
// byte for byte, as one that keeps it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"
#include "store/genealogy_store.h"

namespace kinloom::run {
namespace {

namespace fs = std::filesystem;

// 2026-12-07 01:23:45 UTC.
constexpr std::time_t kMoment = 1796606625;

class NoPause : public AuxiliarySteps {
 public:
  void WaitOneSecond() override {}
};

// The real site steps; with `forget_ids`, the id table is emptied between the derived order
// and the first page.
class ForgettingSite : public SiteSteps {
 public:
  explicit ForgettingSite(bool forget_ids) : forget_ids_(forget_ids) {}
  void PrepareDerivedOrder(RunContext& context) override {
    SiteSteps::PrepareDerivedOrder(context);
    if (forget_ids_) context.store.ids.Destroy();
  }

 private:
  bool forget_ids_;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Every file of the site `gedcom` gives with every page kind, living people withheld, the
// ancestors of "I3" marked and the GEDCOM copy linked; by name.
std::map<std::string, std::string> Site(const std::string& gedcom, bool forget_ids) {
  testing::TempFolder temp;
  const std::string folder = temp / "site";
  platform::RecordingUi ui;
  platform::FailingFileSystem file_system;
  settings::Settings s;
  s.owner.user_name = "Owen Owner";
  s.create_notes_pages[0] = 1;
  s.create_family_groups = 1;
  s.create_pedigree_groups = 1;
  s.create_descendancy_groups = 1;
  s.create_link_to_gedcom_file = 1;
  s.groups = 2;
  s.text_file = 1;
  s.show_gedcom_ids = 1;
  s.suppress_living = 1;
  s.use_baptism = 1;
  s.mark_all_ancestors = 1;
  s.ancestor_id = "I3";
  ProgressDisplay display([] { return kMoment; });
  NoPause auxiliary;
  ForgettingSite site(forget_ids);
  ConversionRun run(ui, file_system, s, display, {nullptr, &site, nullptr, &auxiliary});
  const std::string path = temp.Write("family.ged", gedcom);
  EXPECT_EQ(run.Run(path, folder, false), RunOutcome::kCompleted);
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).string()] = ReadAll(entry.path());
  return files;
}

TEST(ResolvedLinksRunTest, NoPageLooksAnIdUpOnceTheLinksAreResolved) {
  const std::string gedcom =
      ReadAll(std::string(KINLOOM_SOURCE_DIR) + "/tests/site/golden/inputs/hostile.ged");
  ASSERT_FALSE(gedcom.empty());
  const auto kept = Site(gedcom, false);
  const auto forgotten = Site(gedcom, true);
  ASSERT_GT(kept.size(), 20u);
  EXPECT_EQ(kept.count("family.ged"), 1u);  // the GEDCOM copy, with the living withheld
  ASSERT_EQ(kept.size(), forgotten.size());
  for (const auto& [name, bytes] : kept) {
    auto it = forgotten.find(name);
    ASSERT_NE(it, forgotten.end()) << name;
    EXPECT_TRUE(it->second == bytes) << name << " differs";
  }
}

}  // namespace
}  // namespace kinloom::run
