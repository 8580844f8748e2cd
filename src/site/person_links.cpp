#include "site/person_links.h"

#include "lang/ui_text.h"

namespace kinloom::site {
namespace {

using lang::FormatText;
using store::Bookmark;
using store::IndividualRecord;

constexpr const char* kRedDotImage = "q5.gif";
constexpr const char* kNotesIconImage = "q4.gif";
constexpr const char* kPedigreeIconImage = "q3.gif";

const Bookmark* BookmarkAt(const IndividualRecord& person, std::size_t k) {
  if (k >= person.bookmarks.size() || person.bookmarks[k].page == -1) return nullptr;
  return &person.bookmarks[k];
}

std::string ChartTarget(const SiteContext& site, const Bookmark& bookmark, PageKind plain,
                        PageKind extended, bool use_extended) {
  return ChartHref(NamingOf(site), bookmark, plain, extended, use_extended);
}

// Pedigree pages are named from the extended prefix when bookmark 1 lies on a page other
// than 0.
bool PedigreeExtended(const IndividualRecord& person) {
  const Bookmark* second = BookmarkAt(person, 1);
  return second != nullptr && second->page != 0;
}

bool TopmostOnly(const SiteContext& site, PersonLinkKind kind) {
  return kind == PersonLinkKind::kDescendancy && site.settings().group_only_for_topmost != 0;
}

int TablePosition(const SiteContext& site, const IndividualRecord& person) {
  return static_cast<int>(&person - site.store().individuals.data());
}

void MaybeRedDot(SiteContext& site, const IndividualRecord& person) {
  if (site.MarkAncestors() && person.ancestor) WriteRedDot(site);
}

// Without a link of its own the entry still carries the surname anchor that the list of
// surnames points to.
void WriteNameAnchorOnly(SiteContext& site, const IndividualRecord& person) {
  site.writer.AppendHtml(FormatText("<a name=\"%s\"></a>", AnchorName(person).c_str()));
}

void MaybeGedcomId(SiteContext& site, const IndividualRecord& person) {
  if (site.settings().show_gedcom_ids) WriteGedcomId(site, person);
}

}  // namespace

PageNaming NamingOf(const SiteContext& site) {
  return MakePageNaming(site.language, site.settings());
}

std::string FamilyGroupTarget(const SiteContext& site, const IndividualRecord& person) {
  return FamilyGroupHref(NamingOf(site), person.group);
}

std::string SurnameAnchor(std::string_view surname) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!surname.empty() && blank(surname.front())) surname.remove_prefix(1);
  while (!surname.empty() && blank(surname.back())) surname.remove_suffix(1);
  std::string name;
  name.reserve(surname.size());
  for (char c : surname) {
    if (c == '\t') continue;
    name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return name;
}

std::string AnchorName(const IndividualRecord& person) { return SurnameAnchor(person.surname); }

bool HasNotes(const IndividualRecord& person) {
  return person.notes_page != -1 || !person.notes.empty();
}

bool OnChart(const IndividualRecord& person) { return BookmarkAt(person, 0) != nullptr; }

void WriteRedDot(SiteContext& site) {
  site.writer.AppendHtml(FormatText("<img src=\"%s\" border=0 >", kRedDotImage));
}

void WriteGedcomId(SiteContext& site, const IndividualRecord& person, std::string* target) {
  std::string text = FormatText("<small>{%s}</small> ", EscapeHtml(person.id).c_str());
  if (target)
    *target += text;
  else
    site.writer.AppendHtml(text);
}

bool WriteNotesIcon(SiteContext& site, int number, bool is_individual) {
  int entry = -1;
  auto& store = site.store();
  if (is_individual) {
    if (number < 0 || number >= static_cast<int>(store.individuals.size())) return false;
    const IndividualRecord& person = store.individuals[number];
    if (person.notes.empty()) return false;
    entry = person.notes_page;
  } else {
    if (number < 0 || number >= static_cast<int>(store.families.size())) return false;
    entry = store.families[number].notes_page;
  }
  if (entry == -1) return false;
  site.writer.AppendHtml(FormatText(" <a href=\"%s\"><IMG SRC=\"%s\" border=\"0\"></a>",
                                    NotesHref(NamingOf(site), entry).c_str(), kNotesIconImage));
  return true;
}

void WritePedigreeIcon(SiteContext& site, const IndividualRecord& person) {
  const Bookmark* first = BookmarkAt(person, 0);
  if (!first) return;
  std::string target = ChartTarget(site, *first, PageKind::kPedigree, PageKind::kExtendedPedigree,
                                   PedigreeExtended(person));
  site.writer.AppendHtml(FormatText(" <a href=\"%s\"><IMG SRC=\"%s\" border=\"0\"></a>",
                                    target.c_str(), kPedigreeIconImage));
}

