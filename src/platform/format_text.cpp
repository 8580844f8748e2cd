#include "platform/format_text.h"

#include <cstdarg>
#include <cstdio>

namespace kinloom::platform {

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  // Most texts are short: one pass into a local buffer, a second only for a longer text.
  char local[512];
  const int size = std::vsnprintf(local, sizeof local, format, copy);
  va_end(copy);
  std::string out;
  if (size > 0 && static_cast<std::size_t>(size) < sizeof local) {
    out.assign(local, static_cast<std::size_t>(size));
  } else if (size > 0) {
    out.resize(static_cast<std::size_t>(size));
    std::vsnprintf(out.data(), out.size() + 1, format, args);
  }
  va_end(args);
  return out;
}

}  // namespace kinloom::platform
