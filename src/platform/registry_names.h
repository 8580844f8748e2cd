// The rules for key and value names that the registry implementations share: names compare
// without regard to ASCII case, a key name holds no control character and none of "\[]",
// and keys are named relative to the company key.
#pragma once

#include <string>

#include "platform/registry.h"

namespace kinloom::platform::registry_detail {

inline std::string Fold(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

inline bool HasControl(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7f) return true;
  return false;
}

inline bool ValidKeyName(const std::string& key) {
  if (key.empty() || HasControl(key)) return false;
  return key.find_first_of("\\[]") == std::string::npos;
}

inline std::string FullPath(const std::string& key) {
  return std::string(kCompanyKeyPath) + "\\" + key;
}

}  // namespace kinloom::platform::registry_detail
