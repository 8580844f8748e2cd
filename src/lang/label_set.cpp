#include "lang/label_set.h"

#include "lang/string_table.h"

namespace kinloom::lang {

const std::string& LabelSet::Get(int n) const {
  const int number = n + 1000 * language_;
  const std::string& text = StringTable::Instance().Text(number);
  if (encoding_ == platform::TextEncoding::kWindows1252) return text;
  auto it = converted_.find(number);
  if (it == converted_.end()) it = converted_.emplace(number, platform::Cp1252ToUtf8(text)).first;
  return it->second;
}

}  // namespace kinloom::lang
