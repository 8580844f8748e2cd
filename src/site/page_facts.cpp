#include "site/page_facts.h"

#include <algorithm>
#include <climits>

#include "lang/ui_text.h"
#include "lang/tag_labels.h"

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
  return lang::FormatText("%s_%x.%s", std::string(prefix).c_str(), static_cast<unsigned>(page),
                          std::string(extension).c_str());
}

std::string ItemTarget(std::string_view prefix, int item, int per_page,
                       std::string_view extension) {
  return NumberedPageFile(prefix, PageOfItem(item, per_page), extension) + "#" +
         std::to_string(PlaceOnPage(item, per_page));
}

std::string ChartPageTitle(std::string_view text_a, int page, std::string_view text_b) {
  return lang::FormatText("%s %li %s", std::string(text_a).c_str(), static_cast<long>(page + 1),
                          std::string(text_b).c_str());
}

std::string ExtendedChartPageTitle(std::string_view text_a, std::string_view extended_label,
                                   int page, std::string_view text_b) {
  return lang::FormatText("%s %s %li %s", std::string(text_a).c_str(),
                          std::string(extended_label).c_str(), static_cast<long>(page + 1),
                          std::string(text_b).c_str());
}


}  // namespace kinloom::site
