// printf-style formatting into a std::string of any length: how the program fills the
// placeholders of its messages.
#pragma once

#include <string>

namespace kinloom::platform {

// The text `format` gives with the arguments, however long it is; empty when the format
// cannot be applied.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kinloom::platform
