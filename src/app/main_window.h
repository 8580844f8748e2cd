// The main window of the desktop program: the GEDCOM file and output folder, the English
// and French base page names, the buttons of the option dialogs, and the commands that
// start a conversion, view its result and close (saving every option).
#pragma once

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/radiobut.h>

#include <functional>
#include <memory>
#include <string>

#include "app/app_services.h"
#include "app/status_window.h"
#include "app/validated_edit.h"
#include "run/conversion_run.h"

namespace kinloom::app {

struct StartOptions {
  bool command_line = false;
  std::string input_path;     // Windows-1252, as given
  std::string output_folder;
  int jobs = 0;  // "--jobs N": the most languages (or parts of a site) generated at once; 0 for the number of cores
  // Receives the process exit status when the window closes.
  std::function<void(int)> set_exit_status;
};

class MainWindow : public wxFrame {
 public:
  // Runs the window initialisation, the settings load sequence included (a failed version
  // stamp throws platform::ProgramEnd). In command-line mode the Create command is posted.
  MainWindow(const AppServices& services, const StartOptions& start);
  ~MainWindow() override;

  void RefreshUiLanguage();
  void UpdateViewButton();
  // The bulk save with the window's fields; false when a write failed (reported).
  bool BulkSave();
  // The Create command: one conversion run. Structural faults of the data end the program:
  // the window closes and the exit status is set.
  void CreateHtmlFiles();
  void ViewHtmlFiles();
  void OpenLog();

  std::string WindowTitle() const;
  int exit_status() const { return exit_status_; }
  bool running() const { return running_; }
  const std::string& last_status_text() const { return last_status_text_; }
  StatusWindow* status_window() const { return status_; }
  platform::UserInterface& run_ui();
  // Called after each progress update of a run has reached the windows (tests and tools
  // watch a run through it; empty: nothing is called).
  void set_progress_observer(std::function<void(const platform::ProgressUpdate&)> observer) {
    progress_observer_ = std::move(observer);
  }

  // Opens the documented dialogs (commands 1157/1158, 1159, 1134, 1098, 1104, 1105, 1115,
  // the shortcut menu item and the About box).
  void ShowDialogFor(int command);

  static constexpr int kIdAbout = 16;
  static constexpr int kIdShortcut = 9101;
  static constexpr int kIdEscape = 9102;

 private:
  class RunUi;
  void BuildControls();
  void BuildMenu();
  void Bind();
  void OnClose(wxCloseEvent& event);
  void OnCommand(wxCommandEvent& event);
  void OpenDocument(const std::string& target);
  void ShowDebugButtons();

  AppServices services_;
  settings::Settings& settings_;
  StartOptions start_;
  std::unique_ptr<RunUi> run_ui_;
  StatusWindow* status_ = nullptr;
  wxMenuBar* menu_bar_ = nullptr;
  bool menu_french_ = false;
  bool running_ = false;
  bool closing_ = false;
  int exit_status_ = 0;
  std::string last_status_text_;
  std::function<void(const platform::ProgressUpdate&)> progress_observer_;
  wxWindow* panel_ = nullptr;
};

// The title "%s %1.2f by %s" of the main window (product name, version, author credit).
std::string MainWindowTitle();

}  // namespace kinloom::app
