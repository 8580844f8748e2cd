#include "app/main_window.h"

#include <wx/accel.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/base_page.h"
#include "app/option_dialogs.h"
#include "app/program_icon.h"
#include "app/wx_text.h"
#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "run/parallel_languages.h"
#include "run/product.h"
#include "settings/load_save.h"
#include "settings/migration.h"

namespace kinloom::app {
namespace {

constexpr int kTextGedcomFile = 2110;    // "GEDCOM file to read from"
constexpr int kTextGedcomSearch = 2112;  // "&Search"
constexpr int kTextBasePageName = 2114;  // "Name for base (first) page"
constexpr int kTextEnglish = 2445;
constexpr int kTextTitle = 2605;
constexpr int kTextFrench = 2446;
constexpr int kTextOtherLanguages = 2614;  // "Other Output Languages"
constexpr int kTextGeneralSettings = 2297;
constexpr int kTextPrivacySettings = 2296;
constexpr int kTextOptionalPages = 2115;
constexpr int kTextLanguage = 2434;
constexpr int kTextOutputFolder = 2123;  // "HTML Directory to write to"
constexpr int kTextOutputSearch = 2125;  // "&Search"
constexpr int kTextClose = 2126;
constexpr int kTextCreate = 2127;                 // "Create &HTML files"
constexpr int kTextView = 2128;                   // "&View HTML files"
constexpr int kMessageRegistrySaveFailed = 2269;  // "Failed to save in registry."
constexpr int kTextSelectOutputFolder = 2270;     // "Select the folder the HTML files will be ..."

enum Id {
  kGedcomLabel = 1021, kGedcomBox = 1002, kGedcomSearch = 1003,
  kBaseLabel = 1025, kEnglish = 1137, kEnglishName = 1017, kEnglishTitle = 1157,
  kFrench = 1138, kFrenchName = 1023, kFrenchTitle = 1158, kOtherLanguages = 1159,
  kHtm = 1026, kHtml = 1027,
  kGeneral = 1134, kPrivacy = 1098, kOptional = 1104, kLanguage = 1105,
  kDebug = 1115, kLog = 1064,
  kOutputLabel = 1020, kOutputBox = 1004, kOutputSearch = 1005,
  kClose = 1, kCreate = 1006, kView = 1028,
};

const TextSet& MainTextSet() {
  static const TextSet set{0,
                           {{kGedcomLabel, kTextGedcomFile, ""},
                            {kGedcomSearch, kTextGedcomSearch, ""},
                            {kBaseLabel, kTextBasePageName, ""},
                            {kEnglish, kTextEnglish, ""},
                            {kEnglishTitle, kTextTitle, ""},
                            {kFrench, kTextFrench, ""},
                            {kFrenchTitle, kTextTitle, ""},
                            {kOtherLanguages, kTextOtherLanguages, ""},
                            {kGeneral, kTextGeneralSettings, ""},
                            {kPrivacy, kTextPrivacySettings, ""},
                            {kOptional, kTextOptionalPages, ""},
                            {kLanguage, kTextLanguage, ""},
                            {kOutputLabel, kTextOutputFolder, ""},
                            {kOutputSearch, kTextOutputSearch, ""},
                            {kClose, kTextClose, ""},
                            {kCreate, kTextCreate, ""},
                            {kView, kTextView, ""}}};
  return set;
}

}  // namespace

std::string MainWindowTitle() {
  return lang::FormatText("%s %1.2f by %s", run::kProductString, run::kProgramVersion,
                          run::kTitleCredit);
}

// What a conversion run started from this window sees of it.
class MainWindow::RunUi : public platform::UserInterface {
 public:
  explicit RunUi(MainWindow& window) : w_(window) {}

