// A test bed for the windows: options, an in-memory registry, a recording user interface
// in place of the message boxes, and modal dialogs answered by a script instead of a user.
#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/app_services.h"
#include "app/main_window.h"
#include "app/option_dialogs.h"
#include "lang/ui_text.h"
#include "platform/recording_ui.h"
#include "platform/registry.h"
#include "run/temp_folder.h"
#include "settings/registry_store.h"

namespace kinloom::testing {

// Lets the toolkit map and paint what was shown, as its main loop would between two commands
// of a user.
inline void Settle() {
  for (int i = 0; i < 20; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
    wxMilliSleep(25);
  }
}

class GuiTest : public ::testing::Test {
 protected:
  GuiTest()
      : store_(registry_, ui_, "kinloom"),
        opener_({"true"}, 2000),
        services_{settings_, store_, ui_, platform::RealFileSystem(), display_, opener_,
                  [this](wxDialog& dialog) { return AnswerModal(dialog); }, {}} {
    // The user's own desktop and registry are never touched.
    setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
    setenv("HOME", home_.path().c_str(), 1);
  }

  ~GuiTest() override {
    if (window_ != nullptr) window_->Destroy();
    Pump();
  }

  // What the next modal dialogs do: each script gets the dialog and returns its result.
  using Script = std::function<int(wxDialog&)>;
  void ExpectModal(Script script) { scripts_.push_back(std::move(script)); }
  int modal_count() const { return modal_count_; }

  app::MainWindow& Window(const app::StartOptions& start = {}) {
    window_ = new app::MainWindow(services_, start);
    return *window_;
  }

  // Delivers what the windows posted to themselves and what waits for idle time.
  static void Pump() {
    for (int i = 0; i < 5; ++i) {
      wxTheApp->ProcessPendingEvents();
      wxTheApp->ProcessIdle();
    }
  }

  // Sends a control's command event as a click or a tick would.
  static void Click(wxWindow* parent, int id) {
    wxWindow* control = wxWindow::FindWindowById(id, parent);
    ASSERT_NE(control, nullptr) << "no control " << id;
    wxEventType type = wxEVT_BUTTON;
    if (auto* check = dynamic_cast<wxCheckBox*>(control)) {
      type = wxEVT_CHECKBOX;
      check->SetValue(!check->GetValue());
    } else if (auto* radio = dynamic_cast<wxRadioButton*>(control)) {
      type = wxEVT_RADIOBUTTON;
      radio->SetValue(true);
    }
    wxCommandEvent event(type, id);
    event.SetEventObject(control);
    if (type == wxEVT_CHECKBOX) event.SetInt(static_cast<wxCheckBox*>(control)->GetValue());
    control->GetEventHandler()->ProcessEvent(event);
  }

  // Runs `what` from the toolkit's event loop after `ms` milliseconds, also inside the loop
  // of a modal dialog or a message box.
  void RunLater(int ms, std::function<void()> what) {
    timers_.push_back(std::make_unique<wxTimer>());
    wxTimer* timer = timers_.back().get();
    timer->Bind(wxEVT_TIMER, [what = std::move(what)](wxTimerEvent&) { what(); });
    timer->StartOnce(ms);
  }
  // A key pressed and released on the display, as a user's keyboard sends it to the window
  // that has the focus.
  static void PressKey(int key) {
    wxUIActionSimulator keyboard;
    keyboard.Char(key);
  }

  std::string Ui(int n) const { return lang::LoadUiText(n, settings_); }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : ui_.messages) out.push_back(m.text);
    return out;
  }
  std::string RegistryText(const std::string& name) {
    platform::RegValue value;
    if (registry_.QueryValue("kinloom", name, &value) != 0) return "<missing>";
    return value.data;
  }
  std::uint32_t RegistryDword(const std::string& name) { return store_.ReadDword(name); }

  TempFolder home_;
  settings::Settings settings_;
  platform::MemoryRegistry registry_;
  platform::RecordingUi ui_;
  settings::RegistryStore store_;
  run::ProgressDisplay display_;
  platform::DocumentOpener opener_;
  app::AppServices services_;
  app::MainWindow* window_ = nullptr;

 private:
  int AnswerModal(wxDialog& dialog) {
    ++modal_count_;
    if (scripts_.empty()) return wxID_CANCEL;
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    return script(dialog);
  }
  std::deque<Script> scripts_;
  int modal_count_ = 0;
  std::vector<std::unique_ptr<wxTimer>> timers_;
};

}  // namespace kinloom::testing
