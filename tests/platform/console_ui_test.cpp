#include "platform/console_ui.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace kinloom::platform {
namespace {

// A console on temporary files: `input` is what the user types.
class Console {
 public:
  Console(bool terminal, const std::string& input = "", ConsoleUi::Clock clock = nullptr)
      : in_(std::tmpfile()), err_(std::tmpfile()), ui_(in_, err_, terminal, terminal, clock) {
    std::fputs(input.c_str(), in_);
    std::rewind(in_);
  }
  ~Console() {
    std::fclose(in_);
    std::fclose(err_);
  }
  ConsoleUi& ui() { return ui_; }
  std::string Output() {
    std::fflush(err_);
    std::rewind(err_);
    std::string out;
    int c;
    while ((c = std::fgetc(err_)) != EOF) out += static_cast<char>(c);
    return out;
  }

 private:
  std::FILE* in_;
  std::FILE* err_;
  ConsoleUi ui_;
};

TEST(ConsoleUi, MessagesAreUtf8WithTheirCaption) {
  Console console(false);
  EXPECT_EQ(console.ui().ShowMessage("KINLOOM\xA9  aborting.", "Incomplete", MessageIcon::kWarning,
                                     MessageButtons::kOk),
            Choice::kOk);
  console.ui().ShowMessage("Portugu\xEAs", "", MessageIcon::kNone, MessageButtons::kOk);
  EXPECT_EQ(console.Output(), "Incomplete: KINLOOM\u00a9  aborting.\nPortugu\u00eas\n");
}

TEST(ConsoleUi, WithoutTerminalTheProceedingAnswerIsTakenAndPrinted) {
  Console console(false, "n\n");
  EXPECT_EQ(
      console.ui().ShowMessage("Continue?", "", MessageIcon::kQuestion, MessageButtons::kYesNo),
      Choice::kYes);
  EXPECT_EQ(console.ui().ShowMessage("Owner now?", "", MessageIcon::kQuestion,
                                     MessageButtons::kYesNoCancel),
            Choice::kNo);
  EXPECT_EQ(console.ui().ShowMessage("Go?", "", MessageIcon::kQuestion, MessageButtons::kOkCancel),
            Choice::kOk);
  EXPECT_EQ(console.Output(),
            "Continue?\n(no terminal: answered Yes)\nOwner now?\n(no terminal: answered No)\n"
            "Go?\n(no terminal: answered OK)\n");
}

TEST(ConsoleUi, OnATerminalTheAnswerIsReadAndRepeatedUntilValid) {
  Console console(true, "maybe\n N \nc\n");
  EXPECT_EQ(
      console.ui().ShowMessage("Continue?", "", MessageIcon::kQuestion, MessageButtons::kYesNo),
      Choice::kNo);
  EXPECT_EQ(
      console.ui().ShowMessage("Owner?", "", MessageIcon::kQuestion, MessageButtons::kYesNoCancel),
      Choice::kCancel);
  EXPECT_EQ(console.Output(), "Continue?\n [y/n]  [y/n] Owner?\n [y/n/c] ");
}

TEST(ConsoleUi, EndOfInputOnATerminalTakesTheProceedingAnswer) {
  Console console(true, "");
  EXPECT_EQ(
      console.ui().ShowMessage("Continue?", "", MessageIcon::kQuestion, MessageButtons::kYesNo),
      Choice::kYes);
}

TEST(ConsoleUi, WithoutTerminalEachNewStatusTextIsOneLine) {
  Console console(false);
  ConsoleUi& ui = console.ui();
  ui.OpenProgress();
  ProgressUpdate u;
  u.position = 3;
  u.status_text = "Initializing output directory...\n\ndeleting file a.htm";
  ui.UpdateProgress(u);
  u.position = 4;
  ui.UpdateProgress(u);  // same text: not printed again
  u.status_text.clear();
  u.position = 5;
  ui.UpdateProgress(u);  // no text: nothing new
  u.status_text = "Finished :)";
  u.position = 100;
  ui.UpdateProgress(u);
  ui.Beep();  // not a terminal: silent
  ui.CloseProgress();
  EXPECT_EQ(console.Output(),
            "3% Initializing output directory...  deleting file a.htm\n100% Finished :)\n");
}

TEST(ConsoleUi, OnATerminalTheProgressLineIsRedrawnAndEndedBeforeAMessage) {
  Console console(true);
  ConsoleUi& ui = console.ui();
  ui.OpenProgress();
  ProgressUpdate u;
  u.position = 50;
  u.status_text = "(French)\nPages";
  ui.UpdateProgress(u);
  u.status_text.clear();
  u.position = 150;
  u.running_time = "Running Time = 2m 5s";
  ui.UpdateProgress(u);
  ui.ShowMessage("Stop", "", MessageIcon::kError, MessageButtons::kOk);
  ui.Beep();
  const std::string bar50 = "[" + std::string(15, '#') + std::string(15, '.') + "]";
  const std::string bar100 = "[" + std::string(30, '#') + "]";
  EXPECT_EQ(console.Output(), "\r" + bar50 + "  50% (French) Pages\x1b[K\r" + bar100 +
                                  " 100% (French) Pages  Running Time = 2m 5s\x1b[K\nStop\n\a");
}

// A page loop reports a new status text per page at the same percentage: the output is paced
// to one line per interval, and the last status held back still appears when progress closes.
TEST(ConsoleUi, ProgressIsPacedAndTheLastHeldBackStatusIsShown) {
  for (bool terminal : {false, true}) {
    SCOPED_TRACE(terminal ? "terminal" : "pipe");
    std::chrono::steady_clock::time_point now{};
    Console console(terminal, "", [&now] { return now; });
    ConsoleUi& ui = console.ui();
    ui.OpenProgress();
    ProgressUpdate u;
    u.position = 41;
    for (int page = 1; page <= 1000; ++page) {
      u.status_text = "Pages : " + std::to_string(page);
      ui.UpdateProgress(u);
    }
    now += ConsoleUi::kProgressInterval;
    u.status_text = "Pages : 1001";
    ui.UpdateProgress(u);  // the interval has passed: shown
    u.status_text = "Pages : 1002";
    ui.UpdateProgress(u);  // held back
    ui.CloseProgress();
    const std::string out = console.Output();
    const std::string bar = "[" + std::string(12, '#') + std::string(18, '.') + "]";
    if (terminal)
      EXPECT_EQ(out, "\r" + bar + "  41% Pages : 1\x1b[K\r" + bar + "  41% Pages : 1001\x1b[K\r" +
                         bar + "  41% Pages : 1002\x1b[K\n");
    else
      EXPECT_EQ(out, "41% Pages : 1\n41% Pages : 1001\n41% Pages : 1002\n");
  }
}

TEST(ConsoleUi, AHeldBackStatusIsShownBeforeAMessage) {
  std::chrono::steady_clock::time_point now{};
  Console console(false, "", [&now] { return now; });
  ConsoleUi& ui = console.ui();
  ui.OpenProgress();
  ProgressUpdate u;
  u.position = 7;
  u.status_text = "Reading GEDCOM file";
  ui.UpdateProgress(u);
  u.status_text = "Reading notes";
  ui.UpdateProgress(u);
  ui.ShowMessage("Out of memory", "", MessageIcon::kError, MessageButtons::kOk);
  EXPECT_EQ(console.Output(), "7% Reading GEDCOM file\n7% Reading notes\nOut of memory\n");
}

}  // namespace
}  // namespace kinloom::platform
