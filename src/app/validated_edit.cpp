#include "app/validated_edit.h"

#include "app/wx_text.h"
#include "lang/string_table.h"
#include "lang/ui_text.h"
#include "platform/text_encoding.h"
#include "settings/registry_store.h"

namespace kinloom::app {
namespace {

constexpr int kMessageTooLong = 2263;  // "The '%s' field only allows a maximum of %d characters."
constexpr int kMessageInvalidCharacter = 2264;  // "The character '%c' is not valid for the ..."

constexpr int kBackspace = 8;
constexpr int kCtrlC = 3;
constexpr int kCtrlV = 22;

}  // namespace

ValidatedEdit::ValidatedEdit(wxWindow* parent, int id, platform::UserInterface& prompts,
                             const settings::Settings& settings, long style)
    : wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, style),
      prompts_(prompts),
      settings_(settings) {
  Bind(wxEVT_CHAR, &ValidatedEdit::OnChar, this);
  Bind(wxEVT_KILL_FOCUS, &ValidatedEdit::OnKillFocus, this);
}

void ValidatedEdit::Setup(const std::string& field_name, int allowed_text, int max_length,
                          bool numeric, const std::string& also_allowed) {
  field_name_ = field_name;
  allowed_ = allowed_text != 0 ? lang::StringTable::Instance().Text(allowed_text) + also_allowed
                               : "";
  max_length_ = max_length;
  numeric_ = numeric;
}

std::string ValidatedEdit::Text() const { return FromWx(GetValue()); }

void ValidatedEdit::SetText(const std::string& text) { ChangeValue(ToWx(text)); }

int ValidatedEdit::IntValue() const { return settings::LeadingInteger(Text()); }

void ValidatedEdit::SetIntValue(int value) { SetText(lang::FormatText("%d", value)); }

bool ValidatedEdit::AcceptsTyped(int code) const {
  if (code == kBackspace || code == kCtrlC || code == kCtrlV) return true;
  if (!allowed_.empty() && allowed_.find(static_cast<char>(code)) == std::string::npos) {
    return false;
  }
  if (max_length_ >= 0) {
    long from = 0, to = 0;
    GetSelection(&from, &to);
    const long length = static_cast<long>(Text().size());
    if (length - (to - from) + 1 > max_length_) return false;
  }
  return true;
}

void ValidatedEdit::OnChar(wxKeyEvent& event) {
  int code = event.GetKeyCode();
  const wxChar unicode = event.GetUnicodeKey();
  // Keys that are not characters (arrows, Delete, function keys) and the dialog's own keys
  // (Tab, Enter, Escape) are not typing.
  if (unicode == WXK_NONE || code == WXK_TAB || code == WXK_RETURN || code == WXK_ESCAPE ||
      code == WXK_NUMPAD_ENTER) {
    event.Skip();
    return;
  }
  if (event.ControlDown() && !event.AltDown()) {
    if (code == 'C' || code == 'c' || code == kCtrlC) code = kCtrlC;
    else if (code == 'V' || code == 'v' || code == kCtrlV) code = kCtrlV;
    else if (code >= 'A' && code <= 'Z') code = code - 'A' + 1;
    else if (code >= 'a' && code <= 'z') code = code - 'a' + 1;
  } else if (code >= 32) {
    const std::string byte = FromWx(wxString(unicode));
    code = byte.size() == 1 ? static_cast<unsigned char>(byte[0]) : '?';
    if (wxString(unicode) != ToWx(byte)) code = 0x100;  // no Windows-1252 form: never allowed
  }
  if (code == 0x100 && !allowed_.empty()) {
    prompts_.Beep();
    return;
  }
  if (!AcceptsTyped(code == 0x100 ? 'a' : code)) {
    prompts_.Beep();
    return;
  }
  event.Skip();
}

bool ValidatedEdit::CheckOnLeave() {
  const std::string text = Text();
  if (max_length_ >= 0 && static_cast<long>(text.size()) > max_length_) {
    prompts_.Beep();
    prompts_.ShowMessage(lang::FormatText(lang::LoadUiText(kMessageTooLong, settings_).c_str(),
                                          field_name_.c_str(), max_length_),
                         "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
    SetFocus();
    return false;
  }
  if (!allowed_.empty()) {
    for (char c : text) {
      if (allowed_.find(c) != std::string::npos) continue;
      prompts_.Beep();
      prompts_.ShowMessage(
          lang::FormatText(lang::LoadUiText(kMessageInvalidCharacter, settings_).c_str(), c,
                           field_name_.c_str()),
          "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
      SetFocus();
      return false;
    }
  }
  return true;
}

void ValidatedEdit::OnKillFocus(wxFocusEvent& event) {
  event.Skip();
  if (checking_) return;
  // Checked once the focus has moved, so that the message box does not fight the change.
  CallAfter([this] {
    checking_ = true;
    CheckOnLeave();
    checking_ = false;
  });
}

}  // namespace kinloom::app
