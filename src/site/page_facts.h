// The page facts: pure functions, with no output, that decide what a page shows. The dates
// and places of a person on each page kind after the privacy, LDS and christening rules,
// a person's link target and link name, page-file names, items per page, and which family
// members a group describes in full. Each style shows the same facts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_encoding.h"
#include "settings/settings.h"
#include "site/site_language.h"
#include "store/records.h"

namespace kinloom::site {

// ---- dates and places a person shows ----

// The places where a person's dates are shown. Each keeps the rules it has always had.
enum class DatesOn {
  kFamilyGroup,   // the birth and death lines of family group pages
  kDescendancy,   // the same data inline on descendancy pages
  kPedigree,      // the boxes of pedigree charts
  kNotesHeading,  // "(b. …,&nbsp;d. …)" after a name on notes pages
  kIndexEntry,    // "(b. … - d. …)" of the entries of surname index pages
  kGendex,        // the date and place fields of gendex.txt
};

// How a page picks a person's birth and death data.
struct DateRules {
  // What stands in for a missing birth.
  enum class Christening {
    kWithUseBaptism,   // the christening date and place, when no birth was read and "Use
                       // Baptism" is on
    kWhenNoBirthDate,  // the christening date whenever the birth date is empty
    kNever,            // birth data only; a christening date does not count as a birth date
  };
  // When the birth part is written at all.
  enum class BirthPart {
    kWhenRecorded,   // a birth or christening was read, with a date or a place
    kWhenDated,      // a birth or christening date is recorded (the label may stand alone)
    kWhenDateShown,  // a date or the withheld notice is shown
    kAlways,
  };
  // When the death part is written at all.
  enum class DeathPart {
    kWhenDeceasedAndRecorded,  // deceased, with a death or burial date or place
    kWhenDeceased,             // deceased, even without any date
    kWhenDated,                // a death or burial date, living or deceased
    kAlways,
  };
  Christening christening = Christening::kWithUseBaptism;
  BirthPart birth = BirthPart::kWhenRecorded;
  DeathPart death = DeathPart::kWhenDeceasedAndRecorded;
};

DateRules DateRulesOf(DatesOn page);

// One event as a page shows it. `date` and `place` view texts of the person's record.
struct ShownEvent {
  bool shown = false;      // the page writes this part
  bool withheld = false;   // the date is withheld ("--Not Shown--" stands in its place)
  std::string_view date;   // the date shown: empty when withheld or not recorded
  std::string_view place;  // the place shown: places are shown for the living too
};

struct ShownDates {
  ShownEvent birth;
  ShownEvent death;  // the death date and place, or the burial's where they are empty
};

// The birth and death data that `person` shows under `rules`. With "Suppress Living" on, a
// living person's birth (or christening) date is withheld; "Use Baptism" lets the
// christening stand in where the rules allow it.
ShownDates DatesShown(const store::IndividualRecord& person, const DateRules& rules,
                      const settings::Settings& settings);
inline ShownDates DatesShown(const store::IndividualRecord& person, DatesOn page,
                             const settings::Settings& settings) {
  return DatesShown(person, DateRulesOf(page), settings);
}

// Whether a couple's marriage date is withheld: "Suppress Living" is on and a partner who
// exists is living. Either partner may be null.
bool MarriageDateWithheld(const store::IndividualRecord* husband,
                          const store::IndividualRecord* wife, const settings::Settings& settings);

// Whether the text of an LDS ordinance item (`tag_code`) is withheld from a person (or a
// couple) that is `living`: "Suppress LDS Living" for the living, "Suppress LDS Deceased"
// for the deceased. Other items are never withheld.
bool OrdinanceWithheld(int tag_code, bool living, const settings::Settings& settings);

// Whether the christening date in a person's christening note item is withheld: "Suppress
// Living" is on, the person is living and has a christening date.
bool ChristeningItemDateWithheld(const store::IndividualRecord& person,
                                 const settings::Settings& settings);


// ---- family groups: who is described in full ----

// A spouse or child as a family group shows it: described there in full, or as a link to
// the group that describes it.
struct GroupMember {
  const store::IndividualRecord* person = nullptr;
  bool in_full = false;
};

// The members of one of the principal's families that group `group` shows.
struct GroupFamilyMembers {
  GroupMember spouse;                 // no person: the family shows no spouse
  std::vector<GroupMember> children;  // in file order; children without a name are left out
};

// Who a family group shows of a family in which its principal is a spouse, from the
// family's husband and wife (null when the family has none) and its children in file order
// (null entries are skipped). The spouse is the wife when the principal is the husband,
// else the husband; a family without a husband shows no spouse, nor does one whose spouse
// has no name. A spouse or child is described in full when its family group is `group`.
GroupFamilyMembers FamilyMembersShown(const store::IndividualRecord& principal, std::int32_t group,
                                      const store::IndividualRecord* husband,
                                      const store::IndividualRecord* wife,
                                      const std::vector<const store::IndividualRecord*>& children);


// ---- links, page-file names, items per page ----
// Items per page from a "Groups …" option ("Groups", "Groups Notes", "Groups Descendancy",
// "Groups Pedigree"): a zero option counts as 1, and a value beyond the range of int as the
// largest int.
int ItemsPerPage(std::uint32_t option);

// "d_1f.htm": a numbered page file, named by the page-kind prefix, the page number in
// lower-case hexadecimal and the page extension.
std::string NumberedPageFile(std::string_view prefix, int page, std::string_view extension);

// Item number `item` (a tree, a chart, a continuation entry) at `per_page` items a page lies
// on page item / per_page, at place item % per_page.
inline int PageOfItem(int item, int per_page) { return item / per_page; }
inline int PlaceOnPage(int item, int per_page) { return item % per_page; }

// "k_2.htm#5": the page file of item number `item` with its place on the page as anchor.
std::string ItemTarget(std::string_view prefix, int item, int per_page, std::string_view extension);

// The title of chart page number `page` (0-based) from the page texts A and B: "Descendants
// 3 of the file"; on the extended pages "Descendants Extended 3 of the file".
std::string ChartPageTitle(std::string_view text_a, int page, std::string_view text_b);
std::string ExtendedChartPageTitle(std::string_view text_a, std::string_view extended_label,
                                   int page, std::string_view text_b);

// Where item `item` of a numbering in pages of `per_page` items lies: on page item / per_page,
// at anchor item mod per_page.
struct PagePlace {
  std::int64_t page = 0;
  std::int64_t anchor = 0;
};
PagePlace PlaceOfItem(std::int64_t item, int per_page);

// What link targets and page-file names of one language are made from. `language` must
// outlive the naming.
struct PageNaming {
  const SiteLanguage* language = nullptr;
  std::string_view extension;  // "htm" or "html"
  int groups = 1;         // family groups per page
  int groups_notes = 1;   // notes entries per page