  platform::Choice ShowMessage(const std::string& text, const std::string& caption,
                               platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    return w_.services_.prompts.ShowMessage(text, caption, icon, buttons);
  }
  void Focus(platform::UiField field) override {
    const int id = field == platform::UiField::kGedcomPath ? kGedcomBox : kOutputBox;
    if (wxWindow* box = wxWindow::FindWindowById(id, &w_)) {
      // The panel is disabled while the run holds the window; the focus lands when it ends.
      w_.CallAfter([box] { box->SetFocus(); });
    }
  }
  void BeginWaitCursor() override { w_.services_.prompts.BeginWaitCursor(); }
  void EndWaitCursor() override { w_.services_.prompts.EndWaitCursor(); }
  void Beep() override { w_.services_.prompts.Beep(); }
  void OpenProgress() override {
    CloseProgress();
    w_.status_ = new StatusWindow(&w_, w_.settings_);
    w_.status_->Show();
    SettlePaints(10);
  }
  void UpdateProgress(const platform::ProgressUpdate& update) override {
    if (!update.status_text.empty()) w_.last_status_text_ = update.status_text;
    if (w_.status_ != nullptr) w_.status_->Apply(update);
    else if (!update.parent_title.empty()) w_.SetTitle(ToWx(update.parent_title));
    if (w_.progress_observer_) w_.progress_observer_(update);
  }
  void ShowNotice(const std::string& text) override {
    platform::ProgressUpdate update;
    update.position = w_.status_ != nullptr ? w_.status_->position() : 0;
    update.status_text = text;
    update.repaint_status = true;
    UpdateProgress(update);
  }
  void CloseProgress() override {
    if (w_.status_ == nullptr) return;
    w_.status_->Destroy();
    w_.status_ = nullptr;
  }
  void RestoreTitle() override { w_.SetTitle(ToWx(w_.WindowTitle())); }
  void RefreshMainWindow() override { w_.RefreshUiLanguage(); }
  void SetViewButtonEnabled(bool enabled) override {
    if (auto* view = Control<wxButton>(&w_, kView)) view->Enable(enabled);
  }
  void RequestClose() override {
    w_.CallAfter([this] { w_.Close(); });
  }
  void OpenOwnerDialog() override {
    OwnerDialog dialog(&w_, w_.services_);
    w_.services_.ShowModal(dialog);
  }

 private:
  MainWindow& w_;
};

namespace {

// The run's saves go to the registry store, with the window's own fields for the paths.
class StoreSaver : public run::SettingsSaver {
 public:
  StoreSaver(settings::RegistryStore& store, std::function<settings::MainWindowFields()> fields)
      : store_(store), fields_(std::move(fields)) {}
  void SaveOutputFolder(const settings::Settings& s) override {
    store_.CheckSaved(store_.WriteText("Output File", s.output_file));
  }
  void SaveAll(const settings::Settings& s) override {
    settings::SaveSettings(store_, s, fields_());
  }
  std::optional<std::string> ReadNotesToInclude(const settings::Settings&) override {
    return settings::ReadNotesToInclude(store_);
  }

 private:
  settings::RegistryStore& store_;
  std::function<settings::MainWindowFields()> fields_;
};

class WindowAuxiliary : public run::AuxiliarySteps {
 public:
  explicit WindowAuxiliary(std::function<void(const std::string&)> open) : open_(std::move(open)) {}
  void OpenFile(run::RunContext&, const std::string& path) override { open_(path); }

