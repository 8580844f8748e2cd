// The modern index pages: person links and entries, letter bars, surname lists, the top of
// the surname index pages and the main index page's body.
#include <string>

#include "site/modern_style.h"

namespace kinloom::site {

void ModernStyle::WritePersonLink(PageWriter& out, const PersonLink& link) {
  if (link.linked) {
    out.AppendHtml("<a href=\"");
    out.AppendHtml(link.target);
    out.AppendHtml("\">");
  }
  out.AppendHtml(link.name);
  if (link.linked) out.AppendHtml("</a>");
}

void ModernStyle::WritePersonEntry(PageWriter& out, const PersonEntry& entry) {
  WritePersonLink(out, entry.link);
}

void ModernStyle::WriteLetterBar(PageWriter&, const LetterBar&) {}
void ModernStyle::WriteSurnameListStart(PageWriter&, const SurnameList&) {}
void ModernStyle::WriteSurnameGroup(PageWriter&, const SurnameGroup&) {}
void ModernStyle::WriteSurnameListEnd(PageWriter&, const SurnameList&) {}
void ModernStyle::WriteSurnameIndexTop(PageWriter&, const SurnameIndexTop&) {}
void ModernStyle::WriteMainIndexBody(PageWriter&, const MainIndexPage&) {}

}  // namespace kinloom::site
