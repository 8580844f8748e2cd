#include "site/person_links.h"

#include "lang/ui_text.h"

namespace kinloom::site {
namespace {

using lang::FormatText;
using store::IndividualRecord;

constexpr const char* kRedDotImage = "q5.gif";
constexpr const char* kNotesIconImage = "q4.gif";
constexpr const char* kPedigreeIconImage = "q3.gif";

int TablePosition(const SiteContext& site, const IndividualRecord& person) {
  return static_cast<int>(&person - site.store().individuals.data());
}

// The bookmarks of a chart kind: each kind reads its own.
const ChartBookmarks& BookmarksOf(const SiteContext& site, PersonLinkKind kind) {
  return kind == PersonLinkKind::kPedigree ? site.layout().pedigree.bookmarks
                                           : site.layout().descendancy.bookmarks;
}

const Bookmark* BookmarkAt(const SiteContext& site, PersonLinkKind kind,
                           const IndividualRecord& person, std::size_t k) {
  return BookmarksOf(site, kind).At(TablePosition(site, person), k);
}

std::string ChartTarget(const SiteContext& site, const Bookmark& bookmark, PageKind plain,
                        PageKind extended, bool use_extended) {
  return ChartHref(NamingOf(site), plain, extended, {use_extended, bookmark.page, bookmark.anchor});
}

// Pedigree pages are named from the extended prefix when bookmark 1 lies on a page other
// than 0.
bool PedigreeExtended(const SiteContext& site, const IndividualRecord& person) {
  const Bookmark* second = BookmarkAt(site, PersonLinkKind::kPedigree, person, 1);
  return second != nullptr && second->page != 0;
}

// The first appearance of the person on the chart pages of a descendancy or pedigree link;
// false when there is none.
bool FirstAppearance(const SiteContext& site, const IndividualRecord& person,
                     PersonLinkKind kind, ChartAppearance* appearance) {
  const Bookmark* first = BookmarkAt(site, kind, person, 0);
  if (!first) return false;
  const bool extended =
      kind == PersonLinkKind::kPedigree ? PedigreeExtended(site, person) : first->extended;
  *appearance = {extended, first->page, first->anchor};
  return true;
}

// The person's notes entry number in the layout; -1 for none.
std::int32_t NotesEntry(const SiteContext& site, const IndividualRecord& person) {
  return site.layout().notes.IndividualEntry(static_cast<std::size_t>(TablePosition(site, person)));
}

bool TopmostOnly(const SiteContext& site, PersonLinkKind kind) {
  return kind == PersonLinkKind::kDescendancy && site.settings().group_only_for_topmost != 0;
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

// Only individuals with note items get a notes entry.
bool HasNotes(const IndividualRecord& person) { return !person.notes.empty(); }

bool OnChart(const SiteContext& site, PersonLinkKind kind, const IndividualRecord& person) {
  return BookmarkAt(site, kind, person, 0) != nullptr;
}

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

std::string NotesIconTarget(const SiteContext& site, int number, bool is_individual) {
  int entry = -1;
  const auto& store = site.store();
  if (is_individual) {
    if (number < 0 || number >= static_cast<int>(store.individuals.size())) return {};
    const IndividualRecord& person = store.individuals[number];
    if (person.notes.empty()) return {};
    entry = site.layout().notes.IndividualEntry(static_cast<std::size_t>(number));
  } else {
    if (number < 0 || number >= static_cast<int>(store.families.size())) return {};
    entry = site.layout().notes.FamilyEntry(static_cast<std::size_t>(number));
  }
  if (entry == -1) return {};
  return NotesHref(NamingOf(site), entry);
}

bool WriteNotesIcon(SiteContext& site, int number, bool is_individual) {
  std::string target = NotesIconTarget(site, number, is_individual);
  if (target.empty()) return false;
  site.writer.AppendHtml(FormatText(" <a href=\"%s\"><IMG SRC=\"%s\" border=\"0\"></a>",
                                    target.c_str(), kNotesIconImage));
  return true;
}

std::string PedigreeIconTarget(const SiteContext& site, const IndividualRecord& person) {
  const Bookmark* first = BookmarkAt(site, PersonLinkKind::kPedigree, person, 0);
  if (!first) return {};
  return ChartTarget(site, *first, PageKind::kPedigree, PageKind::kExtendedPedigree,
                     PedigreeExtended(site, person));
}

void WritePedigreeIcon(SiteContext& site, const IndividualRecord& person) {
  std::string target = PedigreeIconTarget(site, person);
  if (target.empty()) return;
  site.writer.AppendHtml(FormatText(" <a href=\"%s\"><IMG SRC=\"%s\" border=\"0\"></a>",
                                    target.c_str(), kPedigreeIconImage));
}

// The link of `kind` to `person` with what surrounds the name; false when a chart kind
// shows the person nowhere.
static bool PersonLinkFacts(const SiteContext& site, PersonLinkKind kind,
                            const IndividualRecord& person, bool with_name_anchor,
                            PageStyle::PersonLink* link) {
  ChartAppearance appearance;
  const bool on_chart = (kind == PersonLinkKind::kDescendancy ||
                         kind == PersonLinkKind::kPedigree) &&
                        FirstAppearance(site, person, kind, &appearance);
  const PersonTarget target =
      PersonLinkTarget(NamingOf(site), kind, person, NotesEntry(site, person),
                       on_chart ? &appearance : nullptr);
  if (!target.shown) return false;
  link->linked = !TopmostOnly(site, kind);
  link->target = target.href;
  link->name_anchor = with_name_anchor;
  if (with_name_anchor) link->anchor_name = AnchorName(person);
  link->red_dot = site.MarkAncestors() && person.ancestor;
  link->name = PersonLinkName(person);
  link->show_id = site.settings().show_gedcom_ids != 0;
  if (link->show_id) link->id = person.id;
  return true;
}

void WritePersonLink(SiteContext& site, PersonLinkKind kind, const IndividualRecord& person,
                     bool with_icons, bool with_name_anchor, std::int64_t colour) {
  PageStyle::PersonLink link;
  if (!PersonLinkFacts(site, kind, person, with_name_anchor, &link)) return;
  const bool family_group = kind == PersonLinkKind::kFamilyGroup;
  link.coloured = link.linked && family_group && colour != kNoColour;
  if (link.coloured) link.colour = static_cast<std::uint32_t>(colour);
  if (family_group && with_icons) {
    const std::int32_t notes_entry = NotesEntry(site, person);
    if (site.NotesPagesOn() && !person.notes.empty() && notes_entry != -1) {
      link.notes_icon = true;
      link.notes_target = NotesHref(NamingOf(site), notes_entry);
    }
    const Bookmark* first = BookmarkAt(site, PersonLinkKind::kPedigree, person, 0);
    if (site.settings().create_pedigree_groups && first) {
      link.pedigree_icon = true;
      link.pedigree_target =
          ChartTarget(site, *first, PageKind::kPedigree, PageKind::kExtendedPedigree,
                      PedigreeExtended(site, person));
    }
  }
  site.style().WritePersonLink(site.writer, link);
}

void WritePersonEntry(SiteContext& site, PersonLinkKind kind, const IndividualRecord& person,
                      bool with_name_anchor) {
  PageStyle::PersonEntry entry;
  if (!PersonLinkFacts(site, kind, person, with_name_anchor, &entry.link)) return;

  using Birth = PageStyle::PersonEntry::Birth;
  const ShownDates dates = DatesShown(person, DatesOn::kIndexEntry, site.settings());
  if (dates.birth.withheld) {
    entry.birth = Birth::kWithheld;
  } else if (dates.birth.shown) {
    entry.birth = Birth::kDate;
    entry.birth_date = dates.birth.date;
  }
  if (dates.death.shown) {
    entry.death = true;
    entry.death_date = dates.death.date;
  }

  if (kind == PersonLinkKind::kDescendancy && !entry.link.linked) {
    const auto& individuals = site.store().individuals;
    auto surname_of = [&](std::int32_t i) -> std::string {
      return i >= 0 && i < static_cast<std::int32_t>(individuals.size()) ? individuals[i].surname
                                                                         : std::string();
    };
    const std::span<const Bookmark> marks = BookmarksOf(site, kind).Of(TablePosition(site, person));
    for (std::size_t k = 0; k < marks.size() && k < store::kExpandingArrayCapacity; ++k) {
      const Bookmark* mark = BookmarkAt(site, kind, person, k);
      if (!mark) break;
      PageStyle::ChartTree tree;
      tree.target = ChartTarget(site, *mark, PageKind::kDescendancy, PageKind::kExtendedDescendancy,
                                mark->extended);
      tree.first_surname = surname_of(mark->first_person);
      tree.couple = mark->second_person != -1;
      if (tree.couple) tree.second_surname = surname_of(mark->second_person);
      entry.trees.push_back(std::move(tree));
    }
  }
  site.style().WritePersonEntry(site.writer, entry);
}

}  // namespace kinloom::site
