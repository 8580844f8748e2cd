#include "run/progress_display.h"

#include <algorithm>

#include "lang/ui_text.h"
#include "run/product.h"

namespace kinloom::run {

platform::ProgressUpdate ProgressDisplay::Next(int value, const std::string& text, bool scaled,
                                               const ProgressFrame& frame) {
  ++update_count_;
  int position = std::clamp(value, 0, 100);
  const int n = std::max(frame.languages_selected, 1);
  if (scaled) {
    const float width = static_cast<float>(kPageBandHigh - kPageBandLow) / static_cast<float>(n);
    position = static_cast<int>(static_cast<float>(kPageBandLow) +
                                (static_cast<float>(position) / kStepsPerLanguage) * width) +
               frame.language_position * static_cast<int>(width);
  }
  last_position_ = position;

  platform::ProgressUpdate update;
  update.position = position;
  if (!text.empty()) {
    update.status_text =
        scaled && n > 1 ? lang::FormatText("(%s)\n", frame.language_name.c_str()) + text : text;
  }
  update.parent_title = lang::FormatText("%d%% %s %1.2f by %s", position, kProductString,
                                         kProgramVersion, kTitleCredit);
  if ((frame.debug_flags & settings::kDebugRunningTime) != 0)
    update.running_time = RunningTimeText(frame.elapsed_seconds);
  update.repaint_status = frame.finishing || update_count_ % 100 == 0;
  update.repaint_parent = frame.finishing || update_count_ % 5000 == 0 || update_count_ % 1000 == 0;
  return update;
}

std::string RunningTimeText(std::time_t elapsed_seconds) {
  const long long e = static_cast<long long>(elapsed_seconds);
  const long long h = e / 3600;
  const long long d = (e / 86400) * 24;
  const long long m = e / 60 - h * 60;
  const long long s = e % 60;
  if (h == d) return lang::FormatText("Running Time = %lldm %llds", m, s);
  return lang::FormatText("Running Time = %lldh %lldm %llds", h - d, m, s);
}

std::string LanguageDisplayName(const settings::Settings& settings, int language) {
  static constexpr int kNames[settings::kLanguageCount] = {2445, 2446, 2604, 2601, 2602,
                                                           2621, 2624, 2631, 2634};
  if (language < 0 || language >= settings::kLanguageCount) return {};
  return lang::LoadUiText(kNames[language], settings);
}

void ShowProgress(RunContext& context, int value, const std::string& text, bool scaled) {
  if (context.state.progress_relay != nullptr) {
    context.state.progress_relay->Relay(value, text, scaled);
    return;
  }
  ProgressFrame frame;
  frame.languages_selected = context.state.languages_selected;
  frame.language_position = context.state.languages_done;
  frame.language_name = LanguageDisplayName(context.settings, context.state.current_language);
  frame.debug_flags = context.state.debug_flags;
  frame.finishing = context.state.finishing;
  if ((frame.debug_flags & settings::kDebugRunningTime) != 0) {
    const std::time_t now =
        context.progress != nullptr ? context.progress->Now() : std::time(nullptr);
    frame.elapsed_seconds = std::max<std::time_t>(0, now - context.state.start_time);
  }
  if (context.progress != nullptr) {
    context.ui.UpdateProgress(context.progress->Next(value, text, scaled, frame));
  } else {
    ProgressDisplay once;
    context.ui.UpdateProgress(once.Next(value, text, scaled, frame));
  }
}

Clock SystemClock() {
  return [] { return std::time(nullptr); };
}

}  // namespace kinloom::run
