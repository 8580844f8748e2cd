// The main window: its texts in both languages, the enabling rules, the View button, the
// commands that open dialogs, closing with the save, and conversions started from it.
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/stattext.h>

#include <filesystem>
#include <fstream>

#include "app/base_page.h"
#include "app/wx_text.h"
#include "gui/gui_fixture.h"
#include "lang/string_table.h"

namespace kinloom::testing {
namespace {

using app::Control;
using app::FromWx;

class MainWindowTest : public GuiTest {
 protected:
  std::string Label(int id) {
    return FromWx(wxControl::RemoveMnemonics(wxWindow::FindWindowById(id, window_)->GetLabel()));
  }
  bool Enabled(int id) { return wxWindow::FindWindowById(id, window_)->IsEnabled(); }
  app::ValidatedEdit* Box(int id) { return Control<app::ValidatedEdit>(window_, id); }
  void SetBox(int id, const std::string& text) {
    Box(id)->SetValue(app::ToWx(text));  // SetValue sends the change event
  }
};

TEST_F(MainWindowTest, EnglishAndFrenchOutputSwitchesEnableTheirRows) {
  app::MainWindow& w = Window();
  EXPECT_TRUE(Enabled(1017));
  EXPECT_TRUE(Enabled(1157));
  EXPECT_FALSE(Enabled(1023));
  EXPECT_FALSE(Enabled(1158));

  Click(&w, 1137);  // untick English
  EXPECT_EQ(settings_.create_pages[0], 0);
  EXPECT_FALSE(Enabled(1017));
  EXPECT_FALSE(Enabled(1157));
  Click(&w, 1138);  // tick French
  EXPECT_EQ(settings_.create_pages[1], 1);
  EXPECT_TRUE(Enabled(1023));
  EXPECT_TRUE(Enabled(1158));
  // the validated boxes carry their sets: 1017 and 1023 allow no "/" and at most 255
  EXPECT_FALSE(Box(1017)->AcceptsTyped('/'));
  EXPECT_EQ(Box(1023)->max_length(), 255);
  EXPECT_EQ(Box(1002)->field_name(), "GEDCOM file to read from");
  // paths of this system: "/" is allowed in the two path boxes, "/" and ":" in 1004 too
  EXPECT_TRUE(Box(1002)->AcceptsTyped('/'));
  EXPECT_TRUE(Box(1004)->AcceptsTyped('/'));
  EXPECT_TRUE(Box(1002)->AcceptsTyped('.'));
  EXPECT_FALSE(Box(1004)->AcceptsTyped('.'));  // set 107 has no full stop
  EXPECT_FALSE(Box(1002)->AcceptsTyped('*'));
  EXPECT_EQ(Box(1004)->field_name(), "HTML Directory to write to");
}

TEST_F(MainWindowTest, SwitchingTheInterfaceLanguageChangesTextsMenuAndTitle) {
  app::MainWindow& w = Window();
  EXPECT_EQ(Label(1021), "GEDCOM file to read from");
  EXPECT_EQ(Label(1006), "Create HTML files");
  EXPECT_EQ(FromWx(w.GetMenuBar()->GetMenuLabelText(0)), "Add");
  EXPECT_EQ(FromWx(w.GetTitle()), "KINLOOM\xA9  2.52 by Brennick Software");

  // The language dialog switches at once, before its OK.
  ExpectModal([](wxDialog& dialog) {
    auto& language = dynamic_cast<app::LanguageDialog&>(dialog);
    language.Choose(true);
    EXPECT_EQ(FromWx(dialog.GetTitle()), lang::LoadUiText(3440, settings::Settings()));
    return wxID_CANCEL;  // Cancel keeps the choice
  });
  Click(&w, 1105);
  EXPECT_EQ(modal_count(), 1);
  EXPECT_EQ(settings_.labels_in_french, 1);
  EXPECT_EQ(Label(1021), FromWx(wxControl::RemoveMnemonics(app::ToWx(lang::StringTable::Instance().Text(3110)))));
  EXPECT_NE(Label(1021), "GEDCOM file to read from");
  EXPECT_EQ(FromWx(w.GetMenuBar()->GetMenuLabelText(0)), "Ajouter");
  EXPECT_EQ(FromWx(w.GetMenuBar()->GetMenuLabelText(1)), "Aide");
  EXPECT_EQ(FromWx(w.GetTitle()), "KINLOOM\xA9  2.52 by Brennick Software");
  // and back
  settings_.labels_in_french = 0;
  w.RefreshUiLanguage();
  EXPECT_EQ(Label(1021), "GEDCOM file to read from");
  EXPECT_EQ(FromWx(w.GetMenuBar()->GetMenuLabelText(0)), "Add");
}

TEST_F(MainWindowTest, ViewButtonFollowsTheBasePageFile) {
  const std::string site = home_ / "site";
  std::filesystem::create_directories(site);
  std::ofstream(site + "/index.htm") << "<html></html>";
  app::MainWindow& w = Window();
  SetBox(1004, site + "/");  // one trailing separator is dropped for the path
  EXPECT_TRUE(Enabled(1028));
  EXPECT_EQ(settings_.output_file, site);
  Click(&w, 1027);  // .HTML: index.html is not there
  EXPECT_EQ(settings_.htm, 0);
  EXPECT_FALSE(Enabled(1028));
  Click(&w, 1026);
  EXPECT_TRUE(Enabled(1028));
  SetBox(1017, "home");
  EXPECT_FALSE(Enabled(1028));
  SetBox(1017, "index");
  std::filesystem::remove(site + "/index.htm");
  SetBox(1004, site);
  EXPECT_FALSE(Enabled(1028));
}

TEST_F(MainWindowTest, BasePagePathPicksTheLanguageTheUserLooksAtFirst) {
  settings_.output_file = "/site/";
  EXPECT_EQ(app::BasePagePath(settings_), "/site/index.htm");
  EXPECT_EQ(settings_.output_file, "/site");
  settings_.create_pages[1] = 1;
  settings_.labels_in_french = 1;
  EXPECT_EQ(app::BasePagePath(settings_), "/site/indexf.htm");
  settings_.labels_in_french = 0;
  EXPECT_EQ(app::BasePagePath(settings_), "/site/index.htm");
  settings_.create_pages = {0, 0, 1, 0, 0, 0, 0, 0, 0};
  settings_.htm = 0;
  EXPECT_EQ(app::BasePagePath(settings_), "/site/indexg.html");
  settings_.create_pages[2] = 0;
  EXPECT_EQ(app::BasePagePath(settings_), "/site/.html");
  EXPECT_EQ(app::StatisticsFilePath(settings_), "/site/stats.txt");
}

TEST_F(MainWindowTest, OpeningAFileReportsTheOpenersFailure) {
  app::MainWindow& w = Window();
  settings_.output_file = home_ / "nowhere";
  w.OpenLog();  // the Log command does not check: a missing file is reported
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "The specified file was not found. " + (home_ / "nowhere") + "/stats.txt");
  EXPECT_EQ(ui_.messages[0].icon, platform::MessageIcon::kError);
  EXPECT_EQ(ui_.beeps, 1);
  EXPECT_EQ(platform::OpenFailureText(42, "x"), "");
  EXPECT_EQ(platform::OpenFailureText(31, "x"),
            "There is no application associated with the given file name extension.    ");
  EXPECT_EQ(platform::OpenFailureText(20, "/s/index.htm"),
            "Error Opening HTML file /s/index.htm.  Error Code = 20");
}

TEST_F(MainWindowTest, DebugButtonsShowWithDebuggingBitZero) {
  app::MainWindow& w = Window();
  EXPECT_FALSE(wxWindow::FindWindowById(1115, &w)->IsShown());
  EXPECT_FALSE(wxWindow::FindWindowById(1064, &w)->IsShown());
  w.Destroy();
  window_ = nullptr;
  Pump();
  store_.WriteDword("Debugging", 1);
  app::MainWindow& again = Window();
  EXPECT_TRUE(wxWindow::FindWindowById(1115, &again)->IsShown());
  // the debug dialog reads the registry, writes the bits, and the buttons follow
  ExpectModal([](wxDialog& dialog) {
    auto& debug = dynamic_cast<app::DebugDialog&>(dialog);
    EXPECT_TRUE(Control<wxCheckBox>(&dialog, 1116)->GetValue());
    Control<wxCheckBox>(&dialog, 1116)->SetValue(false);
    Control<wxCheckBox>(&dialog, 1123)->SetValue(true);  // bit 7: running time
    EXPECT_TRUE(debug.Accept());
    return wxID_OK;
  });
  Click(&again, 1115);
  EXPECT_EQ(settings_.debugging, 0x80u);
  EXPECT_EQ(RegistryDword("Debugging"), 0x80u);
  EXPECT_FALSE(wxWindow::FindWindowById(1115, &again)->IsShown());
}

TEST_F(MainWindowTest, ClosingByAnyMeansSavesEveryOption) {
  app::MainWindow& w = Window();
  registry_.writes.clear();
  settings_.groups = 42;  // as a dialog without its own writes leaves it
  SetBox(1002, "/data/family.ged");
  w.Close();  // the close box, not the Close button
  Pump();
  window_ = nullptr;
  EXPECT_EQ(RegistryDword("Groups"), 42u);
  EXPECT_EQ(RegistryText("Input File"), "/data/family.ged");
  EXPECT_FALSE(registry_.writes.empty());
}

TEST_F(MainWindowTest, AFailedSaveOnClosingIsReported) {
  app::MainWindow& w = Window();
  registry_.FailWritesAfter(0, 13);
  w.Close();
  Pump();
  window_ = nullptr;
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find("Error occurred saving"), std::string::npos);
}

