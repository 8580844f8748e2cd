// The classic person links: the link with its red dot, GEDCOM id and icons, and the entry
// of a surname index page with its dates and descendancy trees.
#include <string>

#include "lang/ui_text.h"
#include "site/classic_style.h"
#include "site/text_pieces.h"

namespace kinloom::site {
namespace {

constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;

constexpr const char* kRedDotImage = "q5.gif";
constexpr const char* kNotesIconImage = "q4.gif";
constexpr const char* kPedigreeIconImage = "q3.gif";

void WriteRedDot(PageWriter& out) {
  out.Append({"<img src=\"", kRedDotImage, "\" border=0 >"});
}

// Without a link of its own a name still carries the surname anchor that the list of
// surnames points to.
void WriteNameAnchorOnly(PageWriter& out, const std::string& anchor_name) {
  out.Append({"<a name=\"", anchor_name, "\"></a>"});
}

void WriteId(PageWriter& out, const std::string& id) {
  out.Append({"<small>{", EscapeHtml(id), "}</small> "});
}

void WriteIcon(PageWriter& out, const std::string& target, const char* image) {
  out.Append({" <a href=\"", target, "\"><IMG SRC=\"", image, "\" border=\"0\"></a>"});
}

}  // namespace

void ClassicStyle::WritePersonLink(PageWriter& out, const PersonLink& link) {
  if (link.linked) {
    if (link.name_anchor)
      out.Append({"<a name=\"", link.anchor_name, "\" href=\"", link.target, "\""});
    else
      out.Append({"<a href=\"", link.target, "\""});
    if (link.coloured)
      out.Append({" style=\"color: #", NumberText::Hex(link.colour, 6, true), "\""});
    out.AppendHtml(">");
  } else if (link.name_anchor) {
    WriteNameAnchorOnly(out, link.anchor_name);
  }
  if (link.red_dot) WriteRedDot(out);
  out.AppendHtml(link.name);
  if (link.linked) out.AppendHtml("</a>");
  if (link.show_id) WriteId(out, link.id);
  if (link.notes_icon) WriteIcon(out, link.notes_target, kNotesIconImage);
  if (link.pedigree_icon) WriteIcon(out, link.pedigree_target, kPedigreeIconImage);
  out.AppendHtml("<br>");
}

void ClassicStyle::WritePersonEntry(PageWriter& out, const PersonEntry& entry) {
  const lang::LabelSet& labels = out.labels();
  const PersonLink& link = entry.link;
  if (link.red_dot) WriteRedDot(out);
  if (link.linked) {
    if (link.name_anchor)
      out.Append({"<a name=\"", link.anchor_name, "\" href=\"", link.target, "\">"});
    else
      out.Append({"<a href=\"", link.target, "\">"});
  } else if (link.name_anchor) {
    WriteNameAnchorOnly(out, link.anchor_name);
  }
  out.AppendHtml(link.name);
  if (link.linked) out.AppendHtml("</a>");
  if (link.show_id) WriteId(out, link.id);

  const std::string& born = labels.Get(kLabelBorn);
  bool open = entry.birth != PersonEntry::Birth::kNone;
  if (entry.birth == PersonEntry::Birth::kWithheld)
    out.Append({"(", born, labels.Get(kLabelNotShown)});
  else if (entry.birth == PersonEntry::Birth::kDate)
    out.Append({"(", born, " ", entry.birth_date});
  if (entry.death) {
    out.AppendHtml(open ? " - " : "(");
    open = true;
    out.Append({labels.Get(kLabelDied), " ", entry.death_date});
  }
  if (open) out.AppendHtml(")");

  for (const ChartTree& tree : entry.trees) {
    out.Append({" , <a href=\"", tree.target, "\">"});
    out.AppendHtml(" (");
    out.AppendHtml(tree.first_surname);
    if (tree.couple) {
      out.AppendHtml("-");
      out.AppendHtml(tree.second_surname);
    }
    out.AppendHtml(") ");
    out.AppendHtml("</a> ");
  }
  out.AppendHtml("<br>");
}

}  // namespace kinloom::site
