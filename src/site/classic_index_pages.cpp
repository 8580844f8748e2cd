// The classic index pages: letter bars, lists of surnames, the top of the surname index
// pages and the body of the main index page.
#include <string>

#include "lang/ui_text.h"
#include "site/classic_style.h"

namespace kinloom::site {
namespace {

using lang::FormatText;

constexpr int kLabelContains = 12352;
constexpr int kLabelIndividuals = 12353;
constexpr int kLabelFamilies = 12354;
constexpr int kLabelSurnames = 12355;
constexpr int kLabelProducedOn = 12356;
constexpr int kLabelGedcomFile = 12358;  // a format: the file's URL and name
constexpr int kLabelFileSize = 12359;
constexpr int kLabelLines = 12360;
constexpr int kLabelListOfSurnames = 12363;
constexpr int kLabelOwner = 12365;
constexpr int kLabelName = 12366;
constexpr int kLabelAddress = 12367;
constexpr int kLabelEmail = 12368;
constexpr int kLabelHomePage = 12369;
constexpr int kLabelIndexFor = 12401;
constexpr int kLabelNone = 12402;
constexpr int kLabelOther = 12403;

constexpr const char* kTop = " target=\"_top\"";

void WriteLetter(PageWriter& out, const PageStyle::IndexLetter& letter) {
  if (letter.present)
    out.AppendHtml(
        FormatText(" <a href=\"%s\">%s</a>", letter.target.c_str(), letter.letter.c_str()));
  else
    out.AppendHtml(FormatText(" %s ", letter.letter.c_str()));
}

void WriteGedcomFile(PageWriter& out, const PageStyle::MainIndexPage& page) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml(FormatText(labels.Get(kLabelGedcomFile).c_str(), page.gedcom_url.c_str(),
                            page.gedcom_name.c_str()));
  const std::uint64_t size = page.gedcom_size;
  const char* size_label = labels.Get(kLabelFileSize).c_str();
  const char* lines_label = labels.Get(kLabelLines).c_str();
  const int lines = page.gedcom_lines;
  // A kilobyte is 1000 bytes, a megabyte 1000000; the factors are single-precision values.
  if (size < 10000)
    out.AppendHtml(FormatText("<center>%s = %d bytes, %s = %d</center>", size_label,
                              static_cast<int>(size), lines_label, lines));
  else if (size < 1000000)
    out.AppendHtml(FormatText("<center>%s = %2.1f Kb, %s = %d</center>", size_label,
                              static_cast<double>(size) * static_cast<double>(0.001f), lines_label,
                              lines));
  else
    out.AppendHtml(FormatText("<center>%s = %2.1f Mb, %s = %d</center>", size_label,
                              static_cast<double>(size) * static_cast<double>(0.000001f),
                              lines_label, lines));
}

void WriteOwner(PageWriter& out, const PageStyle::MainIndexPage& page) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml(FormatText("\n<center><h3>%s</h3>", labels.Get(kLabelOwner).c_str()));
  out.AppendHtml(FormatText("<center><I>%s:</I> ", labels.Get(kLabelName).c_str()));
  out.AppendHtml(page.owner_name + "<br>");
  if (!page.address.empty()) {
    out.AppendHtml(FormatText("<I>%s:</I> ", labels.Get(kLabelAddress).c_str()));
    // The fourth line ends the block without a break.
    for (std::size_t i = 0; i < page.address.size(); ++i)
      out.AppendHtml(i < 3 ? page.address[i] + "<BR>" : page.address[i]);
  }
  if (!page.email.empty()) {
    out.AppendHtml(FormatText("<I>%s:</I> ", labels.Get(kLabelEmail).c_str()));
    out.AppendHtml(
        FormatText("<a href=\"mailto:%s\">%s</a><br>", page.email.c_str(), page.email.c_str()));
  }
  if (!page.homepages.empty()) {
    out.AppendHtml(FormatText("<I>%s:</I> ", labels.Get(kLabelHomePage).c_str()));
    for (const std::string& address : page.homepages)
      out.AppendHtml(FormatText("<a href=\"%s\"%s>%s</a><br>", address.c_str(),
                                page.homepages_top ? kTop : "", address.c_str()));
  }
  out.AppendHtml("</center>");
}

}  // namespace

