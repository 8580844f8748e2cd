// The modern index pages: person links and entries, letter bars, surname lists, the top of
// the surname index pages and the main index page's body.
//
// The people of a surname index page form one list, opened by the first entry and closed by
// the page foot; a list of surnames has one section per initial, each headed by its initial.
#include <string>
#include <utility>

#include "lang/ui_text.h"
#include "site/modern_style.h"

namespace kinloom::site {
namespace {

constexpr int kLabelContains = 12352;
constexpr int kLabelIndividuals = 12353;
constexpr int kLabelFamilies = 12354;
constexpr int kLabelSurnames = 12355;
constexpr int kLabelProducedOn = 12356;
constexpr int kLabelGedcomFile = 12358;  // a sentence around the file's URL and name
constexpr int kLabelFileSize = 12359;
constexpr int kLabelLines = 12360;
constexpr int kLabelRedDot = 12361;
constexpr int kLabelListOfSurnames = 12363;
constexpr int kLabelOwner = 12365;
constexpr int kLabelName = 12366;
constexpr int kLabelAddress = 12367;
constexpr int kLabelEmail = 12368;
constexpr int kLabelHomePage = 12369;
constexpr int kLabelIndexFor = 12401;
constexpr int kLabelNone = 12402;
constexpr int kLabelOther = 12403;
constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;
constexpr int kLabelNote = 12533;
constexpr int kLabelPedigree = 12541;

constexpr std::string_view kTop = " target=\"_top\"";

// The icons of a person link: an open book for the notes, a branching line for the
// pedigree, both named by the link around them.
constexpr std::string_view kNotesIcon =
    "<svg class=\"icon\" viewBox=\"0 0 16 16\" width=\"16\" height=\"16\" aria-hidden=\"true\" "
    "focusable=\"false\"><path d=\"M1 3c2-1 5-1 7 1v10c-2-2-5-2-7-1zM15 3c-2-1-5-1-7 1v10c2-2 "
    "5-2 7-1z\" fill=\"none\" stroke=\"currentColor\" stroke-width=\"1.4\"/></svg>";
constexpr std::string_view kPedigreeIcon =
    "<svg class=\"icon\" viewBox=\"0 0 16 16\" width=\"16\" height=\"16\" aria-hidden=\"true\" "
    "focusable=\"false\"><path d=\"M1 8h5M6 3v10M6 3h4M6 13h4M10 1v4M10 11v4M10 1h5M10 5h5M10 "
    "11h5M10 15h5\" fill=\"none\" stroke=\"currentColor\" stroke-width=\"1.4\"/></svg>";

}  // namespace

void WriteModernRedDot(PageWriter& out) {
  out.AppendHtml("<span class=\"red-dot\" role=\"img\" aria-label=\"");
  out.AppendHtml(ModernAttribute(out.labels().Get(kLabelRedDot)));
  out.AppendHtml("\">&#9679;</span>");
}

namespace {

void WriteId(PageWriter& out, const std::string& id) {
  out.AppendHtml(" <small class=\"gedcom-id\">{");
  out.AppendHtml(ModernAttribute(id));
  out.AppendHtml("}</small>");
}

void WriteIcon(PageWriter& out, const std::string& target, int label, std::string_view icon) {
  out.AppendHtml(" <a class=\"icon-link\" href=\"");
  out.AppendHtml(target);
  out.AppendHtml("\" aria-label=\"");
  out.AppendHtml(ModernAttribute(out.labels().Get(label)));
  out.AppendHtml("\">");
  out.AppendHtml(icon);
  out.AppendHtml("</a>");
}

// The class that colours a link: the family page colour role whose setting holds the
// colour, else the plain colour as the link's own style.
void WriteLinkColour(PageWriter& out, std::uint32_t colour) {
  const auto& colours = out.context().settings.colours;
  struct Role {
    int index;
    std::string_view name;
  };
  for (const Role& role : {Role{settings::kColourHusbandAndWife, "spouses"},
                           Role{settings::kColourParents, "parents"},
                           Role{settings::kColourChildren, "children"}}) {
    if ((colours[static_cast<std::size_t>(role.index)] & 0xFFFFFF) == (colour & 0xFFFFFF)) {
      out.AppendHtml(" class=\"");
      out.AppendHtml(role.name);
      out.AppendHtml("\"");
      return;
    }
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = " style=\"color: #000000\"";
  for (int i = 0; i < 6; ++i)
    text[static_cast<std::size_t>(21 - i)] = kHex[(colour >> (4 * i)) & 0xF];
  out.AppendHtml(text);
}

// One letter of a letter bar: a link when its page exists, else the letter alone.
void WriteLetter(PageWriter& out, const PageStyle::IndexLetter& letter) {
  if (letter.present) {
    out.AppendHtml("<li><a href=\"");
    out.AppendHtml(letter.target);
    out.AppendHtml("\">");
    out.AppendHtml(letter.letter);
    out.AppendHtml("</a></li>");
  } else {
    out.AppendHtml("<li><span>");
    out.AppendHtml(letter.letter);
    out.AppendHtml("</span></li>");
  }
}

// A size in kilobytes or megabytes with one decimal, rounded as the classic page rounds it.
std::string OneDecimal(double value) { return lang::FormatText("%2.1f", value); }

// The label's sentence about the GEDCOM file with its URL and name in place of the two
// "%s", and without the centring tags the classic pages keep in it.
void WriteGedcomFile(PageWriter& out, const PageStyle::MainIndexPage& page) {
  const lang::LabelSet& labels = out.labels();
  std::string sentence = labels.Get(kLabelGedcomFile);
  for (std::string_view tag : {"<center>", "</center>", "<CENTER>", "</CENTER>"}) {
    for (std::size_t at = sentence.find(tag); at != std::string::npos; at = sentence.find(tag))
      sentence.erase(at, tag.size());
  }
  out.AppendHtml("<div class=\"gedcom-file\">\n<p>");
  std::size_t from = 0;
  int filled = 0;
  for (std::size_t at = sentence.find("%s"); at != std::string::npos && filled < 2;
       at = sentence.find("%s", from)) {
    out.AppendHtml(std::string_view(sentence).substr(from, at - from));
    out.AppendHtml(filled == 0 ? page.gedcom_url : page.gedcom_name);
    ++filled;
    from = at + 2;
  }
  out.AppendHtml(std::string_view(sentence).substr(from));
  out.AppendHtml("</p>\n<p>");
  out.AppendHtml(labels.Get(kLabelFileSize));
  // A kilobyte is 1000 bytes, a megabyte 1000000; the factors are single-precision values.
  const std::uint64_t size = page.gedcom_size;
  if (size < 10000) {
    out.AppendHtml(" = ");
    out.AppendHtml(std::to_string(size));
    out.AppendHtml(" bytes, ");
  } else if (size < 1000000) {
    out.AppendHtml(" = ");
    out.AppendHtml(OneDecimal(static_cast<double>(size) * static_cast<double>(0.001f)));
    out.AppendHtml(" Kb, ");
  } else {
    out.AppendHtml(" = ");
    out.AppendHtml(OneDecimal(static_cast<double>(size) * static_cast<double>(0.000001f)));
    out.AppendHtml(" Mb, ");
  }
  out.AppendHtml(labels.Get(kLabelLines));
  out.AppendHtml(" = ");
  out.AppendHtml(std::to_string(page.gedcom_lines));
  out.AppendHtml("</p>\n</div>\n");
}

void WriteOwnerItem(PageWriter& out, int label) {
  out.AppendHtml("<dt>");
  out.AppendHtml(out.labels().Get(label));
  out.AppendHtml("</dt>\n<dd>");
}

void WriteOwner(PageWriter& out, const PageStyle::MainIndexPage& page) {
  out.AppendHtml("<section class=\"owner\">\n<h2>");
  out.AppendHtml(out.labels().Get(kLabelOwner));
  out.AppendHtml("</h2>\n<dl>\n");
  WriteOwnerItem(out, kLabelName);
  out.AppendHtml(page.owner_name);
  out.AppendHtml("</dd>\n");
  if (!page.address.empty()) {
    WriteOwnerItem(out, kLabelAddress);
    for (std::size_t i = 0; i < page.address.size(); ++i) {
      if (i > 0) out.AppendHtml("<br>");
      out.AppendHtml(page.address[i]);
    }
    out.AppendHtml("</dd>\n");
  }
  if (!page.email.empty()) {
    WriteOwnerItem(out, kLabelEmail);
    out.AppendHtml("<a href=\"mailto:");
    out.AppendHtml(page.email);
    out.AppendHtml("\">");
    out.AppendHtml(page.email);
    out.AppendHtml("</a></dd>\n");
  }
  if (!page.homepages.empty()) {
    WriteOwnerItem(out, kLabelHomePage);
    bool first = true;
    for (const std::string& address : page.homepages) {
      if (!first) out.AppendHtml("<br>");
      first = false;
      out.AppendHtml("<a href=\"");
      out.AppendHtml(address);
      out.AppendHtml("\"");
      if (page.homepages_top) out.AppendHtml(kTop);
      out.AppendHtml(">");
      out.AppendHtml(address);
      out.AppendHtml("</a>");
    }
    out.AppendHtml("</dd>\n");
  }
  out.AppendHtml("</dl>\n</section>\n");
}

}  // namespace

void ModernStyle::CloseIndexLists(PageWriter& out) {
  if (people_open_) out.AppendHtml("</ul>\n");
  if (surname_group_open_) out.AppendHtml("</ul>\n</section>\n");
  people_open_ = surname_group_open_ = false;
}

void ModernStyle::WritePersonLink(PageWriter& out, const PersonLink& link) {
  if (!people_open_) out.AppendHtml("<ul class=\"people\">\n");
  people_open_ = true;
  out.AppendHtml("<li");
  // Of two people of one surname anchor on a page, the first is the one linked to.
  if (link.name_anchor && !link.anchor_name.empty() && page_ids_.insert(link.anchor_name).second) {
    out.AppendHtml(" id=\"");
    out.AppendHtml(link.anchor_name);
    out.AppendHtml("\"");
  }
  out.AppendHtml(">");
  if (link.linked) {
    out.AppendHtml("<a href=\"");
    out.AppendHtml(link.target);
    out.AppendHtml("\"");
    if (link.coloured) WriteLinkColour(out, link.colour);
    out.AppendHtml(">");
  }
  if (link.red_dot) WriteModernRedDot(out);
  out.AppendHtml(link.name);
  if (link.linked) out.AppendHtml("</a>");
  if (link.show_id) WriteId(out, link.id);
  if (link.notes_icon) WriteIcon(out, link.notes_target, kLabelNote, kNotesIcon);
  if (link.pedigree_icon) WriteIcon(out, link.pedigree_target, kLabelPedigree, kPedigreeIcon);
  out.AppendHtml("</li>\n");
}

void ModernStyle::WritePersonEntry(PageWriter& out, const PersonEntry& entry) {
  const lang::LabelSet& labels = out.labels();
  const PersonLink& link = entry.link;
  if (!people_open_) out.AppendHtml("<ul class=\"people\">\n");
  people_open_ = true;
  out.AppendHtml("<li");
  if (link.name_anchor && !link.anchor_name.empty() && page_ids_.insert(link.anchor_name).second) {
    out.AppendHtml(" id=\"");
    out.AppendHtml(link.anchor_name);
    out.AppendHtml("\"");
  }
  out.AppendHtml(">");
  if (link.red_dot) WriteModernRedDot(out);
  if (link.linked) {
    out.AppendHtml("<a href=\"");
    out.AppendHtml(link.target);
    out.AppendHtml("\">");
  }
  out.AppendHtml(link.name);
  if (link.linked) out.AppendHtml("</a>");
  if (link.show_id) WriteId(out, link.id);

  bool open = entry.birth != PersonEntry::Birth::kNone;
  if (open) {
    out.AppendHtml(" (");
    out.AppendHtml(labels.Get(kLabelBorn));
  }
  if (entry.birth == PersonEntry::Birth::kWithheld) {
    out.AppendHtml(labels.Get(kLabelNotShown));
  } else if (entry.birth == PersonEntry::Birth::kDate) {
    out.AppendHtml(" ");
    out.AppendHtml(entry.birth_date);
  }
  if (entry.death) {
    out.AppendHtml(open ? " - " : " (");
    open = true;
    out.AppendHtml(labels.Get(kLabelDied));
    out.AppendHtml(" ");
    out.AppendHtml(entry.death_date);
  }
  if (open) out.AppendHtml(")");

  for (const ChartTree& tree : entry.trees) {
    out.AppendHtml(", <a href=\"");
    out.AppendHtml(tree.target);
    out.AppendHtml("\">(");
    out.AppendHtml(tree.first_surname);
    if (tree.couple) {
      out.AppendHtml("-");
      out.AppendHtml(tree.second_surname);
    }
    out.AppendHtml(")</a>");
  }
  out.AppendHtml("</li>\n");
}

void ModernStyle::WriteLetterBar(PageWriter& out, const LetterBar& bar) {
  const lang::LabelSet& labels = out.labels();
  if (bar.heading) {
    out.AppendHtml("<h2>");
    out.AppendHtml(labels.Get(kLabelIndexFor));
    out.AppendHtml(" ");
    out.AppendHtml(bar.kind_name);
    out.AppendHtml("</h2>\n");
  }
  out.AppendHtml("<nav class=\"letters\" aria-label=\"");
  out.AppendHtml(ModernAttribute(labels.Get(kLabelIndexFor)));
  if (bar.heading) {
    out.AppendHtml(" ");
    out.AppendHtml(ModernAttribute(bar.kind_name));
  }
  out.AppendHtml("\">\n<ul>");
  for (const IndexLetter& letter : bar.letters) WriteLetter(out, letter);
  if (bar.other_present) {
    out.AppendHtml("<li><a href=\"");
    out.AppendHtml(bar.other_target);
    out.AppendHtml("\">(");
    out.AppendHtml(labels.Get(kLabelNone));
    out.AppendHtml("/");
    out.AppendHtml(labels.Get(kLabelOther));
    out.AppendHtml(")</a></li>");
  } else {
    out.AppendHtml("<li><span>(");
    out.AppendHtml(labels.Get(kLabelNone));
    out.AppendHtml(")</span></li>");
  }
  for (const IndexLetter& letter : bar.nordic_letters) WriteLetter(out, letter);
  out.AppendHtml("</ul>\n</nav>\n");
}

void ModernStyle::WriteSurnameListStart(PageWriter& out, const SurnameList&) {
  surname_group_open_ = false;
  out.AppendHtml("<div class=\"surname-list\">\n");
}

void ModernStyle::WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) {
  const lang::LabelSet& labels = out.labels();
  if (group.starts_initial || !surname_group_open_) {
    if (surname_group_open_) out.AppendHtml("</ul>\n</section>\n");
    surname_group_open_ = true;
    out.AppendHtml("<section>\n<h2>");
    if (group.other_initial) {
      out.AppendHtml(labels.Get(kLabelNone));
      out.AppendHtml("/");
      out.AppendHtml(labels.Get(kLabelOther));
    } else {
      out.AppendHtml(group.initial);
    }
    out.AppendHtml("</h2>\n<ul>\n");
  }
  out.AppendHtml("<li><a href=\"");
  out.AppendHtml(group.target);
  out.AppendHtml("\">");
  out.AppendHtml(group.surname.empty() ? std::string_view("(none)") : group.surname);
  out.AppendHtml("</a> (");
  out.AppendHtml(std::to_string(group.count));
  out.AppendHtml(")</li>\n");
}

void ModernStyle::WriteSurnameListEnd(PageWriter& out, const SurnameList&) {
  if (surname_group_open_) out.AppendHtml("</ul>\n</section>\n");
  surname_group_open_ = false;
  out.AppendHtml("</div>\n");
}

void ModernStyle::WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) {
  WriteLetterBar(out, top.letters);
  if (top.back_link) WriteMainPageLink(out, top.main_page);
  WriteRule(out);
}

