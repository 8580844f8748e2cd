// Web-page labels: label n (an English number 12352 … 12643) in the current output
// language is string n + 1000 × language. A number without a text gives the empty text.
// Labels come in the encoding of the text they are written beside: the program's own
// Windows-1252, or UTF-8 for a store read from a UTF-8, UTF-16 or ANSEL file.
#pragma once

#include <string>
#include <unordered_map>

#include "platform/text_encoding.h"

namespace kinloom::lang {

class LabelSet {
 public:
  explicit LabelSet(int language = 0,
                    platform::TextEncoding encoding = platform::TextEncoding::kWindows1252)
      : language_(language), encoding_(encoding) {}
  void SetLanguage(int language) {
    language_ = language;
    converted_.clear();
  }
  void SetTextEncoding(platform::TextEncoding encoding) {
    encoding_ = encoding;
    converted_.clear();
  }
  int language() const { return language_; }
  platform::TextEncoding text_encoding() const { return encoding_; }
  // The text stays valid until the language or the encoding is changed.
  const std::string& Get(int n) const;

 private:
  int language_;
  platform::TextEncoding encoding_;
  // UTF-8 forms of the labels fetched so far (string number → text).
  mutable std::unordered_map<int, std::string> converted_;
};

}  // namespace kinloom::lang
