// The REGEDIT4 text of the registry file: parsing it into keys and values, and formatting
// them back.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_names.h"

namespace kinloom::platform {
namespace {

using namespace registry_detail;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.pop_back();
  return s;
}

std::size_t SkipBlanks(const std::string& s, std::size_t i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return i;
}

// Reads a quoted text starting at s[i] == '"'; leaves i after the closing quote.
bool ParseQuoted(const std::string& s, std::size_t* i, std::string* out, std::string* what) {
  out->clear();
  std::size_t p = *i + 1;
  while (p < s.size()) {
    char c = s[p];
    if (c == '"') {
      *i = p + 1;
      return true;
    }
    if (c == '\\') {
      if (p + 1 >= s.size() || (s[p + 1] != '\\' && s[p + 1] != '"')) {
        *what = "unknown escape in a quoted text";
        return false;
      }
      out->push_back(s[p + 1]);
      p += 2;
      continue;
    }
    out->push_back(c);
    ++p;
  }
  *what = "quoted text not closed";
  return false;
}

void AppendQuoted(const std::string& text, std::string* out) {
  out->push_back('"');
  for (char c : text) {
    if (c == '\\' || c == '"') out->push_back('\\');
    out->push_back(c);
  }
  out->push_back('"');
}

void AppendHex(const std::string& bytes, std::string* out) {
  static const char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) out->push_back(',');
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    out->push_back(kDigits[b >> 4]);
    out->push_back(kDigits[b & 15]);
  }
}

void AppendValue(const std::string& name, const RegValue& value, std::string* out) {
  if (name.empty()) {
    out->push_back('@');
  } else {
    AppendQuoted(name, out);
  }
  out->push_back('=');
  if (value.type == kRegSz && !HasControl(value.data)) {
    AppendQuoted(value.data, out);
  } else if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(value.data[i]);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", v);
    out->append(buffer);
  } else {
    if (value.type == kRegBinary) {
      out->append("hex:");
    } else {
      char buffer[24];
      std::snprintf(buffer, sizeof buffer, "hex(%x):", value.type);
      out->append(buffer);
    }
    AppendHex(value.data, out);
  }
  out->append("\r\n");
}

// Parses the data after "=" of one value line (continuation lines already joined).
bool ParseData(const std::string& s, std::size_t i, RegValue* value, std::string* what) {
  if (i < s.size() && s[i] == '"') {
    value->type = kRegSz;
    if (!ParseQuoted(s, &i, &value->data, what)) return false;
    if (SkipBlanks(s, i) != s.size()) {
      *what = "unexpected text after a quoted value";
      return false;
    }
    return true;
  }
  if (s.compare(i, 6, "dword:") == 0) {
    std::string digits = s.substr(i + 6);
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.pop_back();
    if (digits.empty() || digits.size() > 8) {
      *what = "a dword needs 1 to 8 hexadecimal digits";
      return false;
    }
    std::uint32_t v = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) {
        *what = "a dword needs 1 to 8 hexadecimal digits";
        return false;
      }
      v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    value->type = kRegDword;
    value->data.assign(4, '\0');
    for (int b = 0; b < 4; ++b) value->data[b] = static_cast<char>((v >> (8 * b)) & 0xff);
    return true;
  }
  if (s.compare(i, 3, "hex") != 0) {
    *what = "unknown value data";
    return false;
  }
  i += 3;
  value->type = kRegBinary;
  if (i < s.size() && s[i] == '(') {
    std::size_t close = s.find(')', i);
    if (close == std::string::npos || close == i + 1 || close - i > 9) {
      *what = "bad hex type";
      return false;
    }
    std::uint32_t type = 0;
    for (std::size_t p = i + 1; p < close; ++p) {
      int d = HexDigit(s[p]);
      if (d < 0) {
        *what = "bad hex type";
        return false;
      }
      type = (type << 4) | static_cast<std::uint32_t>(d);
    }
    value->type = type;
    i = close + 1;
  }
  if (i >= s.size() || s[i] != ':') {
    *what = "expected ':' after hex";
    return false;
  }
  ++i;
  value->data.clear();
  for (;;) {
    i = SkipBlanks(s, i);
    if (i >= s.size()) break;
    if (i + 1 >= s.size() || HexDigit(s[i]) < 0 || HexDigit(s[i + 1]) < 0) {
      *what = "bad byte in a hex list";
      return false;
    }
    value->data.push_back(static_cast<char>(HexDigit(s[i]) * 16 + HexDigit(s[i + 1])));
    i = SkipBlanks(s, i + 2);
    if (i >= s.size()) break;
    if (s[i] != ',') {
      *what = "expected ',' in a hex list";
      return false;
    }
    ++i;
  }
  return true;
}

}  // namespace

bool ParseRegistryFile(const std::string& text, std::vector<RegistryFileKey>* keys, int* line,
                       std::string* what) {
  keys->clear();
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  bool header = false;
  // The values of the key being read, by folded name: a name given twice keeps its last value.
  std::unordered_map<std::string, std::size_t> value_at;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    *line = static_cast<int>(n) + 1;
    std::string s = TrimRight(lines[n]);
    std::size_t i = SkipBlanks(s, 0);
    if (i == s.size()) continue;
    if (!header) {
      if (s.substr(i) != "REGEDIT4") {
        *what = "the file does not start with REGEDIT4";
        return false;
      }
      header = true;
      continue;
    }
    if (s[i] == ';') continue;
    if (s[i] == '[') {
      if (s.back() != ']' || s.size() - i < 3) {
        *what = "bad key line";
        return false;
      }
      keys->push_back({s.substr(i + 1, s.size() - i - 2), {}});
      value_at.clear();
      continue;
    }
    if (s[i] != '"' && s[i] != '@') {
      *what = "expected a key or a value";
      return false;
    }
    if (keys->empty()) {
      *what = "a value before the first key";
      return false;
    }
    std::string name;
    if (s[i] == '@') {
      ++i;
    } else if (!ParseQuoted(s, &i, &name, what)) {
      return false;
    }
    i = SkipBlanks(s, i);
    if (i >= s.size() || s[i] != '=') {
      *what = "expected '=' after the value name";
      return false;
    }
    i = SkipBlanks(s, i + 1);
    // A hex list may go on over lines that end in "\".
    if (s.compare(i, 3, "hex") == 0) {
      while (!s.empty() && s.back() == '\\' && n + 1 < lines.size()) {
        s.pop_back();
        s += TrimRight(lines[++n]);
      }
    }
    RegValue value;
    if (!ParseData(s, i, &value, what)) return false;
    auto& values = keys->back().values;
    const auto [at, added] = value_at.try_emplace(Fold(name), values.size());
    if (added) {
      values.emplace_back(std::move(name), std::move(value));
    } else {
      values[at->second].second = std::move(value);
    }
  }
  if (!header) {
    *line = 1;
    *what = "the file does not start with REGEDIT4";
    return false;
  }
  return true;
}

std::string FormatRegistryFile(const std::vector<RegistryFileKey>& keys) {
  std::string out = "REGEDIT4\r\n";
  for (const RegistryFileKey& key : keys) {
    out += "\r\n[" + key.path + "]\r\n";
    for (const auto& [name, value] : key.values) AppendValue(name, value, &out);
  }
  out += "\r\n";
  return out;
}

}  // namespace kinloom::platform
