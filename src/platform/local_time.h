// The calendar fields of a moment in the local time zone. Unlike std::localtime, safe to call
// from several threads at once (the pages of several languages are written at the same time).
#pragma once

#include <ctime>

namespace kinloom::platform {

// The local calendar fields of `moment`; all fields zero when the system cannot convert it.
std::tm LocalTime(std::time_t moment);

}  // namespace kinloom::platform
