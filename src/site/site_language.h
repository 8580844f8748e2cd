// The values of the output language being generated: page-kind prefixes, per-language
// texts and the date stamp. The site driver fills one before it writes any page of a
// language; every page writer reads it.
#pragma once

#include <array>
#include <string>

namespace kinloom::site {

// The page kinds that are named from a per-language prefix.
enum class PageKind {
  kFamilyGroup,              // f
  kFamilySurnameIndex,       // b
  kFamilySurnameList,        // c
  kDescendancy,              // d
  kExtendedDescendancy,      // e
  kDescendancySurnameIndex,  // h
  kDescendancySurnameList,   // i
  kPedigree,                 // p
  kExtendedPedigree,         // k
  kPedigreeSurnameIndex,     // l
  kPedigreeSurnameList,      // m
  kNotes,                    // n
  kNotesSurnameList,         // s
  kNotesSurnameIndex,        // o
  kAuthor,                   // r
  kCount
};

struct SiteLanguage {
  int language = 0;  // language index 0 … 8
  std::array<std::string, static_cast<int>(PageKind::kCount)> prefixes;
  std::string index_title;
  std::string index_name;  // lower-cased base name of the main index page
  std::string family_text_a, family_text_b;
  std::string descendancy_text_a, descendancy_text_b;
  std::string pedigree_text_a, pedigree_text_b;
  std::string notes_text_a, notes_text_b;
  std::string custom_links_title;
  std::string date_stamp;
  std::string caption;  // the progress display's language caption
  std::string translator_name, translator_address;

  const std::string& Prefix(PageKind kind) const { return prefixes[static_cast<int>(kind)]; }
};

}  // namespace kinloom::site
