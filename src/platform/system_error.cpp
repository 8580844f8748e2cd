#include "platform/system_error.h"

#include <cstring>

#include "platform/text_encoding.h"

namespace kinloom::platform {

std::string SystemErrorText(int code) {
  char buffer[256];
  buffer[0] = '\0';
  // GNU strerror_r returns the text, which may or may not live in the buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  if (text == nullptr || *text == '\0') return {};
  std::string result(text);
  if (result.rfind("Unknown error", 0) == 0) return {};
  return Utf8ToCp1252(result);
}

std::string FormatSystemError(const std::string& message, int code) {
  std::string description = SystemErrorText(code);
  if (!description.empty()) return message + "\n  Error = " + description;
  return message + "\n  Error Code = " + std::to_string(code);
}

void ReportSystemError(UserInterface& ui, const std::string& message, int code) {
  ui.ShowMessage(FormatSystemError(message, code), "", MessageIcon::kWarning,
                 MessageButtons::kOk);
}

}  // namespace kinloom::platform
