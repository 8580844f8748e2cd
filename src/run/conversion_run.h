// One conversion run: the fixed sequence of steps that turns a GEDCOM file into a web site,
// with its progress reports and messages. The run owns its working state and the genealogy
// store for its duration: the passes fill the store, the run resolves its links, the
// derived order completes it, and the page writers read it. The work inside each step
// belongs to the step interfaces below, whose defaults call the real passes, derived order
// and site generation; the default settings saver writes nothing (the programs hand in
// RegistrySettingsSaver, run/registry_saver.h) and the default opening of a file does
// nothing (the desktop program hands in its own).
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/ui.h"
#include "run/progress_display.h"
#include "run/run_context.h"
#include "run/run_state.h"
#include "settings/settings.h"
#include "store/genealogy_store.h"

namespace kinloom::run {

// Bits of the run state's debug flags that the run itself reads.
inline constexpr std::uint32_t DEBUG_STATISTICS = settings::kDebugStatistics;
inline constexpr std::uint32_t DEBUG_CLOSE_WHEN_DONE = settings::kDebugCloseWhenDone;
inline constexpr std::uint32_t DEBUG_NOTE_COUNTS = settings::kDebugNoteCounts;
inline constexpr std::uint32_t DEBUG_SHOW_RUN_TIME = settings::kDebugShowRunTime;
inline constexpr std::uint32_t DEBUG_SHOW_STATISTICS_LOG = settings::kDebugShowStatisticsLog;

// The two passes over the GEDCOM file.
class GedcomPasses {
 public:
  virtual ~GedcomPasses() = default;
  // True when the run may go on; on false the user has been told.
  virtual bool Count(RunContext& context);
  virtual void Load(RunContext& context, platform::InputFile& file);
};

// The derived order (run/derived_order.h, with the red-dot image of the marked ancestors)
// and the page set of one language.
class SiteSteps {
 public:
  virtual ~SiteSteps() = default;
  virtual void PrepareDerivedOrder(RunContext& context);
  // 1 on success, 0 when a page writer failed (the user has been told).
  virtual int GenerateSite(RunContext& context, int language);
};

// Saving options while the run goes on, and reading back the one the run takes from the
// store. The default has no store: it saves nothing and reads the options in memory.
class SettingsSaver {
 public:
  virtual ~SettingsSaver() = default;
  // "Notes To Include" as stored; nothing when it cannot be read.
  virtual std::optional<std::string> ReadNotesToInclude(const settings::Settings& settings) {
    return settings.notes_to_include;
  }
  // Stores the output folder as "Output File".
  virtual void SaveOutputFolder(const settings::Settings& /*settings*/) {}
  // Saves every option.
  virtual void SaveAll(const settings::Settings& /*settings*/) {}
};

// The remaining steps of other parts: date stamps, embedded images, the notes include list,
// the statistics report and opening a file. The defaults make the stamps, build the notes
// include list, write the images and keep the statistics; the others do nothing.
class AuxiliarySteps {
 public:
  virtual ~AuxiliarySteps() = default;
  // Captures the page options and makes the nine date stamps from the run's clock.
  virtual void MakeDateStamps(RunContext& context);
  // Writes embedded image `number` (152, 153, 177) into the output folder.
  virtual void ExtractImage(RunContext& context, int number);
  // Builds the notes include list into the run state from the stored "Notes To Include"
  // (nothing when it could not be read); false when the run must stop (the user has been
  // told).
  virtual bool LoadNotesTagList(RunContext& context,
                                const std::optional<std::string>& notes_to_include);
  // The statistics report (run/statistics_report.h), called only with the "Debugging"
  // statistics bit: clears the counters (the memory figures come from the system), opens
  // stats.txt with its header at the start, lowers the memory minima, writes the rest.
  virtual void ClearStatistics(RunContext& context);
  virtual void StartStatisticsReport(RunContext& context);
  virtual void TakeMemorySnapshot(RunContext& context);
  virtual void WriteStatisticsReport(RunContext& context);
  // Opens a file of the output folder with its associated program.
  virtual void OpenFile(RunContext& /*context*/, const std::string& /*path*/) {}
  // The pause after "Finished :)".
  virtual void WaitOneSecond();
  // Whether the store may take `bytes` more for table `sub_step` (1 … 6 of the allocation
  // step). The default allows everything; the system's own refusal is caught as well.
  virtual bool AllocationAllowed(int /*sub_step*/, std::size_t /*bytes*/) { return true; }
};

// How a run ended.
enum class RunOutcome {
  kCompleted,        // every step ran and every language was generated
  kValidationStop,   // stopped before anything was created (paths, owner question, names)
  kAborted,          // stopped on an error or a user's "No" before the store was allocated
  kAbortedAndFreed,  // stopped on an error after the store was allocated
  kSiteFailed,       // a language's site generation failed; clean-up ran
};

// The process exit status of an outcome: 0 completed, 1 otherwise.
int ExitStatus(RunOutcome outcome);

class ConversionRun {
 public:
  struct Steps {
    GedcomPasses* passes = nullptr;       // null: the real passes
    SiteSteps* site = nullptr;            // null: the real site generation
    SettingsSaver* saver = nullptr;       // null: saves nothing
    AuxiliarySteps* auxiliary = nullptr;  // null: the real steps, with the pause
  };

  // Every reference must outlive the run. `display` counts updates across runs and carries
  // the clock.
  ConversionRun(platform::UserInterface& ui, platform::FileSystem& fs, settings::Settings& settings,
                ProgressDisplay& display, Steps steps);
  ConversionRun(platform::UserInterface& ui, platform::FileSystem& fs, settings::Settings& settings,
                ProgressDisplay& display)
      : ConversionRun(ui, fs, settings, display, Steps{}) {}
  ConversionRun(const ConversionRun&) = delete;
  ConversionRun& operator=(const ConversionRun&) = delete;

  // The most languages generated at once (1 … kMaxJobs of run/parallel_languages.h; other
  // values are brought into that range). 1, the default, generates them one after the other;
  // with more, languages run side by side where that leaves the same files and messages (not
  // while the statistics are measured, nor when a base page name or the GEDCOM file's name
  // looks like a page of another language). Languages generated one after the other have the
  // parts of their sites written at once on as many threads, where that leaves the same
  // files and messages (site/site_generation.h).
  void SetJobs(int jobs);

  // Runs every step with these two paths (as typed: nothing is trimmed). With
  // `from_command_line` the main window is asked to close afterwards. Structural faults of
  // the data end the program: platform::ProgramEnd passes through.
  RunOutcome Run(const std::string& gedcom_path, const std::string& output_folder,
                 bool from_command_line);

  const RunState& state() const { return state_; }
  const store::GenealogyStore& store() const { return store_; }

 private:
  RunOutcome Prepare(RunContext& context);
  RunOutcome Load(RunContext& context);
  void GenerateSites(RunContext& context);
  bool CheckBasePageNames();
  void Abort();
  void ReleaseStorage(RunContext& context, bool failed_mode);
  void Report(RunContext& context, int value, const std::string& text);
  std::string Text(int n) const;
  platform::Choice Message(const std::string& text, platform::MessageIcon icon,
                           platform::MessageButtons buttons = platform::MessageButtons::kOk);

  platform::UserInterface& ui_;
  platform::FileSystem& fs_;
  settings::Settings& settings_;
  ProgressDisplay& display_;
  GedcomPasses* passes_;
  SiteSteps* site_;
  SettingsSaver* saver_;
  AuxiliarySteps* auxiliary_;
  RunState state_;
  store::GenealogyStore store_;
  int jobs_ = 1;
};

}  // namespace kinloom::run
