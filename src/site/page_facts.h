// The page facts: pure functions, with no output, that decide what a page shows. The dates
// and places of a person on each page kind after the privacy, LDS and christening rules,
// a person's link target and link name, page-file names, items per page, and which family
// members a group describes in full. Each style shows the same facts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "settings/settings.h"
#include "site/site_language.h"
#include "store/records.h"

namespace kinloom::site {

// ---- dates and places a person shows ----


// ---- family groups: who is described in full ----


// ---- links, page-file names, items per page ----

// Items per page of an option such as "Groups" or "Groups Notes": its value, a zero counting
// as 1 and a value beyond the range of int as the largest int.
int ItemsPerPage(std::uint32_t option);

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
  std::string extension;  // "htm" or "html"
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

// Where a link of `kind` to `person` leads. `chart` is the person's first appearance on
// the chart kind of a descendancy or pedigree link, null when the person is on no such
// chart; the link is then not shown at all. A notes target is empty when the person has no
// notes entry.
struct PersonTarget {
  bool shown = true;
  std::string href;
};
PersonTarget PersonLinkTarget(const PageNaming& naming, PersonLinkKind kind,
                              const store::IndividualRecord& person,
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
