// The modern page frame: the HTML5 head with the viewport and the style sheet, the header
// with the page's heading and notices, the main landmark, and the footer.
#include <array>
#include <string>

#include "lang/ui_text.h"
#include "run/product.h"
#include "site/images.h"
#include "site/modern_search.h"
#include "site/modern_style.h"

namespace kinloom::site {
namespace {

// The language tags of the nine output languages, by language index.
constexpr std::array<std::string_view, settings::kLanguageCount> kLanguageTags = {
    "en", "fr", "de", "nl", "es", "da", "no", "it", "pt-BR"};

constexpr int kLabelRedDot = 12361;
constexpr int kLabelDirectAncestors = 12362;
constexpr int kLabelProducedBy = 12390;
constexpr int kLabelPrivacy = 12404;
constexpr int kLabelIconLink = 12405;
constexpr int kLabelBackToMain = 12414;
constexpr int kLabelVersion = 12422;
constexpr int kLabelCopyright = 12486;

// The program's own background picture: the modern pages show the style sheet's background
// colour in its place.
constexpr int kDefaultBackgroundImage = 152;

// The program's mark in the produced-by line, a small drawn tree, named by the link text.
constexpr std::string_view kProgramMark =
    "<svg class=\"program-mark\" viewBox=\"0 0 16 16\" width=\"16\" height=\"16\" "
    "aria-hidden=\"true\" focusable=\"false\"><circle cx=\"8\" cy=\"3\" r=\"2.5\"/>"
    "<circle cx=\"3\" cy=\"13\" r=\"2.5\"/><circle cx=\"13\" cy=\"13\" r=\"2.5\"/>"
    "<path d=\"M8 5v4M3 11V9h10v2\" fill=\"none\" stroke=\"currentColor\" "
    "stroke-width=\"1.5\"/></svg>";

const std::string& VersionText() {
  static const std::string text = lang::FormatText("%1.2f", run::kProgramVersion);
  return text;
}

std::string FourDigits(int value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

// A file name inside a quoted CSS url(): the quote, the backslash, the angle brackets and
// the control characters as CSS escapes, so the text can neither end the string nor the
// style element.
std::string CssUrlText(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\' || c == '<' || c == '>' ||
        c == '\'') {
      out += '\\';
      if (byte >= 0x10) out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

void WriteMeta(PageWriter& out, std::string_view name, std::string_view content) {
  out.AppendHtml("<meta name=\"");
  out.AppendHtml(name);
  out.AppendHtml("\" content=\"");
  out.AppendHtml(content);
  out.AppendHtml("\">\n");
}

// The program's own tags as the classic head writes them: the output folder's clean-up
// knows the pages of an earlier run by the start of the generator tag.
void WriteProgramMetaTags(PageWriter& out, const PageStyle::PageHead& head) {
  const std::string product = ModernAttribute(out.ProgramText(run::kProductString));
  const std::string author = ModernAttribute(run::kAuthorName);
  out.AppendHtml("<meta name='GENERATOR' content='");
  out.AppendHtml(product);
  out.AppendHtml(" Version ");
  out.AppendHtml(VersionText());
  out.AppendHtml("'>\n<meta name='Author' content='");
  out.AppendHtml(author);
  out.AppendHtml("'>\n<meta name='CONTACT INFO' content='");
  out.AppendHtml(ModernAttribute(run::kContactAddress));
  out.AppendHtml("'>\n<meta name='Website Address' content='");
  out.AppendHtml(ModernAttribute(run::kHomePage));
  out.AppendHtml("'>\n<meta name='Description' content='Program to export GEDCOM file to HTML'>\n"
                 "<meta name='KeyWords' content='GEDCOM to HTML, Software, Genealogy, Family "
                 "Tree, ");
  out.AppendHtml(product);
  out.AppendHtml(", ");
  out.AppendHtml(author);
  out.AppendHtml("'>\n");
  for (const PageStyle::MetaTag& tag : head.custom_meta_tags)
    WriteMeta(out, ModernAttribute(tag.name), ModernAttribute(tag.content));
}

void WriteBackgroundImages(PageWriter& out, const std::vector<std::string>& images) {
  const std::string_view program_background = ImageFileName(kDefaultBackgroundImage);
  bool first = true;
  for (const std::string& image : images) {
    if (image == program_background) continue;
    out.AppendHtml(first ? "<style>body { background-image: url(\"" : ", url(\"");
    out.AppendHtml(CssUrlText(image));
    out.AppendHtml("\")");
    first = false;
  }
  if (!first) out.AppendHtml("; background-attachment: fixed; }</style>\n");
}

// The red dot of the ancestor notice, which says in words what it marks. (An entity: page
// text may be Windows-1252 until it is written.)
void WriteNoticeRedDot(PageWriter& out) {
  out.AppendHtml("<span class=\"red-dot\" aria-hidden=\"true\">&#9679;</span>");
}

}  // namespace

const std::string_view kModernFrameRules = R"css(
*, *::before, *::after { box-sizing: border-box; }
body { margin: 0; font-family: system-ui, sans-serif; line-height: 1.5;
  background-color: var(--background); color: var(--text); overflow-wrap: anywhere; }
a { color: var(--link); }
a:visited { color: var(--visited-link); }
header, main, footer { padding: 0 1rem; max-width: 60rem; margin: 0 auto; }
header { text-align: center; border-bottom: 3px solid var(--rule); padding-bottom: .5rem; }
header h1 { font-size: 1.6rem; margin: 1rem 0 .5rem; }
.notice { font-size: .9rem; margin: .25rem 0; text-align: center; }
hr { border: 0; border-top: 3px solid var(--rule); margin: 1.5rem auto; width: 80%; }
img { max-width: 100%; height: auto; }
.red-dot { color: var(--red-dot); font-size: .8em; padding-right: .15em; }
nav.back-to-main { text-align: center; font-weight: bold; margin: 1rem 0; }
footer { text-align: center; border-top: 3px solid var(--rule); margin-top: 2rem;
  padding-bottom: 1rem; font-size: .9rem; }
footer p { margin: .5rem 0; }
.program-mark { vertical-align: middle; fill: currentColor; margin: 0 .25em; }
.gedcom-id { font-size: .8em; }
.icon-link { text-decoration: none; padding: 0 .2em; }
nav.letters ul { list-style: none; padding: 0; margin: .5rem 0; display: flex; flex-wrap: wrap;
  justify-content: center; gap: .25rem; }
nav.letters li { min-width: 1.9rem; text-align: center; }
nav.letters a, nav.letters span { display: inline-block; padding: .2rem .35rem; }
nav.letters span { opacity: .75; }
.index-kind { text-align: center; }
.index-kind h2, .owner h2, .custom-links h2 { font-size: 1.2rem; margin-bottom: .25rem; }
.surname-list-link { font-weight: bold; }
.site-facts, .languages, .gedcom-file { text-align: center; }
.site-facts ul { list-style: none; padding: 0; margin: 0; }
.surname-list section { margin: 1rem 0; }
.surname-list h2 { font-size: 1.2rem; margin: 0 0 .25rem; border-bottom: 1px solid var(--rule); }
.surname-list ul { list-style: none; padding: 0; margin: 0; display: flex; flex-wrap: wrap;
  gap: .15rem 1.25rem; }
ul.people { list-style: none; padding: 0; }
ul.people li { margin: .15rem 0; padding-left: 1.5rem; text-indent: -1.5rem; }
.custom-links, .owner { max-width: 40rem; margin: 1rem auto; }
.owner { text-align: center; }
.owner dl { display: grid; grid-template-columns: auto 1fr; gap: .25rem 1rem; text-align: left; }
.owner dt { font-style: italic; }
.owner dd { margin: 0; }
.spouses { color: var(--spouses); }
.parents { color: var(--parents); }
.children { color: var(--children); }
)css";

std::string ModernAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    // Runs without a character to escape, most of any label or name, are copied whole.
    std::size_t run = i;
    while (run < text.size() && text[run] != '&' && text[run] != '<' && text[run] != '>' &&
           text[run] != '"' && text[run] != '\'')
      ++run;
    out.append(text.data() + i, run - i);
    if (run == text.size()) break;
    switch (text[run]) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += "&#39;"; break;
    }
    i = run + 1;
  }
  return out;
}

