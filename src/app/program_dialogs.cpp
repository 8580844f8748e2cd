// The dialogs about the program itself: debug parameters, shortcuts and About.
#include "app/option_dialogs.h"

#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <filesystem>

#include "app/program_icon.h"
#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "platform/desktop_entry.h"
#include "platform/system_error.h"
#include "platform/text_encoding.h"
#include "run/product.h"
#include "settings/load_save.h"

namespace kinloom::app {

namespace {

constexpr int kTitleAddShortcut = 2226;  // "Add Windows Shortcut"
constexpr int kTextShortcutHelp = 2224;  // "Add shortcuts (icons) to your desktop and/or start ..."
constexpr int kTextDesktopShortcut = 2227;    // "Add a shortcut to my desktop for %s"
constexpr int kTextStartMenuShortcut = 2228;  // "Add a shortcut to my START button's PROGRAMS ..."
constexpr int kTextShortcutName = 2253;       // "Shortcut to %s"
constexpr int kMessageCreateFailed = 2266;    // "Error opening %s file for create."
constexpr int kTitleAbout = 2143;             // "About %s Version %1.2f"
constexpr int kTextProductVersion = 2147;     // "%s Version %1.2f"

}  // namespace

// ---- Debug parameters ----

DebugDialog::DebugDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 0) {
  SetTitle("Debug Parameters");
  static const char* const kLabels[10] = {
      "Show Debug Button on main dialog", "Create Stats File", "Exit After Creating Output Files",
      "Show Number Of Notes Dialog", "Allow Beta Languages", "Show Run Time Dialog",
      "Show Stats Log When Finished", "Show Running Time in Status Window",
      "Allow Meta Tags Option", "Allow Minimize file size option"};
  std::uint32_t value = services_.store.ReadDword("Debugging");
  if (value == 0xFFFFFFFFu) value = 0;  // missing or unreadable
  auto* content = new wxBoxSizer(wxVERTICAL);
  for (int bit = 0; bit < 10; ++bit) {
    auto* check = new wxCheckBox(this, 1116 + bit, kLabels[bit]);
    check->SetValue((value >> bit) & 1u);
    content->Add(check, 0, wxALL, FromDIP(3));
  }
  Finish(content);
}

bool DebugDialog::Accept() {
  std::uint32_t value = 0;
  for (int bit = 0; bit < 10; ++bit) {
    if (Checked(1116 + bit)) value |= 1u << bit;
  }
  s_.debugging = value;
  services_.store.CheckSaved(services_.store.WriteDword("Debugging", value));
  return true;
}

// ---- Shortcuts ----

ShortcutDialog::ShortcutDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleAddShortcut) {
  const char* product = run::kProductString;
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* label = AddLabel(this, 1123, 0, lang::FormatText(Text(kTextShortcutHelp).c_str(), product));
  static_cast<wxStaticText*>(label)->Wrap(FromDIP(380));
  content->Add(label, 0, wxBOTTOM, FromDIP(10));
  content->Add(
      AddCheck(this, 1116, 0, lang::FormatText(Text(kTextDesktopShortcut).c_str(), product)), 0,
      wxBOTTOM, FromDIP(6));
  content->Add(
      AddCheck(this, 1117, 0, lang::FormatText(Text(kTextStartMenuShortcut).c_str(), product)), 0);
  Finish(content, false);
  static_cast<wxStaticText*>(label)->Wrap(FromDIP(380));
  GetSizer()->SetSizeHints(this);
  // With OK as the only button the toolkit would take Escape and the close box for OK; they
  // leave the dialog without creating anything.
  SetEscapeId(wxID_NONE);
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE)
      Leave();
    else
      event.Skip();
  });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Leave(); });
}

void ShortcutDialog::Leave() {
  if (IsModal()) {
    EndModal(wxID_CANCEL);
  } else {
    SetReturnCode(wxID_CANCEL);
    Hide();
  }
}

bool ShortcutDialog::Accept() {
  const std::string name = platform::Cp1252ToUtf8("KINLOOM\xA9");
  const std::string comment = platform::Cp1252ToUtf8(
      lang::FormatText(Text(kTextShortcutName).c_str(), run::kProductString));
  const std::string icons = platform::ApplicationsFolder() + "/../icons/hicolor/48x48/apps";
  std::string icon_path;
  if (Checked(1116) || Checked(1117)) {
    std::error_code error;
    std::filesystem::create_directories(icons, error);
    const std::string path =
        std::filesystem::weakly_canonical(icons + "/kinloom.png", error).string();
    if (SaveProgramIcon(path)) icon_path = path;
  }
  const std::string text =
      platform::DesktopEntryText(name, comment, platform::ProgramPath(), icon_path);
  // A shortcut that cannot be written is reported as every failed file operation is.
  auto write = [&](const std::string& folder) {
    const int error = platform::WriteDesktopEntry(folder, text);
    if (error == 0) return;
    const std::string path = folder + "/" + platform::kDesktopEntryName;
    platform::ReportSystemError(
        services_.prompts,
        lang::FormatText(Text(kMessageCreateFailed).c_str(), platform::Utf8ToCp1252(path).c_str()),
        error);
  };
  if (Checked(1116)) write(desktop_folder.empty() ? platform::DesktopFolder() : desktop_folder);
  if (Checked(1117)) {
    write(applications_folder.empty() ? platform::ApplicationsFolder() : applications_folder);
  }
  return true;
}

// ---- About ----

AboutBox::AboutBox(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 0) {
  SetTitle(
      ToWx(lang::FormatText(Text(kTitleAbout).c_str(), run::kProductString, run::kProgramVersion)));
  auto* content = new wxBoxSizer(wxHORIZONTAL);
  content->Add(new wxStaticBitmap(this, wxID_ANY, ProgramIconBitmap(FromDIP(48))), 0,
               wxRIGHT | wxALIGN_TOP, FromDIP(12));
  auto* lines = new wxBoxSizer(wxVERTICAL);
  auto* version =
      new wxStaticText(this, wxID_ANY,
                       ToWx(lang::FormatText(Text(kTextProductVersion).c_str(), run::kProductString,
                                             run::kProgramVersion)));
  version->SetFont(version->GetFont().Bold());
  lines->Add(version, 0, wxBOTTOM, FromDIP(6));
  lines->Add(new wxStaticText(this, wxID_ANY, ToWx(std::string("Written by ") + run::kAuthorCredit)),
             0, wxBOTTOM, FromDIP(3));
  lines->Add(new wxStaticText(this, wxID_ANY, ToWx(run::kHomePage)), 0, wxBOTTOM, FromDIP(3));
  lines->Add(new wxStaticText(this, wxID_ANY, ToWx(run::kContactAddress)), 0);
  content->Add(lines, 1);
  Finish(content, false);
}

}  // namespace kinloom::app
