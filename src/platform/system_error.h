// The system's own description of an error code, and the warning box that shows a
// message of the program followed by that description.
#pragma once

#include <string>

#include "platform/ui.h"

namespace kinloom::platform {

// The operating system's text for an error code (strerror), in Windows-1252; empty when
// the system has none.
std::string SystemErrorText(int code);

// The text ReportSystemError shows: "%s\n  Error = %s" when the system describes the
// code, otherwise "%s\n  Error Code = %d".
std::string FormatSystemError(const std::string& message, int code);

// A warning box without caption showing FormatSystemError(message, code).
void ReportSystemError(UserInterface& ui, const std::string& message, int code);

}  // namespace kinloom::platform
