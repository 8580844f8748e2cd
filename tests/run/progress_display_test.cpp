#include "run/progress_display.h"

#include <gtest/gtest.h>

#include "platform/recording_ui.h"
#include "store/genealogy_store.h"

namespace kinloom::run {
namespace {

ProgressFrame Frame(int n = 1, int k = 0, std::string name = "English") {
  ProgressFrame frame;
  frame.languages_selected = n;
  frame.language_position = k;
  frame.language_name = std::move(name);
  return frame;
}

TEST(ProgressDisplay, PercentagesAreClampedAndTitled) {
  ProgressDisplay display;
  EXPECT_EQ(display.Next(150, "", false, Frame()).position, 100);
  EXPECT_EQ(display.Next(-5, "", false, Frame()).position, 0);
  platform::ProgressUpdate update = display.Next(42, "Saved Settings", false, Frame(3, 1));
  EXPECT_EQ(update.position, 42);
  EXPECT_EQ(update.status_text, "Saved Settings");  // unscaled: no language caption
  EXPECT_EQ(update.parent_title, "42% KINLOOM\xA9  2.52 by Brennick Software");
  EXPECT_EQ(display.last_position(), 42);
  EXPECT_EQ(display.update_count(), 3);
}

TEST(ProgressDisplay, ScaledStepsFillTheLanguageBand) {
  ProgressDisplay display;
  EXPECT_EQ(display.Next(0, "", true, Frame()).position, 32);
  EXPECT_EQ(display.Next(9, "", true, Frame()).position, 61);
  EXPECT_EQ(display.Next(18, "", true, Frame()).position, 90);
  EXPECT_EQ(display.Next(0, "", true, Frame(3, 1)).position, 51);
  EXPECT_EQ(display.Next(18, "", true, Frame(3, 1)).position, 70);
  // A step beyond 18 is clamped as a percentage first but not after scaling.
  EXPECT_EQ(display.Next(36, "", true, Frame()).position, 148);
  // No languages counted yet is taken as one.
  EXPECT_EQ(display.Next(9, "", true, Frame(0, 0)).position, 61);
}

TEST(ProgressDisplay, ScaledTextCarriesTheLanguageOnlyWithSeveralLanguages) {
  ProgressDisplay display;
  EXPECT_EQ(display.Next(3, "Creating pages", true, Frame(1, 0)).status_text, "Creating pages");
  EXPECT_EQ(display.Next(3, "Creating pages", true, Frame(2, 1, "French")).status_text,
            "(French)\nCreating pages");
  EXPECT_EQ(display.Next(3, "", true, Frame(2, 1, "French")).status_text, "");
}

TEST(ProgressDisplay, RunningTimeOnlyWithDebuggingBit7) {
  ProgressDisplay display;
  ProgressFrame frame = Frame();
  frame.elapsed_seconds = 125;
  EXPECT_EQ(display.Next(5, "x", false, frame).running_time, "");
  frame.debug_flags = 0x80;
  EXPECT_EQ(display.Next(5, "x", false, frame).running_time, "Running Time = 2m 5s");
  frame.elapsed_seconds = 3725;
  EXPECT_EQ(display.Next(5, "x", false, frame).running_time, "Running Time = 1h 2m 5s");
}

TEST(ProgressDisplay, RunningTimeCountsHoursWithinTheDay) {
  EXPECT_EQ(RunningTimeText(0), "Running Time = 0m 0s");
  EXPECT_EQ(RunningTimeText(59 * 60 + 59), "Running Time = 59m 59s");
  // A whole day: hours equal the whole-day hours, so the hours do not show.
  EXPECT_EQ(RunningTimeText(86400 + 65), "Running Time = 1m 5s");
  EXPECT_EQ(RunningTimeText(86400 + 3600 + 65), "Running Time = 1h 1m 5s");
}

TEST(ProgressDisplay, RepaintsAtFixedUpdateCountsAcrossRuns) {
  ProgressDisplay display;
  int status_repaints = 0, parent_repaints = 0;
  long long first_parent = 0;
  for (int i = 1; i <= 5000; ++i) {
    platform::ProgressUpdate u = display.Next(i % 100, "", false, Frame());
    status_repaints += u.repaint_status;
    parent_repaints += u.repaint_parent;
    if (u.repaint_parent && first_parent == 0) first_parent = i;
  }
  EXPECT_EQ(status_repaints, 50);
  EXPECT_EQ(parent_repaints, 5);
  EXPECT_EQ(first_parent, 1000);
}

TEST(ShowProgress, UsesTheRunStateAndTheSharedCounter) {
  platform::RecordingUi ui;
  settings::Settings settings;
  RunState state;
  store::GenealogyStore store;
  ProgressDisplay display([] { return std::time_t{1000}; });
  RunContext context{ui, platform::RealFileSystem(), settings, state, store, &display};
  state.languages_selected = 3;
  state.languages_done = 1;
  state.current_language = 2;
  state.start_time = 1000 - 3725;
  state.debug_flags = 0x80;
  ShowProgress(context, 18, "Pedigree pages", true);
  ASSERT_EQ(ui.progress.size(), 1u);
  EXPECT_EQ(ui.progress[0].position, 70);
  EXPECT_EQ(ui.progress[0].status_text, "(German)\nPedigree pages");
  EXPECT_EQ(ui.progress[0].running_time, "Running Time = 1h 2m 5s");
  EXPECT_EQ(display.update_count(), 1);

  EXPECT_EQ(LanguageDisplayName(settings, 8), "Portugu\xEAs(BR)");
}

}  // namespace
}  // namespace kinloom::run
