#include "site/page_facts.h"

#include <algorithm>
#include <climits>

#include "lang/ui_text.h"
#include "lang/tag_labels.h"
#include "site/text_pieces.h"
#include "store/sort_keys.h"

namespace kinloom::site {

// ---- dates and places a person shows ----

DateRules DateRulesOf(DatesOn page) {
  using C = DateRules::Christening;
  using B = DateRules::BirthPart;
  using D = DateRules::DeathPart;
  switch (page) {
    case DatesOn::kFamilyGroup:
    case DatesOn::kDescendancy:
      return {C::kWithUseBaptism, B::kWhenRecorded, D::kWhenDeceasedAndRecorded};
    case DatesOn::kPedigree:
      return {C::kWithUseBaptism, B::kWhenDated, D::kWhenDated};
    case DatesOn::kNotesHeading:
      return {C::kWhenNoBirthDate, B::kAlways, D::kWhenDeceased};
    case DatesOn::kIndexEntry:
      return {C::kWithUseBaptism, B::kWhenDateShown, D::kWhenDated};
    case DatesOn::kGendex:
      return {C::kNever, B::kAlways, D::kAlways};
  }
  return {};
}

ShownDates DatesShown(const store::IndividualRecord& person, const DateRules& rules,
                      const settings::Settings& settings) {
  using C = DateRules::Christening;
  using B = DateRules::BirthPart;
  using D = DateRules::DeathPart;
  const bool living = !person.deceased;
  ShownDates shown;

  ShownEvent& birth = shown.birth;
  const bool dated = !person.birth_date.empty() ||
                     (rules.christening != C::kNever && !person.christening_date.empty());
  birth.withheld = dated && settings.suppress_living && living;
  std::string_view date;
  switch (rules.christening) {
    case C::kWithUseBaptism: {
      const bool baptism = !person.birth_seen && settings.use_baptism;
      if (person.birth_seen && !person.birth_date.empty())
        date = person.birth_date;
      else if (baptism && !person.christening_date.empty())
        date = person.christening_date;
      if (person.birth_seen && !person.birth_place.empty())
        birth.place = person.birth_place;
      else if (baptism && !person.christening_place.empty())
        birth.place = person.christening_place;
      break;
    }
    case C::kWhenNoBirthDate:
      date = person.birth_date.empty() ? person.christening_date : person.birth_date;
      birth.place = person.birth_place.empty() ? person.christening_place : person.birth_place;
      break;
    case C::kNever:
      date = person.birth_date;
      birth.place = person.birth_place;
      break;
  }
  if (!birth.withheld && dated) birth.date = date;
  switch (rules.birth) {
    case B::kWhenRecorded:
      birth.shown = (person.birth_seen || person.christening_seen) &&
                    (!person.birth_date.empty() || !person.birth_place.empty() ||
                     !person.christening_date.empty() || !person.christening_place.empty());
      break;
    case B::kWhenDated:
      birth.shown = dated;
      break;
    case B::kWhenDateShown:
      birth.shown = birth.withheld || !birth.date.empty();
      break;
    case B::kAlways:
      birth.shown = true;
      break;
  }

  ShownEvent& death = shown.death;
  death.date = person.death_date.empty() ? person.burial_date : person.death_date;
  death.place = person.death_place.empty() ? person.burial_place : person.death_place;
  switch (rules.death) {
    case D::kWhenDeceasedAndRecorded:
      death.shown = person.deceased && (!death.date.empty() || !death.place.empty());
      break;
    case D::kWhenDeceased:
      death.shown = person.deceased;
      break;
    case D::kWhenDated:
      death.shown = !death.date.empty();
      break;
    case D::kAlways:
      death.shown = true;
      break;
  }
  return shown;
}

bool MarriageDateWithheld(const store::IndividualRecord* husband,
                          const store::IndividualRecord* wife, const settings::Settings& settings) {
  return settings.suppress_living &&
         ((husband && !husband->deceased) || (wife && !wife->deceased));
}

bool OrdinanceWithheld(int tag_code, bool living, const settings::Settings& settings) {
  if (!lang::IsLdsTag(tag_code)) return false;
  return living ? settings.suppress_lds_living != 0 : settings.suppress_lds_deceased != 0;
}

bool ChristeningItemDateWithheld(const store::IndividualRecord& person,
                                 const settings::Settings& settings) {
  return settings.suppress_living && !person.deceased && !person.christening_date.empty();
}


// ---- family groups: who is described in full ----

GroupFamilyMembers FamilyMembersShown(const store::IndividualRecord& principal, std::int32_t group,
                                      const store::IndividualRecord* husband,
                                      const store::IndividualRecord* wife,
                                      const std::vector<const store::IndividualRecord*>& children) {
  GroupFamilyMembers members;
  const store::IndividualRecord* spouse = nullptr;
  if (husband) spouse = husband == &principal ? wife : husband;
  if (spouse && spouse->defined) members.spouse = {spouse, spouse->group == group};
  for (const store::IndividualRecord* child : children) {
    if (!child || !child->defined) continue;
    members.children.push_back({child, child->group == group});
  }
  return members;
}


// ---- links, page-file names, items per page ----
int ItemsPerPage(std::uint32_t option) {
  return static_cast<int>(std::clamp<std::uint32_t>(option, 1, INT_MAX));
}

std::string NumberedPageFile(std::string_view prefix, int page, std::string_view extension) {
  return JoinPieces({prefix, "_", NumberText::Hex(static_cast<unsigned>(page)), ".", extension});
}

std::string ItemTarget(std::string_view prefix, int item, int per_page,
                       std::string_view extension) {
  return JoinPieces({prefix, "_", NumberText::Hex(static_cast<unsigned>(PageOfItem(item, per_page))),
                     ".", extension, "#", NumberText::Decimal(PlaceOnPage(item, per_page))});
}

std::string ChartPageTitle(std::string_view text_a, int page, std::string_view text_b) {
  return JoinPieces({text_a, " ", NumberText::Decimal(static_cast<long>(page + 1)), " ", text_b});
}

std::string ExtendedChartPageTitle(std::string_view text_a, std::string_view extended_label,
                                   int page, std::string_view text_b) {
  return JoinPieces({text_a, " ", extended_label, " ",
                     NumberText::Decimal(static_cast<long>(page + 1)), " ", text_b});
}

namespace {

std::string PlaceHref(const PageNaming& naming, PageKind kind, PagePlace place) {
  return JoinPieces({naming.Prefix(kind), "_",
                     NumberText::Hex(static_cast<unsigned long long>(place.page)), ".",
                     naming.extension, "#", NumberText::Decimal(static_cast<long long>(place.anchor))});
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

PagePlace PlaceOfItem(std::int64_t item, int per_page) {
  return {item / per_page, item % per_page};
}

PageNaming MakePageNaming(const SiteLanguage& language, const settings::Settings& settings) {
  return {&language, settings.htm ? "htm" : "html", ItemsPerPage(settings.groups),
          ItemsPerPage(settings.groups_notes)};
}

std::string FamilyGroupHref(const PageNaming& naming, std::int32_t group) {
  return PlaceHref(naming, PageKind::kFamilyGroup, PlaceOfItem(group, naming.groups));
}

std::string NotesHref(const PageNaming& naming, std::int32_t entry) {
  return PlaceHref(naming, PageKind::kNotes, PlaceOfItem(entry, naming.groups_notes));
}

std::string ChartHref(const PageNaming& naming, PageKind plain_kind, PageKind extended_kind,
                      const ChartAppearance& appearance) {
  return JoinPieces({naming.Prefix(appearance.extended ? extended_kind : plain_kind), "_",
                     NumberText::Hex(static_cast<unsigned>(appearance.page)), ".",
                     naming.extension, "#", NumberText::Decimal(appearance.anchor)});
}

PersonTarget PersonLinkTarget(const PageNaming& naming, PersonLinkKind kind,
                              const store::IndividualRecord& person, std::int32_t notes_entry,
                              const ChartAppearance* chart) {
  PersonTarget target;
  switch (kind) {
    case PersonLinkKind::kFamilyGroup:
      target.href = FamilyGroupHref(naming, person.group);
      break;
    case PersonLinkKind::kNotes:
      // The entry number, never a note record's table position: the notes pages are
      // numbered by entries, so a record's position would land on someone else's entry.
      if (notes_entry != -1) target.href = NotesHref(naming, notes_entry);
      break;
    case PersonLinkKind::kDescendancy:
      target.shown = chart != nullptr;
      if (chart)
        target.href =
            ChartHref(naming, PageKind::kDescendancy, PageKind::kExtendedDescendancy, *chart);
      break;
    case PersonLinkKind::kPedigree:
      target.shown = chart != nullptr;
      if (chart)
        target.href = ChartHref(naming, PageKind::kPedigree, PageKind::kExtendedPedigree, *chart);
      break;
  }
  return target;
}

std::string PersonLinkName(const store::IndividualRecord& person) {
  std::string name = person.surname;
  name += ", ";
  if (!person.given_names.empty()) name += person.given_names + " ";
  name += person.title;
  return name;
}

std::string MainIndexFile(const PageNaming& naming) {
  return JoinPieces({naming.language->index_name, ".", naming.extension});
}

std::string SurnameListFile(const PageNaming& naming, PageKind list_kind) {
  return JoinPieces({naming.Prefix(list_kind), ".", naming.extension});
}

std::string SurnameIndexLetter(std::string_view sort_key, platform::TextEncoding encoding) {
  std::string letter(sort_key.substr(0, store::RecognisedLetterLength(sort_key, encoding)));
  if (letter.empty()) return "~";
  if (letter.size() == 1 && letter[0] >= 'a' && letter[0] <= 'z')
    letter[0] = static_cast<char>(letter[0] - 'a' + 'A');
  return letter;
}

std::string SurnameIndexFile(const PageNaming& naming, PageKind index_kind,
                             const std::string& letter) {
  std::string file_letter = letter == "~" ? "0" : letter;
  for (char& c : file_letter) c = LowerAscii(c);
  return JoinPieces({naming.Prefix(index_kind), "_", file_letter, ".", naming.extension});
}


}  // namespace kinloom::site
