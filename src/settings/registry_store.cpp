#include "settings/registry_store.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

#include "lang/product.h"
#include "lang/ui_text.h"

namespace kinloom::settings {
namespace {

std::string UpToNul(const std::string& data) {
  std::size_t nul = data.find('\0');
  return nul == std::string::npos ? data : data.substr(0, nul);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int LeadingInteger(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

double LeadingReal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && IsDigit(text[e])) {
      while (e < text.size() && IsDigit(text[e])) ++e;
      i = e;
    }
  }
  std::string number = text.substr(start, i - start);
  bool negative = false;
  if (number[0] == '+' || number[0] == '-') {
    negative = number[0] == '-';
    number.erase(0, 1);
  }
  double value = 0.0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) value = HUGE_VAL;
  return negative ? -value : value;
}

std::string FormatReal(double value) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  if (result.ec != std::errc()) return "0.000000";
  return std::string(buffer, result.ptr);
}

RegistryStore::RegistryStore(platform::Registry& registry, platform::UserInterface& ui,
                             std::string application_key)
    : registry_(registry),
      ui_(ui),
      application_key_(std::move(application_key)),
      current_key_(application_key_) {}

int RegistryStore::Query(const std::string& name, platform::RegValue* value) {
  if (registry_.OpenKey(current_key_) != 0) return kKeyNotOpened;
  return registry_.QueryValue(current_key_, name, value);
}

int RegistryStore::Write(const std::string& name, const platform::RegValue& value) {
  if (registry_.OpenKey(current_key_) != 0) return kKeyNotOpened;
  return registry_.SetValue(current_key_, name, value);
}

std::string RegistryStore::ReadText(const std::string& name, int* status) {
  platform::RegValue value;
  int s = Query(name, &value);
  if (status != nullptr) *status = s;
  if (s == kKeyNotOpened) return "-1";
  if (s != 0) return "";
  std::string text = UpToNul(value.data);
  if (text.size() > kMaxTextRead) text.resize(kMaxTextRead);
  return text;
}

int RegistryStore::ReadIntText(const std::string& name, int* status) {
  platform::RegValue value;
  int s = Query(name, &value);
  if (status != nullptr) *status = s;
  if (s != 0) return 0;
  return LeadingInteger(UpToNul(value.data));
}

std::uint32_t RegistryStore::ReadDword(const std::string& name, int* status) {
  platform::RegValue value;
  int s = Query(name, &value);
  if (s == 0 && value.data.size() != 4) s = 13;  // the data is not a dword
  if (status != nullptr) *status = s;
  if (s != 0) return 0xFFFFFFFFu;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(value.data[i]);
  return v;
}

double RegistryStore::ReadReal(const std::string& name, int* status) {
  platform::RegValue value;
  int s = Query(name, &value);
  if (status != nullptr) *status = s;
  if (s != 0) return 0.0;
  return LeadingReal(UpToNul(value.data));
}

int RegistryStore::WriteText(const std::string& name, const std::string& text) {
  return Write(name, {platform::kRegSz, text});
}

int RegistryStore::WriteIntText(const std::string& name, int value) {
  return Write(name, {platform::kRegBinary, std::to_string(value)});
}

int RegistryStore::WriteDword(const std::string& name, std::uint32_t value) {
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((value >> (8 * i)) & 0xff);
  return Write(name, {platform::kRegDword, data});
}

int RegistryStore::WriteReal(const std::string& name, double value) {
  return WriteText(name, FormatReal(value));
}

int RegistryStore::DeleteValue(const std::string& name) {
  if (registry_.OpenKey(current_key_) != 0) return kKeyNotOpened;
  int s = registry_.DeleteValue(current_key_, name);
  return s == platform::kErrorNotFound ? 0 : s;
}

bool RegistryStore::CheckSaved(int status) {
  if (status == 0) return true;
  ui_.ShowMessage(lang::FormatText("Error occurred saving one or more of your settings.  \n"
                                   "Your settings may not be restored next time you run %s.  "
                                   "\n\nError Code = %d",
                                   lang::kProductString, status),
                  application_key_, platform::MessageIcon::kError, platform::MessageButtons::kOk);
  return false;
}

}  // namespace kinloom::settings
