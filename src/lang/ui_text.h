// User-interface texts: string n of the 2000 block, or n + 1000 (the French block) when the
// interface is French ("Lables In French" is 1). Messages with placeholders are filled with
// FormatText.
#pragma once

#include <string>

#include "platform/format_text.h"

namespace kinloom::lang {

// The language of the user interface. The settings record converts to it, so that
// LoadUiText(n, settings) gives the text in the language the user chose.
struct UiLanguage {
  bool french = false;
};

std::string LoadUiText(int n, UiLanguage language);

using platform::FormatText;

}  // namespace kinloom::lang
