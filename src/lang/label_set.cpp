#include "lang/label_set.h"

#include "lang/string_table.h"

namespace kinloom::lang {

void LabelSet::Fill() const {
  const StringTable& strings = StringTable::Instance();
  for (std::size_t k = 0; k < kCount; ++k)
    table_[k] = &strings.Text(kFirstLabel + static_cast<int>(k) + 1000 * language_);
  if (encoding_ != platform::TextEncoding::kWindows1252) {
    utf8_.clear();
    utf8_.reserve(kCount);
    for (const std::string* text : table_) utf8_.push_back(platform::Cp1252ToUtf8(*text));
  }
  filled_ = true;
}

const std::string& LabelSet::Get(int n) const {
  if (n >= kFirstLabel && n <= kLastLabel) {
    if (!filled_) Fill();
    const std::size_t k = static_cast<std::size_t>(n - kFirstLabel);
    return encoding_ == platform::TextEncoding::kWindows1252 ? *table_[k] : utf8_[k];
  }
  const int number = n + 1000 * language_;
  const std::string& text = StringTable::Instance().Text(number);
  if (encoding_ == platform::TextEncoding::kWindows1252) return text;
  auto it = converted_.find(number);
  if (it == converted_.end()) it = converted_.emplace(number, platform::Cp1252ToUtf8(text)).first;
  return it->second;
}

}  // namespace kinloom::lang
