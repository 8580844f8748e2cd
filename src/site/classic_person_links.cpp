// The classic person links: the link with its red dot, GEDCOM id and icons, and the entry
// of a surname index page with its dates and descendancy trees.
#include <string>

#include "lang/ui_text.h"
#include "site/classic_style.h"

namespace kinloom::site {
namespace {

using lang::FormatText;

constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;

constexpr const char* kRedDotImage = "q5.gif";
constexpr const char* kNotesIconImage = "q4.gif";
constexpr const char* kPedigreeIconImage = "q3.gif";

void WriteRedDot(PageWriter& out) {
  out.AppendHtml(FormatText("<img src=\"%s\" border=0 >", kRedDotImage));
}

// Without a link of its own a name still carries the surname anchor that the list of
// surnames points to.
void WriteNameAnchorOnly(PageWriter& out, const std::string& anchor_name) {
  out.AppendHtml(FormatText("<a name=\"%s\"></a>", anchor_name.c_str()));
}

void WriteId(PageWriter& out, const std::string& id) {
  out.AppendHtml(FormatText("<small>{%s}</small> ", EscapeHtml(id).c_str()));
}

void WriteIcon(PageWriter& out, const std::string& target, const char* image) {
  out.AppendHtml(
      FormatText(" <a href=\"%s\"><IMG SRC=\"%s\" border=\"0\"></a>", target.c_str(), image));
}

}  // namespace

void ClassicStyle::WritePersonLink(PageWriter& out, const PersonLink& link) {
  if (link.linked) {
    if (link.name_anchor)
      out.AppendHtml(
          FormatText("<a name=\"%s\" href=\"%s\"", link.anchor_name.c_str(), link.target.c_str()));
    else
      out.AppendHtml(FormatText("<a href=\"%s\"", link.target.c_str()));
    if (link.coloured)
      out.AppendHtml(FormatText(" style=\"color: #%06X\"", static_cast<unsigned>(link.colour)));
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
      out.AppendHtml(
          FormatText("<a name=\"%s\" href=\"%s\">", link.anchor_name.c_str(), link.target.c_str()));
    else
      out.AppendHtml(FormatText("<a href=\"%s\">", link.target.c_str()));
  } else if (link.name_anchor) {
    WriteNameAnchorOnly(out, link.anchor_name);
  }
  out.AppendHtml(link.name);
  if (link.linked) out.AppendHtml("</a>");
  if (link.show_id) WriteId(out, link.id);

  const std::string& born = labels.Get(kLabelBorn);
  bool open = entry.birth != PersonEntry::Birth::kNone;
  if (entry.birth == PersonEntry::Birth::kWithheld)
    out.AppendHtml("(" + born + labels.Get(kLabelNotShown));
  else if (entry.birth == PersonEntry::Birth::kDate)
    out.AppendHtml("(" + born + " " + entry.birth_date);
  if (entry.death) {
    out.AppendHtml(open ? " - " : "(");
    open = true;
    out.AppendHtml(labels.Get(kLabelDied) + " " + entry.death_date);
  }
  if (open) out.AppendHtml(")");

  for (const ChartTree& tree : entry.trees) {
    out.AppendHtml(FormatText(" , <a href=\"%s\">", tree.target.c_str()));
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
