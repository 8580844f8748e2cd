// The base of every option dialog: its texts, controls, messages and OK.
#include "app/option_dialogs.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "lang/ui_text.h"
#include "run/product.h"

namespace kinloom::app {

namespace {

constexpr int kTextCancel = 2137;

}  // namespace

OptionDialog::OptionDialog(wxWindow* parent, const AppServices& services, int caption)
    : wxDialog(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      services_(services),
      s_(services.settings) {
  texts_.caption = caption;
  Bind(wxEVT_BUTTON, &OptionDialog::OnOk, this, wxID_OK);
}

void OptionDialog::ApplyTexts() {
  SetDialogTexts(this, texts_, s_);
  if (GetSizer() != nullptr) GetSizer()->Fit(this);
}

void OptionDialog::Register(int id, int text, const std::string& ready) {
  if (text != 0 || !ready.empty()) texts_.pairs.push_back({id, text, ready});
}

wxCheckBox* OptionDialog::AddCheck(wxWindow* parent, int id, int text, const std::string& ready) {
  Register(id, text, ready);
  return new wxCheckBox(parent, id, ready.empty() ? UiText(text, s_) : ToWx(ready));
}

wxButton* OptionDialog::AddButton(wxWindow* parent, int id, int text, const std::string& ready) {
  Register(id, text, ready);
  return new wxButton(parent, id, ready.empty() ? UiText(text, s_) : ToWx(ready));
}

wxWindow* OptionDialog::AddLabel(wxWindow* parent, int id, int text, const std::string& ready) {
  Register(id, text, ready);
  return new wxStaticText(parent, id, ready.empty() ? UiText(text, s_) : ToWx(ready));
}

wxRadioButton* OptionDialog::AddRadio(wxWindow* parent, int id, int text, bool first) {
  Register(id, text);
  return new wxRadioButton(parent, id, UiText(text, s_), wxDefaultPosition, wxDefaultSize,
                           first ? wxRB_GROUP : 0);
}

ValidatedEdit* OptionDialog::AddEdit(wxWindow* parent, int id, const std::string& field_name,
                                     int allowed, int max_length, bool numeric, long style) {
  auto* edit = new ValidatedEdit(parent, id, services_.prompts, s_, style);
  edit->Setup(field_name, allowed, max_length, numeric);
  return edit;
}

void OptionDialog::Warn(const std::string& text) {
  services_.prompts.ShowMessage(text, run::kApplicationTitle, platform::MessageIcon::kWarning,
                                platform::MessageButtons::kOk);
}

std::string OptionDialog::Text(int n) const { return lang::LoadUiText(n, s_); }

bool OptionDialog::BetaLanguages() const {
  return (s_.debugging & settings::kDebugBetaLanguages) != 0;
}

void OptionDialog::Finish(wxSizer* content, bool with_cancel) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(content, 1, wxEXPAND | wxALL, FromDIP(12));
  auto* buttons = new wxStdDialogButtonSizer;
  auto* ok = new wxButton(this, wxID_OK);
  ok->SetDefault();
  buttons->AddButton(ok);
  if (with_cancel) {
    buttons->AddButton(new wxButton(this, wxID_CANCEL, UiText(kTextCancel, s_)));
    Register(wxID_CANCEL, kTextCancel);
  }
  buttons->Realize();
  top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
  SetSizer(top);
  ApplyTexts();
  top->SetSizeHints(this);
  CentreOnParent();
}

void OptionDialog::OnOk(wxCommandEvent&) {
  if (!Accept()) return;
  if (IsModal()) EndModal(wxID_OK);
  else {
    SetReturnCode(wxID_OK);
    Hide();
  }
}

}  // namespace kinloom::app