void ModernStyle::WritePageHead(PageWriter& out, const PageHead& head) {
  page_ids_.clear();
  people_open_ = surname_group_open_ = false;
  const int language = out.language().language;
  out.AppendHtml("<!DOCTYPE html>\n<html lang=\"");
  out.AppendHtml(kLanguageTags[static_cast<std::size_t>(
      language >= 0 && language < settings::kLanguageCount ? language : 0)]);
  out.AppendHtml("\">\n<head>\n<meta charset=\"utf-8\">\n"
                 "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
  if (head.refresh) {
    out.AppendHtml("<meta http-equiv=\"refresh\" content=\"");
    out.AppendHtml(std::to_string(head.refresh_seconds));
    out.AppendHtml("\">\n");
  }
  if (head.meta_tags) WriteProgramMetaTags(out, head);
  out.AppendHtml("<title>");
  out.AppendHtml(head.title);
  out.AppendHtml("</title>\n<link rel=\"stylesheet\" href=\"");
  out.AppendHtml(kModernStyleSheetName);
  out.AppendHtml("\">\n");
  WriteBackgroundImages(out, head.background_images);
  out.AppendHtml("</head>\n<body>\n<header>\n<h1>");
  out.AppendHtml(head.title);
  out.AppendHtml("</h1>\n");
  if (head.ancestor_notice) WriteAncestorNotice(out, head.ancestor);
  if (head.privacy_notice) {
    out.AppendHtml("<p class=\"notice privacy\"><small>");
    out.AppendHtml(out.labels().Get(kLabelPrivacy));
    out.AppendHtml(".</small></p>\n");
  }
  WriteSearchBox(out);
  out.AppendHtml("</header>\n<main>\n");
}

void ModernStyle::WriteRule(PageWriter& out) { out.AppendHtml("<hr>\n"); }

// The notice is a paragraph of its own; the privacy notice that may follow it is another.
void ModernStyle::WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<p class=\"notice ancestors\"><small>");
  out.AppendHtml(labels.Get(kLabelRedDot));
  out.AppendHtml(" ");
  WriteNoticeRedDot(out);
  out.AppendHtml(" ");
  out.AppendHtml(labels.Get(kLabelDirectAncestors));
  if (notice.ancestor_known) {
    out.AppendHtml(" ");
    if (notice.linked) {
      out.AppendHtml("<a href=\"");
      out.AppendHtml(notice.target);
      out.AppendHtml("\">");
    }
    if (!notice.given_names.empty()) {
      out.AppendHtml(notice.given_names);
      out.AppendHtml(" ");
    }
    out.AppendHtml(notice.surname);
    out.AppendHtml(notice.title);
    if (notice.linked) out.AppendHtml("</a>");
  }
  out.AppendHtml("</small></p>\n");
}

