// The dialogs of languages and titles: interface language, base-page title, other output
// languages and page titles.
#include "app/option_dialogs.h"

#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "app/option_dialog_parts.h"
#include "lang/ui_text.h"

namespace kinloom::app {

namespace {

constexpr int kTitleLanguageDialog = 2440;
constexpr int kTextProgramLanguage = 2438;  // "Language for KINLOOM"
constexpr int kTitleBasePageTitle = 2116;   // "Title for base (first) page"
constexpr int kTitleOtherLanguages = 2614;  // "Other Output Languages"
constexpr int kTextTitle = 2605;
constexpr int kTitleCustomizePageTitle = 2203;
constexpr int kTextBeforePageNumber = 2204;  // "Text before page number"
constexpr int kTextAfterPageNumber = 2205;   // "Text after page number"
constexpr int kTextPageNumber = 2206;        // "Page #"
constexpr int kTextEitherBoxBlank = 2207;    // "Note:  Either or both of these boxes can be blank"

}  // namespace

// ---- Interface language ----

LanguageDialog::LanguageDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleLanguageDialog) {
  auto* group = new wxStaticBoxSizer(wxVERTICAL, this, UiText(kTextProgramLanguage, s_));
  group->GetStaticBox()->SetId(1093);
  Register(1093, kTextProgramLanguage);
  wxWindow* g = group->GetStaticBox();
  auto* english = new wxRadioButton(g, 1124, "I want all labels and buttons displayed in English",
                                    wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  auto* french = new wxRadioButton(
      g, 1125, ToWx("Affichage de tous les boutons et \xE9tiquettes en fran\xE7" "ais."));
  group->Add(english, 0, wxALL, FromDIP(6));
  group->Add(french, 0, wxALL, FromDIP(6));
  (s_.labels_in_french == 1 ? french : english)->SetValue(true);
  english->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { Choose(false); });
  french->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { Choose(true); });
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(group, 0, wxEXPAND);
  Finish(content);
}

void LanguageDialog::Choose(bool french) {
  s_.labels_in_french = french ? 1 : 0;
  Control<wxRadioButton>(this, french ? 1125 : 1124)->SetValue(true);
  ApplyTexts();
  // The main window and every other open window follow at once.
  if (services_.language_changed) services_.language_changed();
}

// ---- Base-page title ----

BaseTitleDialog::BaseTitleDialog(wxWindow* parent, const AppServices& services, int language)
    : OptionDialog(parent, services, kTitleBasePageTitle), language_(language) {
  auto* box = new wxTextCtrl(this, 1071, ToWx(s_.index_title[language]), wxDefaultPosition,
                             FromDIP(wxSize(460, 220)), wxTE_MULTILINE | wxTE_RICH2);
  box->Bind(wxEVT_TEXT, [this, box](wxCommandEvent&) {
    const wxString text = box->GetValue();
    if (FromWx(text).size() > kMaxTitle) {
      services_.prompts.Beep();
      box->ChangeValue(ToWx(FromWx(text).substr(0, kMaxTitle)));
      box->SetInsertionPointEnd();
    }
  });
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(box, 1, wxEXPAND);
  Finish(content);
}

bool BaseTitleDialog::Accept() {
  s_.index_title[language_] = FromWx(Control<wxTextCtrl>(this, 1071)->GetValue());
  return true;
}

// ---- Other output languages ----

OtherLanguagesDialog::OtherLanguagesDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleOtherLanguages) {
  constexpr int kBoxes[7] = {1024, 1029, 1030, 1031, 1032, 1033, 1034};
  auto* grid = new wxFlexGridSizer(3, FromDIP(6), FromDIP(8));
  grid->AddGrowableCol(1, 1);
  for (int k = 2; k < settings::kLanguageCount; ++k) {
    const int row = k - 2;
    auto* check = AddCheck(this, 1139 + row, k == 8 ? 0 : kLanguageTexts[k],
                           k == 8 ? "Portugu\xEAs" : "");
    auto* box = AddEdit(this, kBoxes[row], "", 105, 255, false);
    box->SetMinSize(wxSize(FromDIP(180), -1));
    auto* title = AddButton(this, 1159 + row, kTextTitle);
    check->SetValue(s_.create_pages[k] != 0);
    box->SetText(s_.index_name[k]);
    if ((k == kBetaItalian || k == kBetaPortuguese) && !BetaLanguages()) {
      check->Hide();
      box->Hide();
      title->Hide();
    }
    grid->Add(check, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(box, 1, wxEXPAND);
    grid->Add(title, 0);
    check->Bind(wxEVT_CHECKBOX, [this, k](wxCommandEvent&) {
      s_.create_pages[k] = Checked(1139 + k - 2) ? 1 : 0;
      UpdateRow(k);
    });
    title->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) {
      BaseTitleDialog dialog(this, services_, k);
      services_.ShowModal(dialog);
    });
  }
  Finish(grid);
  for (int k = 2; k < settings::kLanguageCount; ++k) UpdateRow(k);
}

