// The user-interface services a conversion and the settings need: message boxes and
// questions, focus, beeps, the wait cursor, the progress (Status) window and the few
// main-window hooks a run uses. The console, the GUI and the tests each implement it.
//
// Every text handed to this interface is the program's own 8-bit Windows-1252 text;
// an implementation converts it for its display (the console to UTF-8).
#pragma once

#include <string>

namespace kinloom::platform {

enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class Choice { kOk, kCancel, kYes, kNo };

// Fields of the main window that a message can send the focus to.
enum class UiField { kGedcomPath, kOutputFolder };

// One update of the Status window, already computed by the progress display.
struct ProgressUpdate {
  int position = 0;          // 0 … 100 as shown by the bar and the percentage
  std::string status_text;   // the new status text; empty keeps the previous one
  std::string parent_title;  // the main window's title, e.g. "32% KINLOOM©  2.52 by …"
  std::string running_time;  // the running-time line; empty when not shown
  bool repaint_status = false;
  bool repaint_parent = false;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Shows a message box and returns the button chosen. An empty caption means no caption.
  virtual Choice ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) = 0;
  virtual void Focus(UiField field) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  virtual void Beep() = 0;

  // The Status window: opened by a run, updated by every progress report, closed at its end.
  virtual void OpenProgress() = 0;
  virtual void UpdateProgress(const ProgressUpdate& update) = 0;
  virtual void CloseProgress() = 0;
  // A remark of the run that the user should see once without answering it (pages kept in
  // the output folder, a file that is not in the encoding it declares). The console writes
  // it on a line of its own; the Status window shows it in place of the status text.
  virtual void ShowNotice(const std::string& text) = 0;

  // Main-window hooks. The console implements them as nothing.
  virtual void RestoreTitle() {}
  virtual void RefreshMainWindow() {}  // the language switches changed
  virtual void SetViewButtonEnabled(bool /*enabled*/) {}
  virtual void RequestClose() {}
  virtual void OpenOwnerDialog() {}
};

}  // namespace kinloom::platform