void ModernStyle::WriteMainPageLink(PageWriter& out, const MainPageLink& link) {
  const std::string& text = out.labels().Get(kLabelBackToMain);
  out.AppendHtml("<nav class=\"back-to-main\" aria-label=\"");
  out.AppendHtml(ModernAttribute(text));
  out.AppendHtml("\"><a href=\"");
  out.AppendHtml(link.target);
  out.AppendHtml("\">");
  out.AppendHtml(text);
  out.AppendHtml("</a></nav>\n");
}

void ModernStyle::WritePageFoot(PageWriter& out, const PageFoot& foot) {
  CloseIndexLists(out);
  const lang::LabelSet& labels = out.labels();
  const std::string product = out.ProgramText(run::kProductString);
  out.AppendHtml("</main>\n<footer>\n<p class=\"produced-by\"><i>");
  out.AppendHtml(labels.Get(kLabelProducedBy));
  out.AppendHtml("<a class=\"icon-link\" href=\"");
  out.AppendHtml(run::kHomePage);
  out.AppendHtml("\" aria-label=\"");
  out.AppendHtml(ModernAttribute(product));
  out.AppendHtml(" ");
  out.AppendHtml(ModernAttribute(labels.Get(kLabelIconLink)));
  out.AppendHtml("\">");
  out.AppendHtml(kProgramMark);
  out.AppendHtml("</a><a href=\"");
  out.AppendHtml(foot.author_page);
  out.AppendHtml("\">");
  out.AppendHtml(product);
  out.AppendHtml("</a> ");
  out.AppendHtml(labels.Get(kLabelVersion));
  out.AppendHtml(" ");
  out.AppendHtml(VersionText());
  out.AppendHtml("</i>.</p>\n");
  if (foot.back_link) WriteMainPageLink(out, foot.main_page);
  if (foot.source_line) {
    out.AppendHtml("<p class=\"source\">");
    out.AppendHtml(foot.source_name);
    out.AppendHtml(" ");
    out.AppendHtml(foot.date_stamp);
    out.AppendHtml("</p>\n");
  }
  if (foot.copyright) {
    out.AppendHtml("<p class=\"copyright\"><i>");
    out.AppendHtml(labels.Get(kLabelCopyright));
    out.AppendHtml(" ");
    out.AppendHtml(FourDigits(foot.copyright_year));
    out.AppendHtml(" ");
    out.AppendHtml(foot.owner);
    out.AppendHtml("</i></p>\n");
  }
  out.AppendHtml("</footer>\n</body>\n</html>\n");
}

}  // namespace kinloom::site
