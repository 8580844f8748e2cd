// Conversions between the program's Windows-1252 texts and the toolkit's strings, and the
// text sets every window applies in the user-interface language.
#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include <string>
#include <vector>

#include "settings/settings.h"

namespace kinloom::app {

wxString ToWx(const std::string& cp1252);
std::string FromWx(const wxString& text);

// One control of a window and the user-interface text it shows. `ready` is used instead of
// the numbered text when it is not empty.
struct TextPair {
  int control_id;
  int number;
  std::string ready;
};

struct TextSet {
  int caption = 0;  // 0: the window's caption is left alone
  std::vector<TextPair> pairs;
};

// Sets each listed control's text (and the caption) to LoadUiText of its number.
void SetDialogTexts(wxWindow* window, const TextSet& set, const settings::Settings& settings);

// The user-interface text n in the language of `settings`, as a toolkit string.
wxString UiText(int n, const settings::Settings& settings);

// The control of `parent` (or its descendants) with `id`, of type T; null when none.
template <typename T>
T* Control(wxWindow* parent, int id) {
  return dynamic_cast<T*>(wxWindow::FindWindowById(id, parent));
}

}  // namespace kinloom::app
