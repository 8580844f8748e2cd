// The records of the genealogy store: one IndividualRecord per INDI record, one
// FamilyRecord per FAM record, one NoteRecord per kept level-0 NOTE, SOUR or REPO record.
// Records name one another by GEDCOM id text (without the at signs), as the file wrote them;
// once the file is loaded every link is resolved to a table position (ResolveLinks,
// store/family_links.h), and the later steps follow the positions only.
//
// Texts are std::string; an empty text stands for an absent one. The per-record arrays keep
// the limits of the program's expanding arrays: at most 55 spouse families and notes
// entries, at most 200 children; a new entry takes the next free slot. Where the pages show
// a person (chart bookmarks, visited flags) belongs to the site's layout, not to the store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kinloom::store {

inline constexpr int kExpandingArrayCapacity = 55;
inline constexpr int kMaxChildren = 200;

// The tier sizes of an expanding array and the tier of entry k (-1 when k has no slot).
inline constexpr int kTierSizes[5] = {2, 5, 8, 20, 20};
inline constexpr int TierOf(int k) {
  return k < 0 ? -1 : k <= 1 ? 0 : k <= 6 ? 1 : k <= 14 ? 2 : k <= 34 ? 3 : k <= 54 ? 4 : -1;
}

// One notes entry of an individual or family.
struct NoteEntry {
  std::string text;   // note text, or a note record's id ("@N5@")
  int tag = 0;        // TagCode the entry came from
  int context = 0;    // TagCode of the enclosing tag
};

struct IndividualRecord {
  char kind = 'I';
  std::int32_t index = 0;
  bool defined = false;
  bool ancestor = false;
  std::int16_t sex = 0;  // 2 male, 1 female, 0 unknown
  std::string id;
  std::string name;     // first NAME value as written, slashes included
  std::string title;    // escaped
  bool deceased = false;
  std::string death_place, death_date;      // escaped
  bool burial_seen = false;
  std::string burial_place, burial_date;    // escaped
  std::string parents_family;               // last FAMC id
  std::vector<std::string> spouse_families; // FAMS ids, at most 55
  // Table positions of the same links once resolved: -1 for an absent link (or one
  // dropped as broken); spouse_family_indices runs in step with spouse_families.
  std::int32_t parents_family_index = -1;
  std::vector<std::int32_t> spouse_family_indices;
  bool birth_seen = false;
  std::string birth_place, birth_date;      // escaped
  bool christening_seen = false;
  std::string christening_place, christening_date;  // escaped
  std::int32_t group = 0;
  char layout_role = 0;                     // 0, then 'N', 'P' or 'S'
  std::string surname;                      // escaped
  std::string given_names;                  // escaped
  std::string also_known_as;
  std::int16_t spouse_family_count = 0;     // FAMS lines counted up to 55
  std::int16_t parents_family_count = 0;    // FAMC lines
  std::string sort_key;
  std::vector<NoteEntry> notes;             // at most 55
};

struct FamilyRecord {
  char kind = 'F';
  std::int32_t index = 0;
  bool defined = false;
  std::string id;
  std::string husband;
  std::string wife;
  std::vector<std::string> children;  // at most 200, in file order
  // Table positions of the same links once resolved: -1 for an absent link; child_indices
  // runs in step with children.
  std::int32_t husband_index = -1;
  std::int32_t wife_index = -1;
  std::vector<std::int32_t> child_indices;
  bool marriage_seen = false;
  std::string marriage_place, marriage_date;  // escaped
  std::vector<NoteEntry> notes;  // at most 55
};

struct NoteRecord {
  std::string note_reference;        // "@N1@" of a NOTE line pointing elsewhere, or empty
  std::string repository_reference;  // "@R1@" of a REPO line, or empty
  std::string id;                    // the record's own id, at signs kept
  std::string text;                  // accumulated text with its markup
};

}  // namespace kinloom::store