void ModernStyle::WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) {
  const lang::LabelSet& labels = out.labels();
  if (!page.languages.empty()) {
    out.AppendHtml("<nav class=\"languages\">\n<p>");
    bool first = true;
    for (const MainIndexPage::Link& link : page.languages) {
      if (!first) out.AppendHtml(", ");
      first = false;
      out.AppendHtml("<a href=\"");
      out.AppendHtml(link.target);
      out.AppendHtml("\">");
      out.AppendHtml(link.text);
      out.AppendHtml("</a>");
    }
    out.AppendHtml("</p>\n</nav>\n");
  }

  out.AppendHtml("<div class=\"site-facts\">\n<p>");
  out.AppendHtml(labels.Get(kLabelContains));
  out.AppendHtml("</p>\n<ul>\n");
  const std::pair<long, int> counts[] = {{page.individuals, kLabelIndividuals},
                                         {page.families, kLabelFamilies},
                                         {page.surnames, kLabelSurnames}};
  for (const auto& [count, label] : counts) {
    out.AppendHtml("<li>");
    out.AppendHtml(std::to_string(count));
    out.AppendHtml(" ");
    out.AppendHtml(labels.Get(label));
    out.AppendHtml("</li>\n");
  }
  out.AppendHtml("</ul>\n<p>");
  out.AppendHtml(labels.Get(kLabelProducedOn));
  out.AppendHtml(" ");
  out.AppendHtml(page.date_stamp);
  out.AppendHtml(".</p>\n</div>\n");

  if (page.gedcom_link) WriteGedcomFile(out, page);
  if (page.ancestor_notice) WriteAncestorNotice(out, page.ancestor);
  WriteRule(out);

  for (const MainIndexPage::KindIndex& kind : page.kinds) {
    out.AppendHtml("<section class=\"index-kind\">\n");
    WriteLetterBar(out, kind.letters);
    out.AppendHtml("<p class=\"surname-list-link\"><a href=\"");
    out.AppendHtml(kind.surname_list);
    out.AppendHtml("\">");
    out.AppendHtml(labels.Get(kLabelListOfSurnames));
    out.AppendHtml("</a></p>\n</section>\n");
    WriteRule(out);
  }

  if (page.custom_links) {
    out.AppendHtml("<section class=\"custom-links\">\n<h2>");
    out.AppendHtml(page.custom_links_title);
    out.AppendHtml("</h2>\n<ul>\n");
    for (const MainIndexPage::Link& link : page.links) {
      out.AppendHtml("<li><a href=\"");
      out.AppendHtml(link.target);
      out.AppendHtml("\"");
      if (page.links_top) out.AppendHtml(kTop);
      out.AppendHtml(">");
      out.AppendHtml(link.text);
      out.AppendHtml("</a></li>\n");
    }
    out.AppendHtml("</ul>\n</section>\n");
    WriteRule(out);
  }

  if (page.owner) WriteOwner(out, page);
}

}  // namespace kinloom::site