void OtherLanguagesDialog::UpdateRow(int language) {
  constexpr int kBoxes[7] = {1024, 1029, 1030, 1031, 1032, 1033, 1034};
  const bool on = s_.create_pages[language] != 0;
  EnableControl(kBoxes[language - 2], on);
  EnableControl(1159 + language - 2, on);
}

bool OtherLanguagesDialog::Accept() {
  constexpr int kBoxes[7] = {1024, 1029, 1030, 1031, 1032, 1033, 1034};
  for (int k = 2; k < settings::kLanguageCount; ++k) s_.index_name[k] = Edit(kBoxes[k - 2])->Text();
  return true;
}

// ---- Page title ----

namespace {

// Radio button of each language in the page-title dialog.
constexpr int kPageTitleRadios[settings::kLanguageCount] = {1124, 1125, 1126, 1127, 1128,
                                                            1129, 1132, 1130, 1134};
}  // namespace

PageTitleDialog::PageTitleDialog(wxWindow* parent, const AppServices& services, PageKind kind)
    : OptionDialog(parent, services, kTitleCustomizePageTitle),
      kind_(kind),
      language_(s_.labels_in_french == 1) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* radios = new wxGridSizer(5, FromDIP(4), FromDIP(10));
  for (int k = 0; k < settings::kLanguageCount; ++k) {
    auto* radio = AddRadio(this, kPageTitleRadios[k], kLanguageTexts[k], k == 0);
    if ((k == kBetaItalian || k == kBetaPortuguese) && !BetaLanguages()) radio->Hide();
    radio->Bind(wxEVT_RADIOBUTTON, [this, k](wxCommandEvent&) { ChooseLanguage(k); });
    radios->Add(radio, 0);
  }
  content->Add(radios, 0, wxBOTTOM, FromDIP(10));
  auto* grid = new wxFlexGridSizer(3, FromDIP(6), FromDIP(8));
  grid->Add(AddLabel(this, wxID_ANY, kTextBeforePageNumber), 0);
  grid->AddSpacer(0);
  grid->Add(AddLabel(this, wxID_ANY, kTextAfterPageNumber), 0);
  auto* a = AddEdit(this, 1071, "", 0, -1, false);
  auto* b = AddEdit(this, 1072, "", 0, -1, false);
  a->SetMinSize(wxSize(FromDIP(200), -1));
  b->SetMinSize(wxSize(FromDIP(200), -1));
  grid->Add(a, 1, wxEXPAND);
  grid->Add(AddLabel(this, 1093, kTextPageNumber), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(b, 1, wxEXPAND);
  content->Add(grid, 0, wxEXPAND);
  content->Add(AddLabel(this, 1131, kTextEitherBoxBlank), 0, wxTOP, FromDIP(8));
  Control<wxRadioButton>(this, kPageTitleRadios[language_])->SetValue(true);
  a->SetText(TextA(language_));
  b->SetText(TextB(language_));
  Finish(content);
}

std::string& PageTitleDialog::TextA(int k) {
  switch (kind_) {
    case PageKind::kFamily: return s_.family_page_text_a[k];
    case PageKind::kDescendancy: return s_.descendancy_page_text_a[k];
    case PageKind::kPedigree: return s_.pedigree_page_text_a[k];
    case PageKind::kNotes: break;
  }
  return s_.notes_page_text_a[k];
}

std::string& PageTitleDialog::TextB(int k) {
  switch (kind_) {
    case PageKind::kFamily: return s_.family_page_text_b[k];
    case PageKind::kDescendancy: return s_.descendancy_page_text_b[k];
    case PageKind::kPedigree: return s_.pedigree_page_text_b[k];
    case PageKind::kNotes: break;
  }
  return s_.notes_page_text_b[k];
}

void PageTitleDialog::Store() {
  TextA(language_) = Edit(1071)->Text();
  TextB(language_) = Edit(1072)->Text();
}

void PageTitleDialog::ChooseLanguage(int language) {
  Store();
  language_ = language;
  Control<wxRadioButton>(this, kPageTitleRadios[language])->SetValue(true);
  Edit(1071)->SetText(TextA(language));
  Edit(1072)->SetText(TextB(language));
}

bool PageTitleDialog::Accept() {
  Store();
  return true;
}

}  // namespace kinloom::app