TEST_F(MainWindowTest, CreateCommandConvertsTheFileIntoASite) {
  app::MainWindow& w = Window();
  settings_.owner.user_name = "Test Owner";  // after the window has loaded the settings
  const std::string site = home_ / "site";
  SetBox(1002, std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged");
  SetBox(1004, site);
  EXPECT_FALSE(Enabled(1028));
  Click(&w, 1006);
  EXPECT_FALSE(w.running());
  EXPECT_TRUE(std::filesystem::exists(site + "/index.htm"));
  EXPECT_EQ(w.last_status_text(), "Finished :)");
  EXPECT_EQ(w.status_window(), nullptr);  // closed at the end
  EXPECT_EQ(FromWx(w.GetTitle()), app::MainWindowTitle());
  EXPECT_TRUE(Enabled(1028));
  EXPECT_TRUE(Enabled(1006));
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0].text;
  // the run saved the options, the output folder among them
  EXPECT_EQ(RegistryText("Output File"), site);
}

TEST_F(MainWindowTest, CreateWithoutAnOwnerAsksAndYesOpensTheOwnerDialog) {
  app::MainWindow& w = Window();
  SetBox(1002, std::string(KINLOOM_SOURCE_DIR) + "/examples/sample.ged");
  SetBox(1004, home_ / "site");
  ui_.QueueAnswer(platform::Choice::kYes);
  ExpectModal([](wxDialog& dialog) {
    auto& owner = dynamic_cast<app::OwnerDialog&>(dialog);
    Control<app::ValidatedEdit>(&dialog, 1044)->SetText("Ann Owner");
    EXPECT_TRUE(owner.Accept());
    return wxID_OK;
  });
  Click(&w, 1006);
  ASSERT_GE(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, Ui(2273));
  EXPECT_EQ(settings_.owner.user_name, "Ann Owner");
  EXPECT_EQ(w.last_status_text(), "Finished :)");
}

TEST_F(MainWindowTest, EmptyPathsStopTheRunBeforeAnythingOpens) {
  app::MainWindow& w = Window();
  SetBox(1002, "");
  Click(&w, 1006);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Please specify the GEDCOM file to convert to HTML.");
  EXPECT_EQ(ui_.progress_opened, 0);
  EXPECT_EQ(ui_.wait_cursor_depth, 0);
}

TEST_F(MainWindowTest, CommandLineModeRunsAtOnceAndClosesWithTheRunsStatus) {
  int status = -1;
  app::StartOptions start;
  start.command_line = true;
  start.input_path = home_ / "missing.ged";
  start.output_folder = home_ / "site";
  start.set_exit_status = [&status](int s) { status = s; };
  Window(start);
  settings_.owner.user_name = "Test Owner";
  Pump();  // the posted Create command, the run, the posted close
  window_ = nullptr;
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages[0].text.rfind("Unable to open the file '" + (home_ / "missing.ged"), 0), 0u)
      << ui_.messages[0].text;
  EXPECT_EQ(status, 1);
  // the command line's paths replaced the registry's
  EXPECT_EQ(settings_.input_file, home_ / "missing.ged");
}

}  // namespace
}  // namespace kinloom::testing
