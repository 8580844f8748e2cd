// The notes pages' share of a language's layout: which individuals and families get an
// entry on the notes pages, with the entry numbers that notes icons and notes links point
// to, and which initial letters the notes surname index pages have. Computed from the store
// before any page of the language is written.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "store/genealogy_store.h"

namespace kinloom::site {

struct NotesLayout {
  // Entry numbers 0, 1, 2 … in writing order (individuals in table order, then families in
  // table order), by table position; -1 for a record without an entry.
  std::vector<std::int32_t> individual_entries;
  std::vector<std::int32_t> family_entries;
  std::int32_t entry_count = 0;
  // The index slots (store::IndexSlotOfText) of the sort keys of the individuals with an
  // entry: the initials of the notes surname index pages.
  std::array<bool, 30> presence{};
  bool any_listed = false;  // some individual has an entry

  // The entry number of the individual or family at table position `index`; -1 for none.
  std::int32_t IndividualEntry(std::size_t index) const;
  std::int32_t FamilyEntry(std::size_t index) const;
};

// The key by which a note item or reference names a note record: the text up to and
// including its second "@" (the whole text when there is none).
std::string_view NoteRecordKey(std::string_view text);

// Lays out the notes of `store` (sorted, with the individuals' sort keys). A defined
// individual with note items, or a family with note items, gets an entry when one item is
// plain text (not beginning with "@") or names a note record whose id begins with "@"; only
// individuals with an entry are listed on the notes surname list and index pages.
NotesLayout LayOutNotes(const store::GenealogyStore& store);

}  // namespace kinloom::site
