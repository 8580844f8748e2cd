// The option dialogs of the desktop program. Each one fills its controls from Settings when
// it opens, applies its texts in the user-interface language, and on OK validates, copies
// the controls into Settings and (the ones that say so) writes its values to the registry
// at once; Cancel closes without copying. Accept() is what OK does, so that tests can drive
// a dialog without showing it modally.
#pragma once

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>

#include <array>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/validated_edit.h"
#include "app/wx_text.h"

namespace kinloom::app {

class OptionDialog : public wxDialog {
 public:
  OptionDialog(wxWindow* parent, const AppServices& services, int caption);

  // Validates and copies the controls; false keeps the dialog open (the user was told).
  virtual bool Accept() { return true; }
  // Sets every registered control's text in the user-interface language.
  void ApplyTexts();

 protected:
  // Adds the OK (and Cancel) buttons below `content` and sizes the dialog.
  void Finish(wxSizer* content, bool with_cancel = true);
  wxCheckBox* AddCheck(wxWindow* parent, int id, int text, const std::string& ready = "");
  wxButton* AddButton(wxWindow* parent, int id, int text, const std::string& ready = "");
  wxWindow* AddLabel(wxWindow* parent, int id, int text, const std::string& ready = "");
  wxRadioButton* AddRadio(wxWindow* parent, int id, int text, bool first = false);
  ValidatedEdit* AddEdit(wxWindow* parent, int id, const std::string& field_name, int allowed,
                         int max_length, bool numeric, long style = 0);
  void Register(int id, int text, const std::string& ready = "");
  // A message box with an OK button over the dialog.
  void Warn(const std::string& text);
  std::string Text(int n) const;
  bool Checked(int id) { return Control<wxCheckBox>(this, id)->GetValue(); }
  void SetChecked(int id, bool on) { Control<wxCheckBox>(this, id)->SetValue(on); }
  void EnableControl(int id, bool on) {
    if (wxWindow* w = wxWindow::FindWindowById(id, this)) w->Enable(on);
  }
  ValidatedEdit* Edit(int id) { return Control<ValidatedEdit>(this, id); }
  bool BetaLanguages() const;

  AppServices services_;
  settings::Settings& s_;
  TextSet texts_;

 private:
  void OnOk(wxCommandEvent& event);
};

class GeneralSettingsDialog : public OptionDialog {
 public:
  GeneralSettingsDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;

 private:
  void OnCheck(wxCommandEvent& event);
  void OnButton(wxCommandEvent& event);
  void UpdateEnabling();
  wxWindow* preview_ = nullptr;
};

class PrivacyDialog : public OptionDialog {
 public:
  PrivacyDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
};

class OptionalPagesDialog : public OptionDialog {
 public:
  OptionalPagesDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;

 private:
  void UpdateEnabling();
  void OnButton(wxCommandEvent& event);
};

class LanguageDialog : public OptionDialog {
 public:
  LanguageDialog(wxWindow* parent, const AppServices& services);
  // Choosing a button sets "Lables In French" and re-applies the dialog's texts at once.
  void Choose(bool french);
};

class BaseTitleDialog : public OptionDialog {
 public:
  static constexpr std::size_t kMaxTitle = 8095;
  BaseTitleDialog(wxWindow* parent, const AppServices& services, int language);
  bool Accept() override;

 private:
  int language_;
};

class OtherLanguagesDialog : public OptionDialog {
 public:
  OtherLanguagesDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;

 private:
  void UpdateRow(int language);
};

class DebugDialog : public OptionDialog {
 public:
  DebugDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
};

class SelectBackgroundDialog : public OptionDialog {
 public:
  SelectBackgroundDialog(wxWindow* parent, const AppServices& services);
  // What the file chooser's OK does with the chosen full path.
  void ChoosePath(const std::string& path);

 private:
  void UpdateOk();
};

class OwnerDialog : public OptionDialog {
 public:
  OwnerDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
  void UpdateEnabling();
};

class MoreWebSitesDialog : public OptionDialog {
 public:
  MoreWebSitesDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
};

class AncestorDialog : public OptionDialog {
 public:
  AncestorDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
};

class MinimizeDialog : public OptionDialog {
 public:
  MinimizeDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
};

// The page title of one page kind, per language.
enum class PageKind { kFamily, kDescendancy, kPedigree, kNotes };

class PageTitleDialog : public OptionDialog {
 public:
  PageTitleDialog(wxWindow* parent, const AppServices& services, PageKind kind);
  bool Accept() override;
  void ChooseLanguage(int language);
  int language() const { return language_; }

 private:
  void Store();
  std::string& TextA(int language);
  std::string& TextB(int language);
  PageKind kind_;
  int language_;
};

// The three colour dialogs: each row is a colour button, a hexadecimal box and a colour.
class ColourDialog : public OptionDialog {
 public:
  struct Row {
    int button;
    int box;
    int colour_index;
    int text;
  };
  enum class Kind { kPage, kFamily, kLevel };
  ColourDialog(wxWindow* parent, const AppServices& services, Kind kind);
  bool Accept() override;
  // What the colour picker's OK does for the row of `button`.
  void PickColour(int button, std::uint32_t rrggbb);
  std::uint32_t Colour(int box) const;

 private:
  void UpdateEnabling();
  void OnBox(wxCommandEvent& event);
  Kind kind_;
  std::vector<Row> rows_;
  std::array<std::uint32_t, settings::kColourCount> colours_;
  wxWindow* samples_ = nullptr;
};

class NotesTagsDialog : public OptionDialog {
 public:
  NotesTagsDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
  // The four move buttons: 1140, 1141, 1142, 1143.
  void Move(int button);
  wxListBox* Included() { return Control<wxListBox>(this, 1117); }
  wxListBox* Excluded() { return Control<wxListBox>(this, 1118); }

 private:
  void UpdateButtons();
  void ShowDescription(wxListBox* list);
  std::vector<std::pair<std::string, int>> tags_;  // display text, tag code
};

class CustomLinksDialog : public OptionDialog {
 public:
  // `meta_tags`: the meta-tags mode of the same dialog.
  CustomLinksDialog(wxWindow* parent, const AppServices& services, bool meta_tags = false);
  bool Accept() override;
  void Add();
  void EditSelected();
  bool AcceptEntry();
  void CancelEntry();
  void DeleteSelected();
  void ChooseLanguage(int language);
  int language() const { return language_; }

 private:
  void FillList();
  void SetEditing(bool on);
  std::array<settings::CustomLink, settings::kLinkSlots>* Table();
  bool meta_tags_;
  int language_;
  int editing_slot_ = -1;  // the slot being edited; -1 when adding
  // Norwegian, Italian and Portuguese have no link table; they edit a scratch one. The
  // meta-tags mode edits the one meta-tag table of the options.
  std::array<settings::CustomLink, settings::kLinkSlots> scratch_;
};

class ShortcutDialog : public OptionDialog {
 public:
  ShortcutDialog(wxWindow* parent, const AppServices& services);
  bool Accept() override;
  // What Escape and the close box do: close with wxID_CANCEL, creating nothing.
  void Leave();
  // Where the entries go; empty: the user's desktop and applications folders.
  std::string desktop_folder;
  std::string applications_folder;
};

class AboutBox : public OptionDialog {
 public:
  AboutBox(wxWindow* parent, const AppServices& services);
};

}  // namespace kinloom::app
