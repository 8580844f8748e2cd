// Message boxes, questions, the warning beep and the wait cursor as real windows. The
// windows of the program show every message through a platform::UserInterface so that
// tests can put a recording one in its place; this is the one the program uses.
#pragma once

#include <wx/window.h>

#include <functional>

#include "platform/ui.h"

namespace kinloom::app {

class WxPrompts : public platform::UserInterface {
 public:
  // A box is shown over the modal dialog the user is in (the innermost one when dialogs
  // open one another), which is the window that raised it; outside any modal dialog over
  // the window `owner` gives (may return null).
  explicit WxPrompts(std::function<wxWindow*()> owner) : owner_(std::move(owner)) {}

  platform::Choice ShowMessage(const std::string& text, const std::string& caption,
                               platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;
  void Focus(platform::UiField) override {}
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void Beep() override;
  void OpenProgress() override {}
  void UpdateProgress(const platform::ProgressUpdate&) override {}
  void ShowNotice(const std::string&) override {}
  void CloseProgress() override {}

  // The window the next box is shown over.
  wxWindow* Owner() const;

 private:
  std::function<wxWindow*()> owner_;
  int busy_depth_ = 0;
};

}  // namespace kinloom::app
