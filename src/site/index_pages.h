// The ways into a language's site: the main index page (counts, GEDCOM file, index letters
// of every page kind, custom links, the owner's details, links to the other languages), and
// for each page kind a list of surnames and one surname index page per initial letter.
#pragma once

#include <array>
#include <functional>

#include "site/person_links.h"
#include "site/site_driver.h"

namespace kinloom::site {

// The page kinds that have index pages, numbered as PersonLinkKind.
enum class IndexKind { kFamily = 0, kDescendancy = 1, kPedigree = 2, kNotes = 3 };

// The slot order of the index letters: A … Z, other, Æ, Ø, Å.
using LetterPresence = std::array<bool, 30>;

// The index letters of one kind, linked to the kind's surname index pages that exist;
// `with_heading` heads them with the kind's name.
PageStyle::LetterBar LetterBarFacts(const SiteContext& site, IndexKind kind, bool with_heading);
// Has the site's style write the index letters of one kind.
void WriteIndexLetters(SiteContext& site, IndexKind kind, bool with_heading);

// The main index page. Returns 1, or 0 when the GEDCOM file could not be copied (reported;
// the page is left unfinished).
int WriteMainIndexPage(SiteContext& site);

// What the index pages carry over, from the sorted individuals of `store`: the number of
// surnames of the main index page. Made once per language before any page is written.
SurnameLayout LayOutSurnames(const store::GenealogyStore& store);

// The list of surnames of kind 0 … 2.
void WriteSurnameList(SiteContext& site, IndexKind kind);

// The surname index pages of kind 0 … 2, one per initial letter present.
void WriteSurnameIndexPages(SiteContext& site, IndexKind kind);

// Shared with the notes index pages: the prefixes of a kind, and the page letter of a sort
// key ("A" … "Z", Æ/Ø/Å in the store's text encoding, "~" for the rest).
PageKind SurnameIndexPrefixKind(IndexKind kind);
PageKind SurnameListPrefixKind(IndexKind kind);
std::string PageLetter(const SiteContext& site, const std::string& sort_key);
// The file-name letter of a page letter: lower-case ASCII, "0" for "~".
std::string FileLetter(const std::string& page_letter);
// The group letter of a surname on a list of surnames: its recognised first letter in lower
// case, "0" when it begins with none.
std::string SurnameListLetter(const SiteContext& site, const std::string& surname);
// Has the site's style write one surname group of a list of surnames: headed by its initial
// when the initial differs from `previous_letter` (which it then becomes), linked to the
// surname's place on the index pages of `index_prefix`, with its count.
void WriteSurnameListGroup(SiteContext& site, const std::string& index_prefix,
                           const std::string& surname, long count, std::string& previous_letter);
// Walks the sorted individuals that `take` accepts and calls `group(surname, count)` for each
// run of them whose surnames are equal (ASCII case ignored), in order. `take` may note what it
// sees; it is called once per individual.
void ForEachSurnameGroup(const store::GenealogyStore& store,
                         const std::function<bool(const store::IndividualRecord&)>& take,
                         const std::function<void(const std::string&, long)>& group);
// A page file name as a status text shows it (user-interface text is Windows-1252).
std::string StatusFileName(const SiteContext& site, const std::string& file);

}  // namespace kinloom::site
