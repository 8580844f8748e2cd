// The Status window on the display: every status text of a run fits its label, in either
// interface language with two output languages, and the end of a run (the clean-up texts,
// "Finished :)" and the title's percentage) is on the screen before the run's last second.
#include "app/status_window.h"

#include <wx/dcclient.h>
#include <wx/stattext.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/wx_text.h"
#include "gui/gui_fixture.h"
#include "lang/ui_text.h"

namespace kinloom::testing {
namespace {

using lang::FormatText;

struct Report {
  int value;
  std::string text;
  bool scaled;
};

// Every status text a run shows, with long fillings of their numbers and names.
std::vector<Report> StatusTexts(const settings::Settings& s) {
  auto text = [&s](int n) { return lang::LoadUiText(n, s); };
  const std::string large = text(2285);
  const std::string extended = text(12397);
  std::vector<Report> reports = {
      {1, text(2275), false},
      {2, text(2276), false},
      {3, FormatText(text(2333).c_str(), "i_a9f.htm"), false},
      {3, text(2277), false},
      {4, text(2278), false},
      {5, text(2279), false},
      {6, text(2318), false},
      {7, text(2319), false},
      {8, FormatText(text(2320).c_str(), 1234567, 1234567, 12345678), false},
      {9, text(2321), false},
      {10, text(2282), false},
      {17, text(2300), false},
      {23, text(2303), false},
      {24, text(2305), false},
      {25, text(2324), false},
      {26, FormatText(text(2329).c_str(), 123456789), false},
      {27, text(2306), false},
      {28, text(2308), false},
      {32, text(2312), false},
      {90, FormatText(text(2313).c_str(), "2-2"), false},
      {98, FormatText(text(2337).c_str(), "7-7"), false},
      {100, text(2314), false},
  };
  for (const char* step : {"1-6", "6-6"})
    reports.push_back({11, FormatText(text(2284).c_str(), step) + large, false});
  for (const char* step : {"1-5", "5-5"})
    reports.push_back({18, FormatText(text(2302).c_str(), step) + large, false});
  for (int n : {2309, 2310, 2311}) reports.push_back({29, text(n) + large, false});
  for (int n : {2346, 2347, 2348})
    reports.push_back({9, FormatText("%s : %d", text(n).c_str(), 4095), true});
  reports.push_back({9, FormatText("%s: %d", text(2349).c_str(), 4095), true});
  for (int n : {2346, 2349}) {
    reports.push_back({9, FormatText("%s %s : %d", text(n).c_str(), extended.c_str(), 4095), true});
  }
  reports.push_back({2, text(2345) + " b_0.html", true});
  reports.push_back({16, text(2350), true});
  reports.push_back({18, text(2351), true});
  return reports;
}

class StatusWindowTest : public GuiTest {
 protected:
  void SetBox(app::MainWindow& w, int id, const std::string& text) {
    app::Control<app::ValidatedEdit>(&w, id)->SetValue(app::ToWx(text));
  }
};

TEST_F(StatusWindowTest, EveryStatusTextShowsWholeInEnglishAndFrench) {
  app::MainWindow& w = Window();
  w.Show();
  for (int french : {0, 1}) {
    SCOPED_TRACE(french);
    settings_.labels_in_french = french;
    run::ProgressFrame frame;
    frame.languages_selected = 2;
    frame.language_position = 1;
    frame.language_name = run::LanguageDisplayName(settings_, 8);  // the longest name
    w.run_ui().OpenProgress();
    auto* label = app::Control<wxStaticText>(w.status_window(), 1051);
    for (const Report& report : StatusTexts(settings_)) {
      w.run_ui().UpdateProgress(display_.Next(report.value, report.text, report.scaled, frame));
      app::ProcessPendingPaints();
      wxClientDC dc(label);
      dc.SetFont(label->GetFont());
      const wxSize text = dc.GetMultiLineTextExtent(label->GetLabelText());
      const wxRect shown = label->GetRect();
      EXPECT_LE(text.x, shown.width) << app::FromWx(label->GetLabelText());
      EXPECT_LE(text.y, shown.height) << app::FromWx(label->GetLabelText());
      // and the label lies inside the window
      EXPECT_TRUE(wxRect(w.status_window()->GetClientSize()).Contains(shown));
    }
    w.run_ui().CloseProgress();
  }
}

// The pixels of a window's client area on the display, as raw RGB.
std::string ScreenPixels(wxWindow* window, const std::string& file) {
  const wxRect r(window->ClientToScreen(wxPoint(0, 0)), window->GetClientSize());
  const std::string command = FormatText("import -window root -crop %dx%d+%d+%d -depth 8 'rgb:%s'",
                                         r.width, r.height, r.x, r.y, file.c_str());
  if (std::system(command.c_str()) != 0) return "<import failed>";
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string TopLevelNames() {
  std::string names;
  FILE* list = popen("xwininfo -root -children 2>/dev/null", "r");
  if (list == nullptr) return names;
  char line[1024];
  while (std::fgets(line, sizeof line, list) != nullptr) names += line;
  pclose(list);
  return names;
}

// At each report from the clean-up on, what the display shows of the Status window is
// compared with the window painted anew: they must already agree, as the run goes on (and
// ends with a second's wait) without painting again. The main window's title on the display
// reads 100% at the end.
TEST_F(StatusWindowTest, CleanUpAndFinishArePaintedBeforeTheWait) {
  ASSERT_EQ(std::system("command -v import >/dev/null && command -v xwininfo >/dev/null"), 0)
      << "import (imagemagick) and xwininfo (x11-utils) are needed: run tools/setup";
  app::MainWindow& w = Window();
  settings_.owner.user_name = "Test Owner";
  SetBox(w, 1002, std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged");
  SetBox(w, 1004, home_ / "site");
  w.Show();
  Settle();
  std::vector<std::string> checked, unpainted, blank;
  std::string names_at_finish;
  w.set_progress_observer([&](const platform::ProgressUpdate& update) {
    app::StatusWindow* status = w.status_window();
    if (update.position < 90 || status == nullptr) return;
    const std::string text = app::FromWx(status->status_text());
    // From the first clean-up report on (the last page report reaches 90% too).
    if (checked.empty() && text.rfind("Pages Created.", 0) != 0) return;
    checked.push_back(text);
    if (update.position == 100) names_at_finish = TopLevelNames();
    wxWindow* label = status->FindWindow(1051);
    const std::string on_screen = ScreenPixels(label, home_ / "shown.rgb");
    if (on_screen.find_first_not_of(on_screen.front()) == std::string::npos) blank.push_back(text);
    status->Refresh();
    app::SettlePaints(5);
    if (ScreenPixels(label, home_ / "painted.rgb") != on_screen) unpainted.push_back(text);
  });
  Click(&w, 1006);
  w.set_progress_observer(nullptr);
  EXPECT_EQ(w.last_status_text(), "Finished :)");
  ASSERT_EQ(checked.size(), 10u);  // 90% twice, 92% … 98%, 100%
  EXPECT_EQ(checked.back(), "Finished :)");
  EXPECT_TRUE(blank.empty()) << "nothing on the display at " << blank.front();
  EXPECT_TRUE(unpainted.empty()) << unpainted.size()
                                 << " not painted, the first: " << unpainted.front();
  EXPECT_NE(names_at_finish.find("\"100% KINLOOM"), std::string::npos) << names_at_finish;
}

}  // namespace
}  // namespace kinloom::testing
