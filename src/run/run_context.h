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

struct RunContext {
  platform::UserInterface& ui;
  platform::FileSystem& fs;
  settings::Settings& settings;
  RunState& state;
  store::GenealogyStore& store;
};

}  // namespace kinloom::run
