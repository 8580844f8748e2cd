// The family group pages: each group shows its principal's vital data and parents, then
// every family in which the principal is a spouse with the marriage, the spouse and the
// children. Spouses and children placed in the group are described in full; the others are
// links to their own groups. "Groups" groups share one page file.
#pragma once

#include <cstdint>

#include "site/site_driver.h"
#include "store/records.h"

namespace kinloom::site {

// The colours of names on family group pages (0xRRGGBB, or -1 for none), from "Use Text
// Color" and "Use Text Color For Familypages".
struct FamilyPageColours {
  std::int64_t spouses = -1;  // principal and spouse
  std::int64_t children = -1;
  std::int64_t parents = -1;
};
FamilyPageColours FamilyColours(const settings::Settings& settings);

// Writes all family group pages of the current language.
void WriteFamilyGroupPages(SiteContext& site);

// Writes group `group` to the open page.
void WriteFamilyGroup(SiteContext& site, int group);

// The birth and death data of one individual as the page style receives them (`inline_form`
// on descendancy pages).
VitalsUnit VitalsOf(const SiteContext& site, const store::IndividualRecord& person,
                    bool inline_form);

// Writes the birth and death lines of one individual in the site's style. Returns whether a
// birth or death line was written.
bool WriteVitals(SiteContext& site, const store::IndividualRecord& person, bool inline_form);

}  // namespace kinloom::site
