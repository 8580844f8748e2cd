// Web-page labels: label n (an English number 12352 … 12635) in the current output
// language is string n + 1000 × language. A number without a text gives the empty text.
#pragma once

#include <string>

namespace kinloom::lang {

class LabelSet {
 public:
  explicit LabelSet(int language = 0) : language_(language) {}
  void SetLanguage(int language) { language_ = language; }
  int language() const { return language_; }
  const std::string& Get(int n) const;

 private:
  int language_;
};

}  // namespace kinloom::lang
