// kinloom.css: the user's colours as custom properties, then the rules of each part of the
// modern style.
#include <cstdio>
#include <string>

#include "site/modern_search.h"
#include "site/modern_style.h"

namespace kinloom::site {
namespace {

constexpr const char* kColourProperties[settings::kColourCount] = {
    "background", "text",    "link",    "visited-link", "spouses", "parents", "children",
    "level-1",    "level-2", "level-3", "level-4",      "level-5", "level-6"};

std::string HexColour(std::uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(value & 0xFFFFFF));
  return text;
}

}  // namespace

std::string ModernStyleSheet(const settings::Settings& settings) {
  std::string sheet = ":root {\n";
  for (int c = 0; c < settings::kColourCount; ++c) {
    sheet += "  --";
    sheet += kColourProperties[c];
    sheet += ": ";
    sheet += HexColour(settings.colours[static_cast<std::size_t>(c)]);
    sheet += ";\n";
  }
  sheet += "}\n";
  sheet += kModernFrameRules;
  sheet += kModernGroupRules;
  sheet += kModernChartRules;
  sheet += kModernSearchRules;
  return sheet;
}

}  // namespace kinloom::site
