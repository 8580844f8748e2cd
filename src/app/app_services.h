// What every window of the desktop program works with: the options of the process, their
// registry store, the prompts (message boxes and beeps), the files, the progress display,
// the document opener and the way a modal dialog is shown. The application object owns
// them; tests put recording or scripted ones in their place.
#pragma once

#include <wx/dialog.h>

#include <functional>

#include "platform/document_opener.h"
#include "platform/file_system.h"
#include "platform/ui.h"
#include "run/progress_display.h"
#include "settings/registry_store.h"
#include "settings/settings.h"

namespace kinloom::app {

struct AppServices {
  settings::Settings& settings;
  settings::RegistryStore& store;
  platform::UserInterface& prompts;
  platform::FileSystem& fs;
  run::ProgressDisplay& display;
  platform::DocumentOpener& opener;
  // Shows a dialog modally and returns wxID_OK or wxID_CANCEL. Null: ShowModal.
  std::function<int(wxDialog&)> show_modal;
  // Called when "Lables In French" changes while a dialog is open, so that every open
  // window follows at once. Null: nothing else to refresh.
  std::function<void()> language_changed;

  int ShowModal(wxDialog& dialog) const {
    return show_modal ? show_modal(dialog) : dialog.ShowModal();
  }
};

}  // namespace kinloom::app
