// The records of the genealogy store: one IndividualRecord per INDI record, one
// FamilyRecord per FAM record, one NoteRecord per kept level-0 NOTE, SOUR or REPO record.
// Records name one another by GEDCOM id text (without the at signs), as the file wrote them;
// once the file is loaded every link is resolved to a table position (ResolveLinks,
// store/family_links.h), and the later steps follow the positions only.
//
// Texts are StoredText (store/stored_text.h): the loading pass keeps them in the store's
// arenas, one per kind of text; an empty text stands for an absent one. The per-record
// arrays keep the limits of the program's expanding arrays: at most 55 spouse families and
// notes entries, at most 200 children; a new entry takes the next free slot. Where the pages show
// a person (chart bookmarks, visited flags) belongs to the site's layout, not to the store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/stored_text.h"

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
  StoredText text;    // note text, or a note record's id ("@N5@")
  int tag = 0;        // TagCode the entry came from
  int context = 0;    // TagCode of the enclosing tag
};

// The fields are ordered by size so that a record carries no padding.
struct IndividualRecord {
  StoredText id;
  StoredText name;     // first NAME value as written, slashes included
  StoredText title;    // escaped
  StoredText death_place, death_date;      // escaped
  StoredText burial_place, burial_date;    // escaped
  StoredText parents_family;               // last FAMC id
  StoredText birth_place, birth_date;      // escaped
  StoredText christening_place, christening_date;  // escaped
  StoredText surname;                      // escaped
  StoredText given_names;                  // escaped
  StoredText also_known_as;
  StoredText sort_key;
  std::vector<StoredText> spouse_families;  // FAMS ids, at most 55
  // Table positions of the same links once resolved: -1 for an absent link (or one
  // dropped as broken); spouse_family_indices runs in step with spouse_families.
  std::vector<std::int32_t> spouse_family_indices;
  std::vector<NoteEntry> notes;             // at most 55
  std::int32_t index = 0;
  std::int32_t parents_family_index = -1;
  std::int32_t group = 0;
  std::int16_t sex = 0;  // 2 male, 1 female, 0 unknown
  std::int16_t spouse_family_count = 0;     // FAMS lines counted up to 55
  std::int16_t parents_family_count = 0;    // FAMC lines
  char kind = 'I';
  char layout_role = 0;                     // 0, then 'N', 'P' or 'S'
  bool defined = false;
  bool ancestor = false;
  bool deceased = false;
  bool burial_seen = false;
  bool birth_seen = false;
  bool christening_seen = false;
};

struct FamilyRecord {
  StoredText id;
  StoredText husband;
  StoredText wife;
  StoredText marriage_place, marriage_date;  // escaped
  std::vector<StoredText> children;  // at most 200, in file order
  // Table positions of the same links once resolved: -1 for an absent link; child_indices
  // runs in step with children.
  std::vector<std::int32_t> child_indices;
  std::vector<NoteEntry> notes;  // at most 55
  std::int32_t index = 0;
  std::int32_t husband_index = -1;
  std::int32_t wife_index = -1;
  char kind = 'F';
  bool defined = false;
  bool marriage_seen = false;
};

struct NoteRecord {
  StoredText note_reference;        // "@N1@" of a NOTE line pointing elsewhere, or empty
  StoredText repository_reference;  // "@R1@" of a REPO line, or empty
  StoredText id;                    // the record's own id, at signs kept
  StoredText text;                  // accumulated text with its markup
};

}  // namespace kinloom::store
