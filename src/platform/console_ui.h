// The user interface of the command line. Messages go to the error stream converted from
// Windows-1252 to UTF-8; questions are asked when the input is a terminal and otherwise
// answered with the choice that lets the conversion go on (the answer is printed). The
// Status window becomes one line redrawn in place on a terminal, or one line per new status
// text when the error stream is a file or a pipe.
#pragma once

#include <cstdio>
#include <string>

#include "platform/ui.h"

namespace kinloom::platform {

class ConsoleUi : public UserInterface {
 public:
  // Uses the process's standard input and error streams and asks the system whether each
  // is a terminal.
  ConsoleUi();
  // Uses the given streams (not owned; they must outlive the object).
  ConsoleUi(std::FILE* in, std::FILE* err, bool in_is_terminal, bool err_is_terminal);
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

  // The choice taken without a terminal: Yes for Yes/No, No for Yes/No/Cancel (go on
  // without the optional step), Ok otherwise.
  static Choice ProceedingChoice(MessageButtons buttons);

 private:
  void EndProgressLine();
  void Write(const std::string& utf8);

  std::FILE* in_;
  std::FILE* err_;
  bool in_is_terminal_;
  bool err_is_terminal_;
  bool line_open_ = false;    // a progress line is drawn and not yet ended
  std::string status_text_;   // the status text now shown (Windows-1252)
  std::string printed_text_;  // the last status text printed on its own line
};

}  // namespace kinloom::platform
