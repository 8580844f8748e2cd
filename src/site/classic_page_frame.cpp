// The classic page frame: the head with its meta tags, the body tag, the heading and the
// notices; the rule; the link back to the main page; and the foot with the produced-by
// block, the GEDCOM source line and the copyright line.
#include <string>

#include "gedcom/encoding.h"
#include "lang/ui_text.h"
#include "run/product.h"
#include "site/classic_style.h"
#include "site/text_pieces.h"

namespace kinloom::site {
namespace {

constexpr int kLabelRedDot = 12361;
constexpr int kLabelDirectAncestors = 12362;
constexpr int kLabelProducedBy = 12390;
constexpr int kLabelPrivacy = 12404;
constexpr int kLabelIconLink = 12405;
constexpr int kLabelBackToMain = 12414;
constexpr int kLabelVersion = 12422;
constexpr int kLabelCopyright = 12486;

NumberText Colour(std::uint32_t value) { return NumberText::Hex(value, 6); }

// The program's version as "%1.2f" spells it, made once.
const std::string& VersionText() {
  static const std::string text = lang::FormatText("%1.2f", run::kProgramVersion);
  return text;
}

// A text the user typed, made safe inside a single-quoted attribute.
std::string AttributeText(std::string_view text) {
  std::string out;
  for (char c : EscapeHtml(text)) {
    if (c == '\'')
      out += "&#39;";
    else
      out += c;
  }
  return out;
}

}  // namespace

void ClassicStyle::WritePageHead(PageWriter& out, const PageHead& head) {
  out.AppendHtml("<html><head>");
  out.AppendHtml(gedcom::CharsetMetaTag(out.SiteEncoding()));
  if (head.refresh) {
    out.Append({"<meta http-equiv=\"Refresh\" content=\"",
                NumberText::UnsignedDecimal(head.refresh_seconds), "\">"});
  }
  if (head.meta_tags) {
    const std::string product = out.ProgramText(run::kProductString);
    out.Append({"<meta name='GENERATOR' content='", product, " Version ", VersionText(), "'>"});
    out.Append({"<meta name='Author' content='", run::kAuthorName, "'>"});
    out.Append({"<meta name='CONTACT INFO' content='", run::kContactAddress, "'>"});
    out.Append({"<meta name='Website Address' content='", run::kHomePage, "'>"});
    out.AppendHtml("<meta name='Description' content='Program to export GEDCOM file to HTML'>");
    out.Append({"<meta name='KeyWords' content='GEDCOM to HTML, Software, Genealogy, Family Tree, ",
                product, ", ", run::kAuthorName, "'>"});
    // The custom meta tags stand between these two pieces; a full table leaves out the
    // second piece.
    out.AppendHtml("\n\n");
    for (const MetaTag& tag : head.custom_meta_tags)
      out.AppendHtml("<meta name='" + AttributeText(tag.name) + "' content='" +
                     AttributeText(tag.content) + "'>\n");
    if (!head.meta_table_full) out.AppendHtml("\n\n");
  }
  out.Append({"<title>", head.title, "</title>"});
  out.AppendHtml("</head>");
  out.AppendHtml("<body");
  if (head.custom_colours) {
    if (head.background_colour) out.Append({" BGCOLOR='", Colour(head.background), "'"});
    out.Append({" TEXT='", Colour(head.text), "' LINK='", Colour(head.link), "' VLINK='",
                Colour(head.visited_link), "'"});
  }
  for (const std::string& image : head.background_images)
    out.Append({" bgproperties=\"fixed\" background=\"", image, "\""});
  out.AppendHtml(">");
  out.Append({"<center><h2>", head.title, "</h2></center>"});

  if (head.ancestor_notice) WriteAncestorNotice(out, head.ancestor);
  if (head.privacy_notice) {
    if (!head.ancestor_notice) out.AppendHtml("<center><small>");
    out.Append({out.labels().Get(kLabelPrivacy), ".</small></center>"});
  }
  WriteRule(out);
}

void ClassicStyle::WriteRule(PageWriter& out) { out.AppendHtml("<hr size=4 width='80%'>"); }

void ClassicStyle::WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) {
  const lang::LabelSet& labels = out.labels();
  out.Append({"<center><small>", labels.Get(kLabelRedDot), " "});
  out.AppendHtml("<img src=\"q5.gif\" border=0 >");
  out.Append({" ", labels.Get(kLabelDirectAncestors)});
  if (notice.ancestor_known) {
    if (notice.linked) out.Append({"<a href=\"", notice.target, "\">"});
    if (!notice.given_names.empty()) out.Append({notice.given_names, " "});
    if (!notice.surname.empty()) out.AppendHtml(notice.surname);
    if (!notice.title.empty()) out.AppendHtml(notice.title);
    if (notice.linked) out.AppendHtml("</a>");
  }
  out.AppendHtml(notice.privacy_follows ? "<br>" : "</small></center>");
}

void ClassicStyle::WriteMainPageLink(PageWriter& out, const MainPageLink& link) {
  out.Append({"<center><h3><a href=\"", link.target, "\">", out.labels().Get(kLabelBackToMain),
              "</a></h3></center>"});
}

void ClassicStyle::WritePageFoot(PageWriter& out, const PageFoot& foot) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<P>");
  WriteRule(out);
  out.Append({"<center><p><i>", labels.Get(kLabelProducedBy)});
  const std::string product = out.ProgramText(run::kProductString);
  out.Append({"<a href= ", run::kHomePage, "><img src=\"q1.gif\" alt=\"", product, " ",
              labels.Get(kLabelIconLink), "\" BORDER=\"0\"></a>"});
  out.AppendHtml("<a href=");
  out.Append({foot.author_page, ">", product, "  </a>", labels.Get(kLabelVersion), " ",
              VersionText(), " "});
  out.AppendHtml("</i>.</p></center>");
  if (foot.back_link) WriteMainPageLink(out, foot.main_page);
  if (foot.source_line)
    out.Append({"<center>", foot.source_name, " ", foot.date_stamp, "</center>"});
  if (foot.copyright) {
    out.AppendHtml(lang::FormatText("<center><i>%s %04d %s </i></center><p>",
                                    labels.Get(kLabelCopyright).c_str(), foot.copyright_year,
                                    foot.owner.c_str()));
  }
  out.AppendHtml("</body></html>");
}

}  // namespace kinloom::site