void WritePersonLink(SiteContext& site, PersonLinkKind kind, const IndividualRecord& person,
                     bool with_icons, bool with_name_anchor, std::int64_t colour) {
  const PersonTarget link = PersonLinkTarget(NamingOf(site), kind, person);
  if (!link.shown) return;
  const std::string& target = link.href;

  PageWriter& out = site.writer;
  bool anchor_element = !TopmostOnly(site, kind);
  if (anchor_element) {
    if (with_name_anchor)
      out.AppendHtml(
          FormatText("<a name=\"%s\" href=\"%s\"", AnchorName(person).c_str(), target.c_str()));
    else
      out.AppendHtml(FormatText("<a href=\"%s\"", target.c_str()));
    if (kind == PersonLinkKind::kFamilyGroup && colour != kNoColour)
      out.AppendHtml(FormatText(" style=\"color: #%06X\"", static_cast<unsigned>(colour)));
    out.AppendHtml(">");
  } else if (with_name_anchor) {
    WriteNameAnchorOnly(site, person);
  }
  MaybeRedDot(site, person);
  out.AppendHtml(PersonLinkName(person));
  if (anchor_element) out.AppendHtml("</a>");
  MaybeGedcomId(site, person);
  if (kind == PersonLinkKind::kFamilyGroup && with_icons) {
    if (site.NotesPagesOn()) WriteNotesIcon(site, TablePosition(site, person), true);
    if (site.settings().create_pedigree_groups) WritePedigreeIcon(site, person);
  }
  out.AppendHtml("<br>");
}

void WritePersonEntry(SiteContext& site, PersonLinkKind kind, const IndividualRecord& person,
                      bool with_name_anchor) {
  const PersonTarget link = PersonLinkTarget(NamingOf(site), kind, person);
  if (!link.shown) return;
  const std::string& target = link.href;

  PageWriter& out = site.writer;
  const settings::Settings& options = site.settings();
  MaybeRedDot(site, person);
  bool anchor_element = !TopmostOnly(site, kind);
  if (anchor_element) {
    if (with_name_anchor)
      out.AppendHtml(
          FormatText("<a name=\"%s\" href=\"%s\">", AnchorName(person).c_str(), target.c_str()));
    else
      out.AppendHtml(FormatText("<a href=\"%s\">", target.c_str()));
  } else if (with_name_anchor) {
    WriteNameAnchorOnly(site, person);
  }
  out.AppendHtml(PersonLinkName(person));
  if (anchor_element) out.AppendHtml("</a>");
  MaybeGedcomId(site, person);

  const std::string& born = site.Label(12425);
  bool open = false;
  if (!person.birth_date.empty() || !person.christening_date.empty()) {
    if (options.suppress_living && IsLiving(person)) {
      out.AppendHtml("(" + born + site.Label(12424));
      open = true;
    } else if (person.birth_seen && !person.birth_date.empty()) {
      out.AppendHtml("(" + born + " " + person.birth_date);
      open = true;
    } else if (!person.birth_seen && options.use_baptism && !person.christening_date.empty()) {
      out.AppendHtml("(" + born + " " + person.christening_date);
      open = true;
    }
  }
  if (!person.death_date.empty() || !person.burial_date.empty()) {
    out.AppendHtml(open ? " - " : "(");
    open = true;
    const std::string& date = person.death_date.empty() ? person.burial_date : person.death_date;
    out.AppendHtml(site.Label(12426) + " " + date);
  }
  if (open) out.AppendHtml(")");

  if (kind == PersonLinkKind::kDescendancy && !anchor_element) {
    const auto& individuals = site.store().individuals;
    auto surname_of = [&](std::int32_t i) -> std::string {
      return i >= 0 && i < static_cast<std::int32_t>(individuals.size()) ? individuals[i].surname
                                                                         : std::string();
    };
    for (std::size_t k = 0; k < person.bookmarks.size() && k < store::kExpandingArrayCapacity;
         ++k) {
      const Bookmark* mark = BookmarkAt(person, k);
      if (!mark) break;
      std::string couple = ChartTarget(site, *mark, PageKind::kDescendancy,
                                       PageKind::kExtendedDescendancy, mark->extended);
      out.AppendHtml(FormatText(" , <a href=\"%s\">", couple.c_str()));
      out.AppendHtml(" (");
      out.AppendHtml(surname_of(mark->first_person));
      if (mark->second_person != -1) {
        out.AppendHtml("-");
        out.AppendHtml(surname_of(mark->second_person));
      }
      out.AppendHtml(") ");
      out.AppendHtml("</a> ");
    }
  }
  out.AppendHtml("<br>");
}

}  // namespace kinloom::site
