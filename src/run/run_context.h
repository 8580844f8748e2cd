// Everything one conversion run hands to the steps it calls: the services of the platform,
// the options, the run's working state and its store. Built by the run object; the steps
// receive it by reference and never reach for globals.
#pragma once

#include "platform/file_system.h"
#include "platform/ui.h"
#include "run/run_state.h"
#include "settings/settings.h"

namespace kinloom::store {
class GenealogyStore;
}

namespace kinloom::run {

class ProgressDisplay;

struct RunContext {
  platform::UserInterface& ui;
  platform::FileSystem& fs;
  settings::Settings& settings;
  RunState& state;
  store::GenealogyStore& store;
  // The progress display of the process (it counts updates across runs); when null,
  // ShowProgress (run/progress_display.h) reports without that count.
  ProgressDisplay* progress = nullptr;
};

}  // namespace kinloom::run