  const std::string& Prefix(PageKind kind) const { return language->Prefix(kind); }
};
PageNaming MakePageNaming(const SiteLanguage& language, const settings::Settings& settings);

// "f_3.htm#7": the family group page and anchor of family group `group` (page number in
// lower-case hexadecimal, anchor in decimal).
std::string FamilyGroupHref(const PageNaming& naming, std::int32_t group);
// "n_0.htm#4": notes entry `entry`.
std::string NotesHref(const PageNaming& naming, std::int32_t entry);
// A person's appearance on a chart page, as the chart layout records it.
struct ChartAppearance {
  bool extended = false;  // named from the extended (continuation) pages' prefix
  std::int32_t page = 0;
  std::int32_t anchor = 0;
};
// "e_1a.htm#4": the chart page of an appearance, of `extended_kind` when it is extended,
// else of `plain_kind`.
std::string ChartHref(const PageNaming& naming, PageKind plain_kind, PageKind extended_kind,
                      const ChartAppearance& appearance);

// The page kinds a link to a person can lead to.
enum class PersonLinkKind { kFamilyGroup = 0, kDescendancy = 1, kPedigree = 2, kNotes = 3 };

// Where a link of `kind` to `person` leads. `notes_entry` is the person's notes entry
// number (-1 for none: a notes target is then empty). `chart` is the person's first
// appearance on the chart kind of a descendancy or pedigree link, null when the person is on
// no such chart; the link is then not shown at all.
struct PersonTarget {
  bool shown = true;
  std::string href;
};
PersonTarget PersonLinkTarget(const PageNaming& naming, PersonLinkKind kind,
                              const store::IndividualRecord& person, std::int32_t notes_entry,
                              const ChartAppearance* chart);

// The name as links show it: surname, ", ", the given names and a blank, the title.
std::string PersonLinkName(const store::IndividualRecord& person);

// The file of the main index page: "index.htm" (the language's "Index Name").
std::string MainIndexFile(const PageNaming& naming);
// The file of a list of surnames: "c.htm" for `list_kind` kFamilySurnameList.
std::string SurnameListFile(const PageNaming& naming, PageKind list_kind);
// The letter of the surname index page of a sort key: the upper-case form of the recognised
// letter it begins with (A … Z, Æ, Ø, Å as written in `encoding`), or "~" for any other.
std::string SurnameIndexLetter(std::string_view sort_key, platform::TextEncoding encoding);
// The file of the surname index page of `letter` (a SurnameIndexLetter): "b_a.htm", "b_0.htm"
// for "~"; ASCII letters lower-cased, Æ, Ø, Å as they are.
std::string SurnameIndexFile(const PageNaming& naming, PageKind index_kind,
                             const std::string& letter);


}  // namespace kinloom::site
