// The ways every page kind refers to an individual: the link to where the individual is
// described (family group, descendancy, pedigree or notes page), the index entry with its
// dates, the red-dot ancestor mark, the GEDCOM id and the notes and pedigree icons. All
// output goes to the open page of the site's page writer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "site/page_facts.h"
#include "site/site_driver.h"
#include "store/records.h"

namespace kinloom::site {

inline constexpr std::int64_t kNoColour = -1;

// The link targets and page-file names of the site's current language.
PageNaming NamingOf(const SiteContext& site);

// "f_3.htm#7": the family group page and anchor where the individual is described in full.
std::string FamilyGroupTarget(const SiteContext& site, const store::IndividualRecord& person);

// The link to the individual's place on a page of `kind`, the name as its text, then the
// GEDCOM id and (family groups only, when `with_icons`) the notes and pedigree icons, and
// "<br>". For descendancy and pedigree an individual that is on no chart gets nothing at
// all. `colour` (0xRRGGBB or kNoColour) styles family-group links.
void WritePersonLink(SiteContext& site, PersonLinkKind kind, const store::IndividualRecord& person,
                     bool with_icons, bool with_name_anchor, std::int64_t colour);

// The entry of a surname index page: red dot, link, GEDCOM id, "(b. … - d. …)" and, for
// descendancy with "Group Only For Topmost", the list of couples whose trees show the person.
void WritePersonEntry(SiteContext& site, PersonLinkKind kind, const store::IndividualRecord& person,
                      bool with_name_anchor);

void WriteRedDot(SiteContext& site);

// "<small>{id}</small> " (the id escaped); appended to *target when given, else written.
void WriteGedcomId(SiteContext& site, const store::IndividualRecord& person,
                   std::string* target = nullptr);

// The notes icon of an individual (`number` = table position) or a family. Returns whether
// it wrote anything.
bool WriteNotesIcon(SiteContext& site, int number, bool is_individual);

// The pedigree icon of an individual on the pedigree chart; nothing otherwise.
void WritePedigreeIcon(SiteContext& site, const store::IndividualRecord& person);

// Where the notes icon and the pedigree icon above lead; empty when there is no icon.
std::string NotesIconTarget(const SiteContext& site, int number, bool is_individual);
std::string PedigreeIconTarget(const SiteContext& site, const store::IndividualRecord& person);

// The anchor of a surname on the surname index pages: lower-cased (ASCII letters only),
// without the blanks and control characters around it and without tabs, which a browser
// strips from an href, so that the name and every link to it read the same. Both the name
// anchors and the links of the lists of surnames are written from it.
std::string SurnameAnchor(std::string_view surname);

// The anchor name of a person: SurnameAnchor of the surname.
std::string AnchorName(const store::IndividualRecord& person);

// Whether the individual is treated as living (its deceased flag is clear).
inline bool IsLiving(const store::IndividualRecord& person) { return !person.deceased; }

// Whether the individual has note items (only they give a notes entry).
bool HasNotes(const store::IndividualRecord& person);

// Whether the individual appears on the charts of `kind` (descendancy or pedigree): it has
// bookmark 0 in that kind's layout.
bool OnChart(const SiteContext& site, PersonLinkKind kind, const store::IndividualRecord& person);

}  // namespace kinloom::site
