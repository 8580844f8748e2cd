// The production date stamps: the moment of a conversion written once per output language
// (English "12.07.2026 at 01:23:45 GMT "), always in UTC. Every stamp ends with one blank.
#pragma once

#include <array>
#include <ctime>
#include <functional>
#include <string>

namespace kinloom::lang {

inline constexpr int kDateStampLanguages = 9;
using DateStamps = std::array<std::string, kDateStampLanguages>;

// The strftime format of each language's stamp, by language index (Windows-1252).
extern const char* const kDateStampFormats[kDateStampLanguages];

// Reads `clock` once (the system clock when empty) and formats that moment in UTC for
// every language. A stamp that would not fit in 127 characters is left empty.
DateStamps MakeDateStamps(const std::function<std::time_t()>& clock = {});

// The stamps of one given moment.
DateStamps MakeDateStampsAt(std::time_t moment);

}  // namespace kinloom::lang