 private:
  std::function<void(const std::string&)> open_;
};

}  // namespace

MainWindow::MainWindow(const AppServices& services, const StartOptions& start)
    : wxFrame(nullptr, wxID_ANY, "KINLOOM", wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE & ~(wxMAXIMIZE_BOX | wxRESIZE_BORDER)),
      services_(services),
      settings_(services.settings),
      start_(start),
      run_ui_(std::make_unique<RunUi>(*this)) {
  services_.language_changed = [this] { RefreshUiLanguage(); };
  settings::LoadOptions options;
  options.command_line = start.command_line;
  options.input_path = start.input_path;
  options.output_folder = start.output_folder;
  options.default_output_folder = settings::DefaultOutputFolder();

  settings::LoadSettingsStart(services_.store, settings_, options);
  BuildControls();
  auto* gedcom = Control<ValidatedEdit>(this, kGedcomBox);
  auto* output = Control<ValidatedEdit>(this, kOutputBox);
  // The field names are the labels' own texts before the interface texts are applied.
  // The path sets are written for "\" paths; this system separates folders with "/".
  gedcom->Setup("GEDCOM file to read from", 106, 255, false, "/");
  output->Setup("HTML Directory to write to", 107, 255, false, "/");
  settings::LoadSettingsMain(services_.store, settings_, options);
  gedcom->SetText(settings_.input_file);
  output->SetText(settings_.output_file);
  Control<wxRadioButton>(this, settings_.htm == 1 ? kHtm : kHtml)->SetValue(true);
  auto* english_name = Control<ValidatedEdit>(this, kEnglishName);
  auto* french_name = Control<ValidatedEdit>(this, kFrenchName);
  english_name->Setup("", 105, 255, false);
  french_name->Setup("", 105, 255, false);
  english_name->SetText(settings_.index_name[0]);
  french_name->SetText(settings_.index_name[1]);

  BuildMenu();
  RefreshUiLanguage();
  SetIcons(ProgramIcons());
  if (!settings::StampVersion(services_.store)) {
    platform::EndProgram(1, "Unable to set current version");
  }
  UpdateViewButton();
  settings::LoadSettingsEnd(services_.store, settings_);
  ShowDebugButtons();
  SetTitle(ToWx(WindowTitle()));
  Bind();
  panel_->GetSizer()->SetSizeHints(this);
  Centre();
  if (start_.command_line) {
    CallAfter([this] { CreateHtmlFiles(); });
  }
}

MainWindow::~MainWindow() {
  if (menu_bar_ != nullptr && GetMenuBar() != menu_bar_) delete menu_bar_;
}

platform::UserInterface& MainWindow::run_ui() { return *run_ui_; }

std::string MainWindow::WindowTitle() const { return MainWindowTitle(); }

void MainWindow::BuildControls() {
  auto* panel = new wxPanel(this);
  panel_ = panel;
  const int gap = FromDIP(6);
  auto& prompts = services_.prompts;

  auto* top = new wxBoxSizer(wxVERTICAL);

  // the GEDCOM file
  top->Add(new wxStaticText(panel, kGedcomLabel, "GEDCOM file to read from"), 0,
           wxLEFT | wxRIGHT | wxTOP, gap * 2);
  auto* gedcom_row = new wxBoxSizer(wxHORIZONTAL);
  auto* gedcom = new ValidatedEdit(panel, kGedcomBox, prompts, settings_);
  gedcom->SetMinSize(wxSize(FromDIP(420), -1));
  gedcom_row->Add(gedcom, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
  gedcom_row->Add(new wxButton(panel, kGedcomSearch, "&Search"), 0, wxALIGN_CENTER_VERTICAL);
  top->Add(gedcom_row, 0, wxEXPAND | wxALL, gap * 2);

  auto* middle = new wxBoxSizer(wxHORIZONTAL);
  // the base pages
  auto* base_box = new wxStaticBoxSizer(wxVERTICAL, panel);
  base_box->Add(new wxStaticText(base_box->GetStaticBox(), kBaseLabel, "Name for base (first) page"),
                0, wxALL, gap);
  auto* grid = new wxFlexGridSizer(3, gap, gap);
  grid->AddGrowableCol(1, 1);
  wxWindow* box_parent = base_box->GetStaticBox();
  const struct { int check, name, title; const char* label; } rows[2] = {
      {kEnglish, kEnglishName, kEnglishTitle, "English"},
      {kFrench, kFrenchName, kFrenchTitle, "French"}};
  for (const auto& row : rows) {
    grid->Add(new wxCheckBox(box_parent, row.check, row.label), 0, wxALIGN_CENTER_VERTICAL);
    auto* name = new ValidatedEdit(box_parent, row.name, prompts, settings_);
    name->SetMinSize(wxSize(FromDIP(160), -1));
    grid->Add(name, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxButton(box_parent, row.title, "Title"), 0, wxALIGN_CENTER_VERTICAL);
  }
  base_box->Add(grid, 0, wxEXPAND | wxALL, gap);
  auto* extension_row = new wxBoxSizer(wxHORIZONTAL);
  extension_row->Add(new wxRadioButton(box_parent, kHtm, ".HTM", wxDefaultPosition,
                                       wxDefaultSize, wxRB_GROUP),
                     0, wxRIGHT, gap * 3);
  extension_row->Add(new wxRadioButton(box_parent, kHtml, ".HTML"), 0);
  extension_row->AddStretchSpacer();
  extension_row->Add(new wxButton(box_parent, kOtherLanguages, "Other Output Languages"), 0);
  base_box->Add(extension_row, 0, wxEXPAND | wxALL, gap);
  middle->Add(base_box, 1, wxEXPAND | wxRIGHT, gap * 2);

  // the option dialogs
  auto* buttons = new wxBoxSizer(wxVERTICAL);
  for (auto [id, label] : {std::pair{kGeneral, "General Settings"},
                           std::pair{kPrivacy, "Privacy Settings"},
                           std::pair{kOptional, "Optional Pages"},
                           std::pair{kLanguage, "Language"}}) {
    buttons->Add(new wxButton(panel, id, label), 0, wxEXPAND | wxBOTTOM, gap);
  }
  auto* debug_row = new wxBoxSizer(wxHORIZONTAL);
  debug_row->Add(new wxButton(panel, kDebug, "&Debug", wxDefaultPosition, wxDefaultSize,
                              wxBU_EXACTFIT),
                 1, wxRIGHT, gap);
  debug_row->Add(new wxButton(panel, kLog, "&Log", wxDefaultPosition, wxDefaultSize,
                              wxBU_EXACTFIT),
                 1);
  buttons->Add(debug_row, 0, wxEXPAND);
  middle->Add(buttons, 0, wxEXPAND);
  top->Add(middle, 0, wxEXPAND | wxLEFT | wxRIGHT, gap * 2);

  // the output folder
  top->Add(new wxStaticText(panel, kOutputLabel, "HTML Directory to write to"), 0,
           wxLEFT | wxRIGHT | wxTOP, gap * 2);
  auto* output_row = new wxBoxSizer(wxHORIZONTAL);
  output_row->Add(new ValidatedEdit(panel, kOutputBox, prompts, settings_), 1,
                  wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
  output_row->Add(new wxButton(panel, kOutputSearch, "&Search"), 0, wxALIGN_CENTER_VERTICAL);
  top->Add(output_row, 0, wxEXPAND | wxALL, gap * 2);

  // the commands
  auto* commands = new wxBoxSizer(wxHORIZONTAL);
  auto* close = new wxButton(panel, kClose, "&Close");
  commands->Add(close, 0, wxRIGHT, gap);
  commands->AddStretchSpacer();
  commands->Add(new wxButton(panel, kCreate, "Create &HTML files"), 0, wxRIGHT, gap);
  commands->Add(new wxButton(panel, kView, "&View HTML files"), 0);
  top->Add(commands, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap * 2);

  panel->SetSizer(top);
  close->SetDefault();
  SetDefaultItem(close);
}

void MainWindow::BuildMenu() {
  const bool french = settings_.labels_in_french == 1;
  if (menu_bar_ != nullptr && menu_french_ == french) return;
  auto* bar = new wxMenuBar;
  auto* add = new wxMenu;
  add->Append(kIdShortcut, french ? "&Raccourci" : "Shortcut's");
  bar->Append(add, french ? "Ajouter" : "Add");
  auto* help = new wxMenu;
  help->Append(kIdAbout, french ? "a propos" : "About");
  bar->Append(help, french ? "Aide" : "Help");
  wxMenuBar* old = GetMenuBar();
  SetMenuBar(bar);
  delete old;
  menu_bar_ = bar;
  menu_french_ = french;
}

void MainWindow::RefreshUiLanguage() {
  SetTitle(ToWx(WindowTitle()));
  SetDialogTexts(panel_, MainTextSet(), settings_);
  BuildMenu();
  const bool english = settings_.create_pages[0] != 0;
  const bool french = settings_.create_pages[1] != 0;
  Control<wxCheckBox>(this, kEnglish)->SetValue(english);
  Control<wxWindow>(this, kEnglishName)->Enable(english);
  Control<wxWindow>(this, kEnglishTitle)->Enable(english);
  Control<wxCheckBox>(this, kFrench)->SetValue(french);
  Control<wxWindow>(this, kFrenchName)->Enable(french);
  Control<wxWindow>(this, kFrenchTitle)->Enable(french);
  // French texts are longer: the window grows (or shrinks) to fit them.
  panel_->GetSizer()->SetSizeHints(this);
  panel_->Layout();
}

void MainWindow::UpdateViewButton() {
  Control<wxButton>(this, kView)->Enable(BasePageExists(settings_, services_.fs));
}

void MainWindow::ShowDebugButtons() {
  const bool show = (settings_.debugging & settings::kDebugShowDebugButton) != 0;
  Control<wxWindow>(this, kDebug)->Show(show);
  Control<wxWindow>(this, kLog)->Show(show);
  panel_->Layout();
}

bool MainWindow::BulkSave() {
  settings::MainWindowFields fields;
  fields.input_path = Control<ValidatedEdit>(this, kGedcomBox)->Text();
  fields.output_folder = settings_.output_file;
  fields.htm_selected = Control<wxRadioButton>(this, kHtm)->GetValue();
  return settings::SaveSettings(services_.store, settings_, fields);
}

void MainWindow::CreateHtmlFiles() {
  if (running_) return;
  running_ = true;
  panel_->Disable();
  StoreSaver saver(services_.store, [this] {
    settings::MainWindowFields fields;
    fields.input_path = Control<ValidatedEdit>(this, kGedcomBox)->Text();
    fields.output_folder = settings_.output_file;
    fields.htm_selected = Control<wxRadioButton>(this, kHtm)->GetValue();
    return fields;
  });
  WindowAuxiliary auxiliary([this](const std::string& path) { OpenDocument(path); });
  run::ConversionRun::Steps steps;
  steps.saver = &saver;
  steps.auxiliary = &auxiliary;
  const std::string gedcom = Control<ValidatedEdit>(this, kGedcomBox)->Text();
  const std::string output = Control<ValidatedEdit>(this, kOutputBox)->Text();
  try {
    run::ConversionRun conversion(*run_ui_, services_.fs, settings_, services_.display, steps);
    conversion.SetJobs(start_.jobs != 0 ? start_.jobs : run::DefaultJobs());
    const run::RunOutcome outcome = conversion.Run(gedcom, output, start_.command_line);
    if (start_.command_line) {
      exit_status_ = run::ExitStatus(outcome);
      // A run that stopped early asks for no close; from the command line the window
      // closes after every run, so that the process ends with the run's status.
      if (outcome != run::RunOutcome::kCompleted && outcome != run::RunOutcome::kSiteFailed) {
        CallAfter([this] { Close(); });
      }
    }
  } catch (const platform::ProgramEnd& end) {
    run_ui_->CloseProgress();
    exit_status_ = end.status();
    closing_ = true;  // the program ends at once, as after any structural fault
    CallAfter([this] { Close(true); });
  }
  panel_->Enable();
  running_ = false;
}

void MainWindow::OpenDocument(const std::string& target) {
  const int result = services_.opener.Open(target);
  const std::string text = platform::OpenFailureText(result, target);
  if (text.empty()) return;
  services_.prompts.Beep();
  services_.prompts.ShowMessage(text, "", platform::MessageIcon::kError,
                                platform::MessageButtons::kOk);
}

void MainWindow::ViewHtmlFiles() { OpenDocument(BasePagePath(settings_)); }

void MainWindow::OpenLog() { OpenDocument(StatisticsFilePath(settings_)); }

void MainWindow::Bind() {
  wxFrame::Bind(wxEVT_CLOSE_WINDOW, &MainWindow::OnClose, this);
  wxFrame::Bind(wxEVT_BUTTON, &MainWindow::OnCommand, this);
  wxFrame::Bind(wxEVT_CHECKBOX, &MainWindow::OnCommand, this);
  wxFrame::Bind(wxEVT_RADIOBUTTON, &MainWindow::OnCommand, this);
  wxFrame::Bind(wxEVT_MENU, &MainWindow::OnCommand, this);
  wxFrame::Bind(wxEVT_TEXT, &MainWindow::OnCommand, this);
  wxAcceleratorEntry escape(wxACCEL_NORMAL, WXK_ESCAPE, kIdEscape);
  SetAcceleratorTable(wxAcceleratorTable(1, &escape));
}

void MainWindow::OnCommand(wxCommandEvent& event) {
  if (running_) return;  // the run holds the window
  const int id = event.GetId();
  if (event.GetEventType() == wxEVT_TEXT) {
    if (id == kOutputBox) {
      settings_.output_file = Control<ValidatedEdit>(this, kOutputBox)->Text();
      UpdateViewButton();
    } else if (id == kEnglishName || id == kFrenchName) {
      settings_.index_name[id == kEnglishName ? 0 : 1] = Control<ValidatedEdit>(this, id)->Text();
      UpdateViewButton();
    } else if (id == kGedcomBox) {
      settings_.input_file = Control<ValidatedEdit>(this, kGedcomBox)->Text();
    }
    return;
  }
  switch (id) {
    case kGedcomSearch: {
      wxFileDialog dialog(this, wxFileSelectorPromptStr, wxEmptyString,
                          ToWx(Control<ValidatedEdit>(this, kGedcomBox)->Text()),
                          "GEDCOM Files (*.GED)|*.GED;*.ged|All files|*", wxFD_OPEN);
      if (services_.ShowModal(dialog) != wxID_OK) return;
      const std::string path = FromWx(dialog.GetPath());
      Control<ValidatedEdit>(this, kGedcomBox)->SetText(path);
      settings_.input_file = path;
      if (services_.store.WriteText("Input File", path) != 0) {
        services_.prompts.ShowMessage(lang::LoadUiText(kMessageRegistrySaveFailed, settings_),
                                      run::kApplicationTitle, platform::MessageIcon::kError,
                                      platform::MessageButtons::kOk);
      }
      return;
    }
    case kOutputSearch: {
      wxDirDialog dialog(this, UiText(kTextSelectOutputFolder, settings_),
                         ToWx(Control<ValidatedEdit>(this, kOutputBox)->Text()));
      if (services_.ShowModal(dialog) != wxID_OK) return;
      const std::string path = FromWx(dialog.GetPath());
      Control<ValidatedEdit>(this, kOutputBox)->SetText(path);
      settings_.output_file = path;
      UpdateViewButton();
      if (services_.store.WriteText("Output File", path) != 0) {
        services_.prompts.ShowMessage(lang::LoadUiText(kMessageRegistrySaveFailed, settings_),
                                      run::kApplicationTitle, platform::MessageIcon::kError,
                                      platform::MessageButtons::kOk);
      }
      return;
    }
    case kHtm:
    case kHtml:
      settings_.htm = id == kHtm ? 1 : 0;
      settings_.index_name[0] = Control<ValidatedEdit>(this, kEnglishName)->Text();
      settings_.index_name[1] = Control<ValidatedEdit>(this, kFrenchName)->Text();
      UpdateViewButton();
      return;
    case kEnglish:
    case kFrench:
      settings_.create_pages[id == kEnglish ? 0 : 1] = Control<wxCheckBox>(this, id)->GetValue();
      RefreshUiLanguage();
      return;
    case kCreate: CreateHtmlFiles(); return;
    case kView: ViewHtmlFiles(); return;
    case kLog: OpenLog(); return;
    case kClose: Close(); return;
    case kIdEscape: Close(); return;
    default: ShowDialogFor(id); return;
  }
}

void MainWindow::ShowDialogFor(int command) {
  switch (command) {
    case kEnglishTitle:
    case kFrenchTitle: {
      BaseTitleDialog dialog(this, services_, command == kEnglishTitle ? 0 : 1);
      services_.ShowModal(dialog);
      return;
    }
    case kOtherLanguages: {
      OtherLanguagesDialog dialog(this, services_);
      services_.ShowModal(dialog);
      return;
    }
    case kGeneral: {
      GeneralSettingsDialog dialog(this, services_);
      services_.ShowModal(dialog);
      return;
    }
    case kPrivacy: {
      PrivacyDialog dialog(this, services_);
      services_.ShowModal(dialog);
      return;
    }
    case kOptional: {
      OptionalPagesDialog dialog(this, services_);
      services_.ShowModal(dialog);
      return;
    }
    case kLanguage: {
      LanguageDialog dialog(this, services_);
      services_.ShowModal(dialog);
      RefreshUiLanguage();
      return;
    }
    case kDebug: {
      DebugDialog dialog(this, services_);
      services_.ShowModal(dialog);
      ShowDebugButtons();
      return;
    }
    case kIdShortcut: {
      ShortcutDialog dialog(this, services_);
      services_.ShowModal(dialog);
      return;
    }
    case kIdAbout: {
      AboutBox dialog(this, services_);
      services_.ShowModal(dialog);
      return;
    }
    default: return;
  }
}

void MainWindow::OnClose(wxCloseEvent& event) {
  if (running_ && event.CanVeto()) {
    event.Veto();
    return;
  }
  // Every way of closing saves, as the Close button does; a structural fault ends at once.
  if (!closing_) {
    closing_ = true;
    BulkSave();
  }
  if (status_ != nullptr) run_ui_->CloseProgress();
  if (start_.set_exit_status) start_.set_exit_status(exit_status_);
  Destroy();
}

}  // namespace kinloom::app
