// The progress display of a conversion run: turns each report (a percentage or a step of the
// current language's page creation, and a status text) into what the Status window and the
// main window's title show, and forces repaints at fixed update counts.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <utility>

#include "platform/ui.h"
#include "run/run_context.h"
#include "settings/settings.h"

namespace kinloom::run {

// What a report needs to know of the run it belongs to.
struct ProgressFrame {
  int languages_selected = 1;     // n, output languages of this run (taken as 1 when below)
  int language_position = 0;      // k, 0-based position of the language now generated
  std::string language_name;      // its display name ("English", "Português(BR)")
  std::uint32_t debug_flags = 0;  // "Debugging"; bit 7 shows the running time
  std::time_t elapsed_seconds = 0;
  bool finishing = false;  // the run's clean-up and final report: repaint at every update
};

// The page-creation band of the bar and the steps of one language within it.
inline constexpr int kPageBandLow = 32;
inline constexpr int kPageBandHigh = 90;
inline constexpr int kStepsPerLanguage = 18;

// The clock the run and its reports read; seconds since 1970.
using Clock = std::function<std::time_t()>;
Clock SystemClock();

// Holds the state that outlives a run: the update counter (never reset), the last position
// shown, and the clock that runs are timed with. One per process; not copyable.
// Next is called only by the thread that shows the progress; Now may also be called by the
// worker threads of a run that generates several languages at once, so the clock must be
// callable from any thread.
class ProgressDisplay {
 public:
  explicit ProgressDisplay(Clock clock = SystemClock()) : clock_(std::move(clock)) {}
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

  // One update: `value` is a percentage, or when `scaled` a step 0 … 18 within the current
  // language; an empty `text` keeps the status text shown before.
  platform::ProgressUpdate Next(int value, const std::string& text, bool scaled,
                                const ProgressFrame& frame);

  long long update_count() const { return update_count_; }
  int last_position() const { return last_position_; }
  std::time_t Now() const { return clock_(); }

 private:
  Clock clock_;
  long long update_count_ = 0;
  int last_position_ = 0;
};

// "Running Time = %dm %ds", or "Running Time = %dh %dm %ds" once hours within the current
// day are reached.
std::string RunningTimeText(std::time_t elapsed_seconds);

// The display name of an output language in the user-interface language (texts 2445, 2446,
// 2604, 2601, 2602, 2621, 2624, 2631, 2634).
std::string LanguageDisplayName(const settings::Settings& settings, int language);

// Takes the progress reports of a language generated on a worker thread to the thread that
// shows them (run/parallel_languages.h). `value`, `text` and `scaled` are those of
// ShowProgress.
class ProgressRelay {
 public:
  virtual ~ProgressRelay() = default;
  virtual void Relay(int value, const std::string& text, bool scaled) = 0;
};

// The one progress channel of a run: computes the update from the run's state (languages
// selected and done, current language, start time, debug flags) and hands it to the user
// interface; with the state's progress relay set, hands the report to the relay instead.
void ShowProgress(RunContext& context, int value, const std::string& text, bool scaled);

}  // namespace kinloom::run
