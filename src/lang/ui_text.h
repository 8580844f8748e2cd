// User-interface texts: string n of the 2000 block, or n + 1000 (the French block) when
// "Lables In French" is 1. Messages with placeholders are filled with FormatText.
#pragma once

#include <string>

#include "settings/settings.h"

namespace kinloom::lang {

std::string LoadUiText(int n, const settings::Settings& settings);

// printf-style formatting into a std::string of any length.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kinloom::lang
