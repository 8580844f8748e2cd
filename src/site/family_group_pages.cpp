#include "site/family_group_pages.h"

#include <optional>
#include <vector>

#include "lang/ui_text.h"
#include "site/page_facts.h"
#include "site/person_links.h"
#include "store/family_links.h"

namespace kinloom::site {
namespace {

constexpr int kStatusFamilyPages = 2348;  // "Creating data pages for Families"

using lang::FormatText;
using store::FamilyRecord;
using store::IndividualRecord;

int TablePosition(const SiteContext& site, const IndividualRecord& person) {
  return static_cast<int>(&person - site.store().individuals.data());
}

// The GEDCOM id, notes icon and pedigree icon that follow a person's name.
PersonMarks MarksOf(const SiteContext& site, const IndividualRecord& person) {
  PersonMarks marks;
  if (site.settings().show_gedcom_ids) marks.gedcom_id = person.id;
  if (site.NotesPagesOn())
    marks.notes_target = NotesIconTarget(site, TablePosition(site, person), true);
  if (site.settings().create_pedigree_groups)
    marks.pedigree_target = PedigreeIconTarget(site, person);
  return marks;
}

// A link to the group that describes `person` in full.
GroupLinkUnit LinkTo(const SiteContext& site, const IndividualRecord& person, bool with_icons,
                     bool with_name_anchor, std::int64_t colour) {
  GroupLinkUnit link;
  link.target = FamilyGroupTarget(site, person);
  if (with_name_anchor) link.name_anchor = AnchorName(person);
  link.colour = colour;
  link.red_dot = site.MarkAncestors() && person.ancestor;
  link.name = PersonLinkName(person);
  if (site.settings().show_gedcom_ids) link.marks.gedcom_id = person.id;
  if (with_icons) {
    PersonMarks icons = MarksOf(site, person);
    link.marks.notes_target = icons.notes_target;
    link.marks.pedigree_target = icons.pedigree_target;
  }
  return link;
}

// The parents block of `person`, when its parents family has a husband or a wife.
std::optional<ParentsUnit> ParentsOf(SiteContext& site, const IndividualRecord& person) {
  if (person.parents_family.empty()) return std::nullopt;
  FamilyRecord* family = store::ParentsFamily(site.store(), person);
  if (!family) return std::nullopt;
  IndividualRecord* father = store::Husband(site.store(), *family);
  IndividualRecord* mother = store::Wife(site.store(), *family);
  if (!father && !mother) return std::nullopt;
  std::int64_t colour = FamilyColours(site.settings()).parents;
  ParentsUnit parents;
  if (father && father->defined) parents.father = LinkTo(site, *father, false, true, colour);
  if (mother && mother->defined) parents.mother = LinkTo(site, *mother, false, true, colour);
  return parents;
}

FullPersonUnit Described(SiteContext& site, const IndividualRecord& person,
                         FullPersonUnit::Role role, std::int64_t colour) {
  FullPersonUnit unit;
  unit.role = role;
  unit.surname = person.surname;
  unit.given_names = person.given_names;
  unit.title = person.title;
  if (role != FullPersonUnit::Role::kChild) unit.also_known_as = person.also_known_as;
  unit.colour = site.ColoursSuppressed() ? -1 : colour;
  unit.red_dot = site.MarkAncestors() && person.ancestor;
  unit.marks = MarksOf(site, person);
  unit.vitals = VitalsOf(site, person, false);
  if (role != FullPersonUnit::Role::kChild) unit.parents = ParentsOf(site, person);
  return unit;
}

GroupMemberUnit Member(SiteContext& site, const GroupMember& member, FullPersonUnit::Role role,
                       std::int64_t full_colour, std::int64_t link_colour) {
  GroupMemberUnit unit;
  unit.in_full = member.in_full;
  if (member.in_full)
    unit.full = Described(site, *member.person, role, full_colour);
  else
    unit.link = LinkTo(site, *member.person, true, false, link_colour);
  return unit;
}

FamilyBlockUnit FamilyBlock(SiteContext& site, const IndividualRecord& principal,
                            const FamilyRecord& family, int group,
                            const FamilyPageColours& colours) {
  run::RunContext& run = site.run;
  const IndividualRecord* husband = store::Husband(run.store, family);
  const IndividualRecord* wife = store::Wife(run.store, family);
  std::vector<const IndividualRecord*> children;
  for (int k = 0; k < static_cast<int>(family.children.size()); ++k)
    children.push_back(store::Child(run.store, family, k));
  const GroupFamilyMembers members = FamilyMembersShown(principal, group, husband, wife, children);

  FamilyBlockUnit block;
  if (family.marriage_seen && (!family.marriage_place.empty() || !family.marriage_date.empty())) {
    MarriageUnit marriage;
    marriage.withheld = MarriageDateWithheld(husband, wife, site.settings());
    marriage.date = family.marriage_date;
    marriage.place = family.marriage_place;
    const int position = static_cast<int>(&family - site.store().families.data());
    if (site.NotesPagesOn()) marriage.notes_target = NotesIconTarget(site, position, false);
    block.marriage = marriage;
  }
  if (members.spouse.person)
    block.spouse =
        Member(site, members.spouse, FullPersonUnit::Role::kSpouse, colours.spouses, kNoColour);
  block.has_children = !family.children.empty();
  for (const GroupMember& child : members.children)
    block.children.push_back(
        Member(site, child, FullPersonUnit::Role::kChild, colours.children, colours.children));
  return block;
}

}  // namespace

FamilyPageColours FamilyColours(const settings::Settings& settings) {
  FamilyPageColours c;
  bool text = settings.use_text_color != 0;
  bool family_pages = settings.use_text_color_for_family_pages != 0;
  if (!family_pages) {
    c.spouses = settings.colours[settings::kColourHusbandAndWife];
    c.children = settings.colours[settings::kColourChildren];
    c.parents = settings.colours[settings::kColourParents];
  } else if (text) {
    c.spouses = c.children = c.parents = settings.colours[settings::kColourText];
  }
  return c;
}

void WriteFamilyGroupPages(SiteContext& site) {
  const store::GenealogyStore& store = site.store();
  int per_page = site.Groups();
  bool open = false;
  for (int i = 0; i < store.group_count; ++i) {
    if (i % per_page == 0) {
      if (i > 0) {
        ShowProgress(
            site.run, 11,
            FormatText("%s : %d", lang::LoadUiText(kStatusFamilyPages, site.settings()).c_str(),
                       i / per_page),
            true);
        site.writer.ClosePage();
      }
      std::string file = FormatText("%s_%x.%s", site.Prefix(PageKind::kFamilyGroup).c_str(),
                                    static_cast<unsigned>(i / per_page), site.Extension().c_str());
      std::string title =
          FormatText("%s %li %s", site.language.family_text_a.c_str(),
                     static_cast<long>(i / per_page + 1), site.language.family_text_b.c_str());
      site.writer.OpenPage(site.OutputPath(file), title, true, true);
      open = true;
    }
    WriteFamilyGroup(site, i);
    if (i % per_page != per_page - 1) site.writer.WriteRule();
  }
  if (open) site.writer.ClosePage();
}

void WriteFamilyGroup(SiteContext& site, int group) {
  store::GenealogyStore& store = site.store();
  const settings::Settings& options = site.settings();
  const IndividualRecord& principal = store.individuals[store.group_heads[group]];
  FamilyPageColours colours = FamilyColours(options);

  FamilyGroupUnit unit;
  unit.back_link = !options.minimize_absolute && !options.one_index_page_link;
  unit.anchor = group % site.Groups();
  unit.principal = Described(site, principal, FullPersonUnit::Role::kPrincipal, colours.spouses);
  for (int k = 0;
       k < principal.spouse_family_count && k < static_cast<int>(principal.spouse_families.size());
       ++k) {
    FamilyRecord* family = store::SpouseFamily(site.store(), principal, k);
    if (family) unit.families.push_back(FamilyBlock(site, principal, *family, group, colours));
  }
  site.style().FamilyGroup(site.writer, unit);
}

VitalsUnit VitalsOf(const SiteContext& site, const IndividualRecord& person, bool inline_form) {
  const settings::Settings& options = site.settings();
  VitalsUnit vitals;
  vitals.dates = DatesShown(person, inline_form ? DatesOn::kDescendancy : DatesOn::kFamilyGroup,
                            options);
  if (options.gender && (person.sex == 1 || person.sex == 2)) vitals.sex = person.sex;
  vitals.inline_form = inline_form;
  return vitals;
}

bool WriteVitals(SiteContext& site, const IndividualRecord& person, bool inline_form) {
  VitalsUnit vitals = VitalsOf(site, person, inline_form);
  site.style().Vitals(site.writer, vitals);
  return vitals.dates.birth.shown || vitals.dates.death.shown;
}

}  // namespace kinloom::site
