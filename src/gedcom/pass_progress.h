// What the passes take from the run: the progress channel and the product name shown in
// messages.
#pragma once

#include <algorithm>
#include <string>

#include "platform/ui.h"
#include "run/product.h"
#include "run/progress_display.h"
#include "run/run_context.h"

namespace kinloom::gedcom {

using run::kProductString;

// A percentage of a pass, through the run's progress channel (title and running time too).
inline void ShowPassProgress(run::RunContext& context, int value, const std::string& text) {
  run::ShowProgress(context, value, text, false);
}

// The status cadence of both passes: after the 10th, 20th … 100th item, then every 100th.
inline bool IsStatusCount(long long n) {
  return n > 0 && ((n % 10 == 0 && n <= 100) || n % 100 == 0);
}

}  // namespace kinloom::gedcom
