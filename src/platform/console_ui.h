// The user interface of the command line. Messages go to the error stream converted from
// Windows-1252 to UTF-8; questions are asked when the input is a terminal and otherwise
// answered with the choice that lets the conversion go on (the answer is printed). The
// Status window becomes one line redrawn in place on a terminal, or lines of their own when the
// error stream is a file or a pipe. Either way the output is paced: a new status text is shown
// at once when the percentage moves, otherwise at most every `kProgressInterval`; a text held
// back is shown before the next message and when the progress closes, so the last status is
// never lost. Runs that write a page a status text thus cost a handful of writes a second.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/ui.h"

namespace kinloom::platform {

class ConsoleUi : public UserInterface {
 public:
  // Uses the process's standard input and error streams and asks the system whether each
  // is a terminal.
  ConsoleUi();
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kProgressInterval{250};

  // Uses the given streams (not owned; they must outlive the object) and, when given, the
  // clock that paces the progress output (the steady clock otherwise).
  ConsoleUi(std::FILE* in, std::FILE* err, bool in_is_terminal, bool err_is_terminal,
            Clock clock = nullptr);
  ConsoleUi(const ConsoleUi&) = delete;
  ConsoleUi& operator=(const ConsoleUi&) = delete;

  Choice ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) override;
  void Focus(UiField) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void Beep() override;
  void OpenProgress() override;
  void UpdateProgress(const ProgressUpdate& update) override;
  void CloseProgress() override;
  void ShowNotice(const std::string& text) override;

  // The choice taken without a terminal: Yes for Yes/No, No for Yes/No/Cancel (go on
  // without the optional step), Ok otherwise.
  static Choice ProceedingChoice(MessageButtons buttons);

 private:
  void EndProgressLine();
  void Write(const std::string& utf8);
  // Shows the progress now: a line of its own, or the terminal line redrawn.
  void ShowProgressNow();
  // Shows a status held back by the pacing, if any.
  void FlushProgress();

  std::FILE* in_;
  std::FILE* err_;
  bool in_is_terminal_;
  bool err_is_terminal_;
  bool line_open_ = false;    // a progress line is drawn and not yet ended
  std::string status_text_;   // the status text now shown (Windows-1252)
  std::string printed_text_;  // the last status text printed on its own line
  int position_ = 0;          // the percentage now shown (0 … 100)
  std::string running_time_;  // the running-time line now shown
  int shown_position_ = -1;   // the percentage last written out; -1 before the first
  bool pending_ = false;      // an update is held back by the pacing
  Clock clock_;
  std::chrono::steady_clock::time_point last_write_{};
};

}  // namespace kinloom::platform
