// The modern page frame: the HTML5 head with the viewport and the style sheet, the header
// with the page's heading and notices, the main landmark, and the footer.
#include <array>
#include <string>

#include "site/modern_search.h"
#include "site/modern_style.h"

namespace kinloom::site {
namespace {

// The language tags of the nine output languages, by language index.
constexpr std::array<std::string_view, settings::kLanguageCount> kLanguageTags = {
    "en", "fr", "de", "nl", "es", "da", "no", "it", "pt-BR"};

}  // namespace

const std::string_view kModernFrameRules = R"css(
body { margin: 0; font-family: system-ui, sans-serif; line-height: 1.5;
  background: var(--background); color: var(--text); }
a { color: var(--link); }
a:visited { color: var(--visited-link); }
header, main, footer { padding: 0 1rem; max-width: 60rem; margin: 0 auto; }
img { max-width: 100%; height: auto; }
)css";

std::string ModernAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

void ModernStyle::WritePageHead(PageWriter& out, const PageHead& head) {
  const int language = out.language().language;
  out.AppendHtml("<!DOCTYPE html>\n<html lang=\"");
  out.AppendHtml(kLanguageTags[static_cast<std::size_t>(
      language >= 0 && language < settings::kLanguageCount ? language : 0)]);
  out.AppendHtml("\">\n<head>\n<meta charset=\"utf-8\">\n"
                 "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
  out.AppendHtml("<title>");
  out.AppendHtml(head.title);
  out.AppendHtml("</title>\n<link rel=\"stylesheet\" href=\"");
  out.AppendHtml(kModernStyleSheetName);
  out.AppendHtml("\">\n</head>\n<body>\n<header>\n<h1>");
  out.AppendHtml(head.title);
  out.AppendHtml("</h1>\n");
  WriteSearchBox(out);
  out.AppendHtml("</header>\n<main>\n");
}

void ModernStyle::WriteRule(PageWriter&) {}

void ModernStyle::WriteAncestorNotice(PageWriter&, const AncestorNotice&) {}

void ModernStyle::WriteMainPageLink(PageWriter& out, const MainPageLink& link) {
  out.AppendHtml("<p><a href=\"");
  out.AppendHtml(link.target);
  out.AppendHtml("\">");
  out.AppendHtml(link.target);
  out.AppendHtml("</a></p>\n");
}

void ModernStyle::WritePageFoot(PageWriter& out, const PageFoot&) {
  out.AppendHtml("</main>\n<footer>\n</footer>\n</body>\n</html>\n");
}

void ModernStyle::AuthorPage(PageWriter&, const AuthorPageUnit&) {}

}  // namespace kinloom::site