void ClassicStyle::WriteLetterBar(PageWriter& out, const LetterBar& bar) {
  const lang::LabelSet& labels = out.labels();
  if (bar.heading)
    out.AppendHtml(FormatText("<center><h3>%s %s</h3></center>", labels.Get(kLabelIndexFor).c_str(),
                              bar.kind_name.c_str()));
  out.AppendHtml("<center>");
  for (const IndexLetter& letter : bar.letters) WriteLetter(out, letter);
  if (bar.other_present)
    out.AppendHtml(FormatText(" <a href=\"%s\">(%s/%s)</a>", bar.other_target.c_str(),
                              labels.Get(kLabelNone).c_str(), labels.Get(kLabelOther).c_str()));
  else
    out.AppendHtml(FormatText(" (%s)", labels.Get(kLabelNone).c_str()));
  for (const IndexLetter& letter : bar.nordic_letters) WriteLetter(out, letter);
  out.AppendHtml("</center>");
}

// The notes list of surnames has always been centred in lower-case tags.
void ClassicStyle::WriteSurnameListStart(PageWriter& out, const SurnameList& list) {
  out.AppendHtml(list.list_kind == PageKind::kNotesSurnameList ? "<center>" : "<CENTER>");
}

void ClassicStyle::WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) {
  const lang::LabelSet& labels = out.labels();
  if (group.starts_initial) {
    if (group.other_initial)
      out.AppendHtml(FormatText("<P><B>%s/%s</B><BR>", labels.Get(kLabelNone).c_str(),
                                labels.Get(kLabelOther).c_str()));
    else
      out.AppendHtml(FormatText("<P><B>%s</B><BR>", group.initial.c_str()));
  }
  out.AppendHtml(FormatText("<a href=\"%s\">%s</a>(%li) ", group.target.c_str(),
                            group.surname.empty() ? "(none)" : group.surname.c_str(), group.count));
}

void ClassicStyle::WriteSurnameListEnd(PageWriter& out, const SurnameList& list) {
  out.AppendHtml(list.list_kind == PageKind::kNotesSurnameList ? "</center>" : "</CENTER>");
}

void ClassicStyle::WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) {
  WriteLetterBar(out, top.letters);
  if (top.back_link) WriteMainPageLink(out, top.main_page);
  WriteRule(out);
}

void ClassicStyle::WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) {
  const lang::LabelSet& labels = out.labels();
  if (!page.languages.empty()) {
    out.AppendHtml("<center>");
    bool first = true;
    for (const MainIndexPage::Link& link : page.languages) {
      if (!first) out.AppendHtml(", ");
      first = false;
      out.AppendHtml(FormatText("<a href=%s>%s</a>", link.target.c_str(), link.text.c_str()));
    }
    out.AppendHtml("</center></p>");
  }

  out.AppendHtml("<center>");
  out.AppendHtml(FormatText("%s<br>", labels.Get(kLabelContains).c_str()));
  out.AppendHtml(FormatText("%li %s<br>", page.individuals, labels.Get(kLabelIndividuals).c_str()));
  out.AppendHtml(FormatText("%li %s<br>", page.families, labels.Get(kLabelFamilies).c_str()));
  out.AppendHtml(FormatText("%li %s<br>", page.surnames, labels.Get(kLabelSurnames).c_str()));
  out.AppendHtml(FormatText("<p>%s %s.</p></center>", labels.Get(kLabelProducedOn).c_str(),
                            page.date_stamp.c_str()));

  if (page.gedcom_link) WriteGedcomFile(out, page);
  if (page.ancestor_notice) WriteAncestorNotice(out, page.ancestor);
  WriteRule(out);

  for (const MainIndexPage::KindIndex& kind : page.kinds) {
    WriteLetterBar(out, kind.letters);
    out.AppendHtml(FormatText("<center><h3><a href=\"%s\">%s</a></h3></center>",
                              kind.surname_list.c_str(), labels.Get(kLabelListOfSurnames).c_str()));
    WriteRule(out);
  }

  if (page.custom_links) {
    out.AppendHtml(
        FormatText("<center><h3>%s </h3></center><ul>", page.custom_links_title.c_str()));
    for (const MainIndexPage::Link& link : page.links)
      out.AppendHtml(FormatText("<li><a href=\"%s\"%s>%s</a><p>", link.target.c_str(),
                                page.links_top ? kTop : "", link.text.c_str()));
    out.AppendHtml("</ul>");
    WriteRule(out);
  }

  if (page.owner) WriteOwner(out, page);
}

}  // namespace kinloom::site
