// kinloom.css: the user's colours as custom properties, then the rules of each part of the
// modern style, the dark scheme and the print sheet.
//
// With "Use Custom Colors" on, the four page colours are the user's, in every scheme. Off,
// the pages take a palette of their own, light or dark as the reader's system prefers. The
// family and level colours are the user's hues in both cases; in the program's palette they
// are drawn toward the text colour far enough to stay readable on its background. With the
// colours suppressed ("No Colors" or "Minimize Abosoute") the level colours are the text
// colour, as the classic pages then write no colour for them; names written as links keep
// their family colour there too.
#include <string>

#include "site/modern_search.h"
#include "site/modern_style.h"

namespace kinloom::site {
namespace {

constexpr const char* kColourProperties[settings::kColourCount] = {
    "background", "text",    "link",    "visited-link", "spouses", "parents", "children",
    "level-1",    "level-2", "level-3", "level-4",      "level-5", "level-6"};

// The program's palette, light and dark.
constexpr std::string_view kLightPalette =
    "  --background: #ffffff;\n  --text: #1b1b1b;\n  --link: #0645ad;\n"
    "  --visited-link: #6b2c91;\n";
constexpr std::string_view kDarkPalette =
    "  --background: #15191d;\n  --text: #e8e6e3;\n  --link: #8ab4f8;\n"
    "  --visited-link: #d7a8ff;\n";

// The colours the frame adds: the rules between parts and the red dot of the ancestors.
constexpr std::string_view kLightFrameColours = "  --rule: #8a8a8a;\n  --red-dot: #c00000;\n";
constexpr std::string_view kDarkFrameColours = "  --rule: #6a6f75;\n  --red-dot: #ff6b6b;\n";

constexpr std::string_view kPrintRules = R"css(
@media print {
  :root { --background: #ffffff; --text: #000000; --link: #000000; --visited-link: #000000; }
  body { background: none; }
  header nav, nav, footer .produced-by, footer nav, .icon-link { display: none; }
  header, main, footer { max-width: none; padding: 0; }
  a { text-decoration: none; }
  hr { break-after: auto; }
}
)css";

void AppendHex(std::string& sheet, std::uint32_t value) {
  static constexpr char kHex[] = "0123456789abcdef";
  sheet += '#';
  for (int shift = 20; shift >= 0; shift -= 4) sheet += kHex[(value >> shift) & 0xF];
}

void AppendProperty(std::string& sheet, std::string_view name, std::uint32_t value) {
  sheet += "  --";
  sheet += name;
  sheet += ": ";
  AppendHex(sheet, value);
  sheet += ";\n";
}

// The family and level colours: as set, or mixed with `toward` for the program's palette.
void AppendNamedColours(std::string& sheet, const settings::Settings& settings,
                        bool suppressed, std::string_view toward, int share) {
  for (int c = settings::kColourHusbandAndWife; c < settings::kColourCount; ++c) {
    const std::uint32_t value = settings.colours[static_cast<std::size_t>(c)] & 0xFFFFFF;
    if (suppressed && c >= settings::kColourLevel1) {
      sheet += "  --";
      sheet += kColourProperties[c];
      sheet += ": var(--text);\n";
    } else if (toward.empty()) {
      AppendProperty(sheet, kColourProperties[c], value);
    } else {
      sheet += "  --";
      sheet += kColourProperties[c];
      sheet += ": color-mix(in srgb, ";
      AppendHex(sheet, value);
      sheet += ' ';
      sheet += std::to_string(share);
      sheet += "%, ";
      sheet += toward;
      sheet += ");\n";
    }
  }
}

}  // namespace

std::string ModernStyleSheet(const settings::Settings& settings) {
  const bool custom = settings.use_custom_colors != 0;
  const bool suppressed = settings.minimize_absolute != 0 || settings.no_colors != 0;
  std::string sheet = ":root {\n";
  if (custom) {
    for (int c = 0; c <= settings::kColourVisitedLink; ++c)
      AppendProperty(sheet, kColourProperties[c], settings.colours[static_cast<std::size_t>(c)]);
    AppendNamedColours(sheet, settings, suppressed, "", 100);
  } else {
    sheet += "  color-scheme: light dark;\n";
    sheet += kLightPalette;
    AppendNamedColours(sheet, settings, suppressed, "#000000", 65);
  }
  sheet += kLightFrameColours;
  sheet += "}\n";
  if (!custom) {
    sheet += "@media (prefers-color-scheme: dark) {\n:root {\n";
    sheet += kDarkPalette;
    AppendNamedColours(sheet, settings, suppressed, "#ffffff", 45);
    sheet += kDarkFrameColours;
    sheet += "}\n}\n";
  }
  sheet += kModernFrameRules;
  sheet += kModernGroupRules;
  sheet += kModernChartRules;
  sheet += kModernSearchRules;
  sheet += kPrintRules;
  return sheet;
}

}  // namespace kinloom::site
