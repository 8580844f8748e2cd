#include "platform/console_ui.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/text_encoding.h"

namespace kinloom::platform {
namespace {

constexpr int kBarWidth = 30;

const char* ChoiceName(Choice choice) {
  switch (choice) {
    case Choice::kOk:
      return "OK";
    case Choice::kCancel:
      return "Cancel";
    case Choice::kYes:
      return "Yes";
    case Choice::kNo:
      return "No";
  }
  return "";
}

const char* Prompt(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
      return "";
    case MessageButtons::kOkCancel:
      return " [o/c] ";
    case MessageButtons::kYesNo:
      return " [y/n] ";
    case MessageButtons::kYesNoCancel:
      return " [y/n/c] ";
  }
  return "";
}

// The choice a typed answer names, or false when it names none of the offered buttons.
bool ParseAnswer(const std::string& line, MessageButtons buttons, Choice* choice) {
  std::string word;
  for (char c : line)
    if (!std::isspace(static_cast<unsigned char>(c)))
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool yes_no = buttons == MessageButtons::kYesNo || buttons == MessageButtons::kYesNoCancel;
  const bool cancel =
      buttons == MessageButtons::kOkCancel || buttons == MessageButtons::kYesNoCancel;
  if (yes_no && (word == "y" || word == "yes"))
    *choice = Choice::kYes;
  else if (yes_no && (word == "n" || word == "no"))
    *choice = Choice::kNo;
  else if (!yes_no && (word == "o" || word == "ok"))
    *choice = Choice::kOk;
  else if (cancel && (word == "c" || word == "cancel"))
    *choice = Choice::kCancel;
  else
    return false;
  return true;
}

std::string Flatten(const std::string& text) {
  std::string out = text;
  std::replace(out.begin(), out.end(), '\n', ' ');
  std::replace(out.begin(), out.end(), '\r', ' ');
  std::replace(out.begin(), out.end(), '\t', ' ');
  return out;
}

}  // namespace

ConsoleUi::ConsoleUi()
    : ConsoleUi(stdin, stderr, ::isatty(STDIN_FILENO) == 1, ::isatty(STDERR_FILENO) == 1) {}

ConsoleUi::ConsoleUi(std::FILE* in, std::FILE* err, bool in_is_terminal, bool err_is_terminal,
                     Clock clock)
    : in_(in),
      err_(err),
      in_is_terminal_(in_is_terminal),
      err_is_terminal_(err_is_terminal),
      clock_(clock ? std::move(clock) : Clock(&std::chrono::steady_clock::now)) {}

Choice ConsoleUi::ProceedingChoice(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kYesNo:
      return Choice::kYes;
    case MessageButtons::kYesNoCancel:
      return Choice::kNo;
    case MessageButtons::kOk:
    case MessageButtons::kOkCancel:
      return Choice::kOk;
  }
  return Choice::kOk;
}

void ConsoleUi::Write(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), err_);
  std::fflush(err_);
}

void ConsoleUi::EndProgressLine() {
  if (line_open_) Write("\n");
  line_open_ = false;
}

Choice ConsoleUi::ShowMessage(const std::string& text, const std::string& caption,
                              MessageIcon /*icon*/, MessageButtons buttons) {
  FlushProgress();
  EndProgressLine();
  std::string shown = caption.empty() ? text : caption + ": " + text;
  Write(Cp1252ToUtf8(shown) + "\n");
  if (buttons == MessageButtons::kOk) return Choice::kOk;
  if (!in_is_terminal_) {
    Choice choice = ProceedingChoice(buttons);
    Write(std::string("(no terminal: answered ") + ChoiceName(choice) + ")\n");
    return choice;
  }
  for (;;) {
    Write(Prompt(buttons));
    std::string line;
    int c;
    while ((c = std::fgetc(in_)) != EOF && c != '\n') line += static_cast<char>(c);
    Choice choice;
    if (ParseAnswer(line, buttons, &choice)) return choice;
    if (c == EOF) {
      // The input ended: take the answer that stops nothing the user did not ask for.
      choice = ProceedingChoice(buttons);
      Write(std::string("\n(end of input: answered ") + ChoiceName(choice) + ")\n");
      return choice;
    }
  }
}

void ConsoleUi::Beep() {
  if (err_is_terminal_) Write("\a");
}

void ConsoleUi::OpenProgress() {
  status_text_.clear();
  printed_text_.clear();
  running_time_.clear();
  position_ = 0;
  shown_position_ = -1;
  pending_ = false;
}

void ConsoleUi::UpdateProgress(const ProgressUpdate& update) {
  const bool new_text = !update.status_text.empty() && update.status_text != status_text_;
  if (!update.status_text.empty()) status_text_ = update.status_text;
  position_ = std::clamp(update.position, 0, 100);
  if (err_is_terminal_) {
    running_time_ = update.running_time;
  } else if (!new_text) {
    return;  // a file or a pipe gets a line for a new status text only
  }
  const auto now = clock_();
  if (position_ != shown_position_ || shown_position_ < 0 ||
      now - last_write_ >= kProgressInterval) {
    ShowProgressNow();
    last_write_ = now;
  } else {
    pending_ = true;
  }
}

void ConsoleUi::ShowProgressNow() {
  pending_ = false;
  shown_position_ = position_;
  const std::string text = Flatten(status_text_);
  if (!err_is_terminal_) {
    if (text != printed_text_) {
      Write(Cp1252ToUtf8(std::to_string(position_) + "% " + text) + "\n");
      printed_text_ = text;
    }
    return;
  }
  const int filled = position_ * kBarWidth / 100;
  std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
  char percent[8];
  std::snprintf(percent, sizeof percent, "%3d%% ", position_);
  line += percent;
  std::string tail = text;
  if (!running_time_.empty()) tail += "  " + running_time_;
  Write(line + Cp1252ToUtf8(tail) + "\x1b[K");
  line_open_ = true;
}

void ConsoleUi::FlushProgress() {
  if (pending_) ShowProgressNow();
}

void ConsoleUi::ShowNotice(const std::string& text) {
  FlushProgress();
  EndProgressLine();
  Write(Cp1252ToUtf8(Flatten(text)) + "\n");
}

void ConsoleUi::CloseProgress() {
  FlushProgress();
  EndProgressLine();
}

}  // namespace kinloom::platform
