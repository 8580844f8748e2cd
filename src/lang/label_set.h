// Web-page labels: label n (an English number 12352 … 12643) in the current output
// language is string n + 1000 × language. A number without a text gives the empty text.
// Labels come in the encoding of the text they are written beside: the program's own
// Windows-1252, or UTF-8 for a store read from a UTF-8, UTF-16 or ANSEL file.
//
// The labels of the range are looked up (and converted) once, on the first Get after the
// language or the encoding was set; every later Get is a position in a table.
#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text_encoding.h"

namespace kinloom::lang {

class LabelSet {
 public:
  // The numbers of the English labels.
  static constexpr int kFirstLabel = 12352;
  static constexpr int kLastLabel = 12635;

  explicit LabelSet(int language = 0,
                    platform::TextEncoding encoding = platform::TextEncoding::kWindows1252)
      : language_(language), encoding_(encoding) {}
  void SetLanguage(int language) {
    language_ = language;
    Forget();
  }
  void SetTextEncoding(platform::TextEncoding encoding) {
    encoding_ = encoding;
    Forget();
  }
  int language() const { return language_; }
  platform::TextEncoding text_encoding() const { return encoding_; }
  // The text stays valid until the language or the encoding is changed.
  const std::string& Get(int n) const;

 private:
  static constexpr std::size_t kCount = kLastLabel - kFirstLabel + 1;
  void Forget() {
    filled_ = false;
    utf8_.clear();
    converted_.clear();
  }
  void Fill() const;

  int language_;
  platform::TextEncoding encoding_;
  // The labels of the range in the current language: the string table's texts, and their
  // UTF-8 forms for a UTF-8 text encoding.
  mutable bool filled_ = false;
  mutable std::array<const std::string*, kCount> table_{};
  mutable std::vector<std::string> utf8_;
  // UTF-8 forms of the other strings fetched so far (string number → text).
  mutable std::unordered_map<int, std::string> converted_;
};

}  // namespace kinloom::lang
