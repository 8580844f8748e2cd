// Fuzz target: a whole conversion of the input, with every page kind and the statistics
// report on, into a fresh temporary folder that is removed afterwards.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/program_end.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"

using namespace kinloom;

namespace {

class QuietAuxiliary : public run::AuxiliarySteps {
 public:
  void WaitOneSecond() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64 * 1024) return 0;
  char pattern[] = "/tmp/kinloom-fuzz-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) std::abort();
  const std::string folder = pattern;
  const std::string gedcom = folder + "/input.ged";
  std::ofstream(gedcom, std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                static_cast<std::streamsize>(size));

  platform::RecordingUi ui;
  ui.QueueAnswer(platform::Choice::kYes);
  settings::Settings settings;
  settings.owner.user_name = "Owner";
  settings.debugging = settings::kDebugStatistics;
  settings.create_family_groups = 1;
  settings.create_descendancy_groups = 1;
  settings.create_pedigree_groups = 1;
  settings.create_notes_pages.fill(1);
  settings.create_pages = {1, 1, 0, 0, 0, 0, 0, 0, 0};
  settings.text_file = 1;
  // Half the inputs run with broken links dropped, so that the pages of a repaired store are
  // written too.
  settings.skip_broken_links = size % 2;
  run::ProgressDisplay display([] { return std::time_t{1000000}; });
  QuietAuxiliary auxiliary;
  try {
    run::ConversionRun run(ui, platform::RealFileSystem(), settings, display,
                           {nullptr, nullptr, nullptr, &auxiliary});
    run.Run(gedcom, folder + "/site", true);
  } catch (const platform::ProgramEnd&) {
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
