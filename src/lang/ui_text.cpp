#include "lang/ui_text.h"

#include "lang/string_table.h"

namespace kinloom::lang {

std::string LoadUiText(int n, UiLanguage language) {
  return StringTable::Instance().Text(language.french ? n + 1000 : n);
}

}  // namespace kinloom::lang
