// What the passes take from the run: the progress channel and the product name shown in
// messages. A small stand-in kept in this one file so that it can give way to the run's own
// progress display.
#pragma once

#include <algorithm>
#include <string>

#include "platform/ui.h"
#include "run/run_context.h"

namespace kinloom::gedcom {

// "KINLOOM© " with the copyright sign as one Windows-1252 byte and one trailing blank.
inline constexpr char kProductString[] = "KINLOOM\xA9 ";

inline void ShowPassProgress(run::RunContext& context, int value, const std::string& text) {
  platform::ProgressUpdate update;
  update.position = std::clamp(value, 0, 100);
  update.status_text = text;
  context.ui.UpdateProgress(update);
}

// The status cadence of both passes: after the 10th, 20th … 100th item, then every 100th.
inline bool IsStatusCount(long long n) {
  return n > 0 && ((n % 10 == 0 && n <= 100) || n % 100 == 0);
}

}  // namespace kinloom::gedcom
