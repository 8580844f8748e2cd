// What the option dialogs share: the colour conversion at the colour picker's boundary and
// the display names of the nine languages.
#pragma once

#include <wx/colour.h>

#include <cstdint>

#include "settings/settings.h"

namespace kinloom::app {

inline wxColour ToToolkitColour(std::uint32_t rrggbb) {
  return wxColour((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

inline std::uint32_t FromToolkitColour(const wxColour& colour) {
  return (static_cast<std::uint32_t>(colour.Red()) << 16) |
         (static_cast<std::uint32_t>(colour.Green()) << 8) | colour.Blue();
}

// The display-name texts of the nine languages, in language order.
inline constexpr int kLanguageTexts[settings::kLanguageCount] = {2445, 2446, 2604, 2601, 2602,
                                                                 2621, 2624, 2631, 2634};
inline constexpr int kBetaItalian = 7;
inline constexpr int kBetaPortuguese = 8;

}  // namespace kinloom::app
