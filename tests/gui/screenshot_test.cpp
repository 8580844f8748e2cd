// Screenshots of the windows for looking at them by eye; not part of the test run. Run with
//   tools/with_display build/kinloom_gui_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*Screenshot*'
// and KINLOOM_SCREENSHOTS=<folder>; each window is saved there as a PNG file.
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>

#include <cstdlib>
#include <filesystem>

#include "gui/gui_fixture.h"
#include "lang/tag_labels.h"
#include "run/shared_gedcom.h"

namespace kinloom::testing {
namespace {

void Capture(wxWindow* window, const std::string& name) {
  const char* folder = std::getenv("KINLOOM_SCREENSHOTS");
  if (folder == nullptr) return;
  window->Show();
  window->Raise();
  window->Refresh();
  Settle();
  // the whole virtual screen, trimmed to what is drawn
  const std::string file = std::string(folder) + "/" + name + ".png";
  const std::string command = "import -window root '" + file + "' && mogrify -trim '" + file + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

class ScreenshotTest : public GuiTest {};

TEST_F(ScreenshotTest, DISABLED_Windows) {
  app::MainWindow& w = Window();
  Capture(&w, "main-en");
  settings_.labels_in_french = 1;
  settings_.create_pages[1] = 1;
  w.RefreshUiLanguage();
  Capture(&w, "main-fr");
  settings_.labels_in_french = 0;
  w.RefreshUiLanguage();
  w.Hide();
  {
    app::GeneralSettingsDialog d(&w, services_);
    Capture(&d, "general-settings");
  }
  {
    app::OptionalPagesDialog d(&w, services_);
    Capture(&d, "optional-pages");
  }
  {
    settings_.custom_links[0][0] = {"My cousin's site", "https://example.org/cousin"};
    settings_.custom_links[0][1] = {"Parish records", "https://example.org/parish"};
    app::CustomLinksDialog d(&w, services_);
    Capture(&d, "custom-links");
  }
  {
    store_.WriteText("Notes To Include", lang::DefaultNotesToInclude());
    app::NotesTagsDialog d(&w, services_);
    Capture(&d, "notes-tags");
  }
  // the Status window over the main window, with an update of the page-creation band as
  // a run of two languages makes it
  w.Show();
  run::ProgressDisplay display;
  run::ProgressFrame frame;
  frame.languages_selected = 2;
  frame.language_position = 1;
  frame.language_name = "French";
  frame.debug_flags = settings::kDebugRunningTime;
  frame.elapsed_seconds = 3725;
  window_->run_ui().OpenProgress();
  window_->run_ui().UpdateProgress(display.Next(9, "Creating pedigree pages ...", true, frame));
  Capture(w.status_window(), "status");
  window_->run_ui().CloseProgress();
}

// The Status window as a real conversion of royal92.ged shows it: the picture is taken from
// inside the run, at the first update of the page-creation band past its middle.
TEST_F(ScreenshotTest, DISABLED_StatusWindowDuringARoyal92Run) {
  const std::string royal = SharedGedcom("royal92.ged");
  if (royal.empty()) GTEST_SKIP() << "shared/gedcom/royal92.ged is not here";
  app::MainWindow& w = Window();
  settings_.owner.user_name = "Test Owner";
  settings_.debugging = settings::kDebugRunningTime;
  app::Control<app::ValidatedEdit>(&w, 1002)->SetValue(app::ToWx(royal));
  app::Control<app::ValidatedEdit>(&w, 1004)->SetValue(app::ToWx(home_ / "site"));
  w.Show();
  int captured_at = -1;
  std::string running_time;
  w.set_progress_observer([&](const platform::ProgressUpdate& update) {
    if (captured_at >= 0 || update.position < 60 || w.status_window() == nullptr) return;
    captured_at = update.position;
    running_time = update.running_time;
    Capture(w.status_window(), "status-royal92");
  });
  Click(&w, 1006);
  w.set_progress_observer(nullptr);
  EXPECT_GE(captured_at, 60);
  EXPECT_EQ(running_time.rfind("Running Time = ", 0), 0u) << running_time;
  EXPECT_EQ(w.last_status_text(), "Finished :)");
}

// The Status window as the end of a royal92.ged run leaves it, "Finished :)" at 100%, in the
// English and the French interface, with English and French pages made.
TEST_F(ScreenshotTest, DISABLED_StatusWindowAtTheEndOfRoyal92Runs) {
  const std::string royal = SharedGedcom("royal92.ged");
  if (royal.empty()) GTEST_SKIP() << "shared/gedcom/royal92.ged is not here";
  const char* folder = std::getenv("KINLOOM_SCREENSHOTS");
  if (folder == nullptr) GTEST_SKIP() << "KINLOOM_SCREENSHOTS names no folder";
  app::MainWindow& w = Window();
  settings_.owner.user_name = "Test Owner";
  settings_.create_pages[1] = 1;
  app::Control<app::ValidatedEdit>(&w, 1002)->SetValue(app::ToWx(royal));
  app::Control<app::ValidatedEdit>(&w, 1004)->SetValue(app::ToWx(home_ / "site"));
  w.Show();
  for (int french : {0, 1}) {
    settings_.labels_in_french = french;
    w.RefreshUiLanguage();
    Settle();
    bool captured = false;
    w.set_progress_observer([&](const platform::ProgressUpdate& update) {
      if (update.position != 100 || w.status_window() == nullptr) return;
      // as the display shows it during the run's last second: no extra painting
      const std::string file =
          std::string(folder) + (french ? "/status-finished-fr.png" : "/status-finished-en.png");
      captured = std::system(("import -window root '" + file + "'").c_str()) == 0;
    });
    Click(&w, 1006);
    w.set_progress_observer(nullptr);
    EXPECT_TRUE(captured);
  }
}

}  // namespace
}  // namespace kinloom::testing
