#include "app/wx_text.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

#include "lang/ui_text.h"
#include "platform/text_encoding.h"

namespace kinloom::app {

wxString ToWx(const std::string& cp1252) {
  return wxString::FromUTF8(platform::Cp1252ToUtf8(cp1252));
}

std::string FromWx(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return platform::Utf8ToCp1252(std::string_view(utf8.data(), utf8.length()));
}

wxString UiText(int n, const settings::Settings& settings) {
  return ToWx(lang::LoadUiText(n, settings));
}

void SetDialogTexts(wxWindow* window, const TextSet& set, const settings::Settings& settings) {
  if (set.caption != 0) {
    if (auto* top = dynamic_cast<wxTopLevelWindow*>(window)) {
      top->SetTitle(UiText(set.caption, settings));
    }
  }
  for (const TextPair& pair : set.pairs) {
    wxWindow* control = wxWindow::FindWindowById(pair.control_id, window);
    if (control == nullptr) continue;
    const wxString text = !pair.ready.empty() ? ToWx(pair.ready) : UiText(pair.number, settings);
    control->SetLabel(text);
  }
  window->Layout();
}

}  // namespace kinloom::app
