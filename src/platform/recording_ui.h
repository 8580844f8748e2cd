// A user interface that records everything shown and answers questions from a script.
// Tests hand it to the code under test in place of the console or the GUI.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace kinloom::platform {

class RecordingUi : public UserInterface {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
  };

  // Answers to give, in order, to the next questions; when none is queued a question is
  // answered Yes (Yes/No), Ok (Ok/Cancel) or Ok.
  void QueueAnswer(Choice choice) { answers_.push_back(choice); }

  Choice ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    if (!answers_.empty()) {
      Choice c = answers_.front();
      answers_.pop_front();
      return c;
    }
    return buttons == MessageButtons::kYesNo || buttons == MessageButtons::kYesNoCancel
               ? Choice::kYes
               : Choice::kOk;
  }
  void Focus(UiField field) override { focused.push_back(field); }
  void BeginWaitCursor() override { ++wait_cursor_depth; }
  void EndWaitCursor() override { --wait_cursor_depth; }
  void Beep() override { ++beeps; }
  void OpenProgress() override {
    progress_open = true;
    ++progress_opened;
  }
  void UpdateProgress(const ProgressUpdate& update) override { progress.push_back(update); }
  void CloseProgress() override { progress_open = false; }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  void RestoreTitle() override { ++titles_restored; }
  void RefreshMainWindow() override { ++main_window_refreshes; }
  void SetViewButtonEnabled(bool enabled) override { view_button_enabled = enabled; }
  void RequestClose() override { close_requested = true; }
  void OpenOwnerDialog() override { ++owner_dialogs; }

  // The status texts shown, in order (updates with an empty text left out).
  std::vector<std::string> StatusTexts() const {
    std::vector<std::string> out;
    for (const auto& p : progress)
      if (!p.status_text.empty()) out.push_back(p.status_text);
    return out;
  }

  std::vector<Message> messages;
  std::vector<std::string> notices;
  std::vector<UiField> focused;
  std::vector<ProgressUpdate> progress;
  int wait_cursor_depth = 0;
  int beeps = 0;
  bool progress_open = false;
  int progress_opened = 0;
  int titles_restored = 0;
  int main_window_refreshes = 0;
  bool view_button_enabled = false;
  bool close_requested = false;
  int owner_dialogs = 0;

 private:
  std::deque<Choice> answers_;
};

}  // namespace kinloom::platform
