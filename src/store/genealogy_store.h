// The genealogy store of one run: the individual, family and note tables sized by the
// counting pass, the derived order arrays and the id index. Owned by the run object.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/text_encoding.h"
#include "store/id_hash_table.h"
#include "store/records.h"

namespace kinloom::store {

// The store's texts, one arena per kind. Where texts repeat through a file (ids, which every
// link names again, surnames, given names, dates, places, titles, note texts) an equal text
// is stored once; full names and sort keys are nearly all different and are only appended.
struct StoreArenas {
  TextArena ids{true};
  TextArena names;             // NAME values and also-known-as texts
  TextArena given_names{true};
  TextArena surnames{true};
  TextArena sort_keys;
  TextArena dates{true};
  TextArena places{true};
  TextArena titles{true};
  TextArena notes{true};       // note texts, note record ids and references

  // Bytes of every arena.
  std::size_t bytes() const;
  // Drops the interning indexes; the texts stay.
  void ForgetIndexes();
  void Release();
};

class GenealogyStore {
 public:
  // Where the records' texts live; released with the tables (declared first, so that the
  // records go before their texts).
  StoreArenas texts;
  std::vector<IndividualRecord> individuals;  // one per counted INDI record, file order
  std::vector<std::int32_t> sorted_index;     // individuals in sort order
  std::vector<std::int32_t> group_heads;      // group number → individual index
  std::vector<FamilyRecord> families;         // one per counted FAM record, file order
  IdHashTable ids;
  std::vector<NoteRecord> notes;  // kept level-0 NOTE, SOUR and REPO records
  int note_records_stored = 0;    // NoteRecords filled so far
  int notes_entries_stored = 0;   // notes entries added to records over the run

  // Sizes the tables with the counts of the counting pass, every record cleared, and
  // prepares the id index for individuals + families ids.
  void Allocate(int individual_count, int family_count, int note_count);

  // The NoteRecord table filler: stores `record` in the next slot of `notes` in file order.
  // Returns false (and drops the record) when the table is full.
  bool StoreNoteRecord(NoteRecord record);
  int sorted_count = 0;                       // leading entries of sorted_index in use
  int group_count = 0;                        // leading entries of group_heads in use
  // Initial letters present among the listed individuals' sort keys: A … Z (0 … 25), other
  // (26), Æ (27), Ø (28), Å (29).
  std::array<bool, 30> letter_presence{};
  // The encoding of every text of the store: Windows-1252 for Windows-1252 input, UTF-8 for
  // any other (set by the loading pass).
  platform::TextEncoding text_encoding = platform::TextEncoding::kWindows1252;

  // Frees what only loading and the derived order need: the id index and the arenas'
  // interning indexes. The records, their resolved links and their texts stay; an id
  // entered later (a hand-built record) starts a new index.
  void DropLoadingAids();

  // Releases everything; the store is empty afterwards.
  void Release();
};

// Asks the processor early for what a walk of the individuals in sort order reads: the
// records a few steps ahead and the names, sort key and dates of the nearer ones. Sort order is
// not the order of the records in memory, and at a million people every record read in
// that order would otherwise wait for memory.
inline const IndividualRecord* SortedAhead(const GenealogyStore& store, int i, int steps) {
  const auto k = static_cast<std::size_t>(i) + static_cast<std::size_t>(steps);
  if (i < 0 || k >= static_cast<std::size_t>(store.sorted_count) ||
      k >= store.sorted_index.size())
    return nullptr;
  const auto at = static_cast<std::size_t>(store.sorted_index[k]);
  return at < store.individuals.size() ? &store.individuals[at] : nullptr;
}

// Asks for the cache line at `address`. (An asm statement: the compiler drops a plain
// __builtin_prefetch from an inline function whose only effect it is.)
inline void PrefetchLine(const void* address) {
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(address)));
#else
  __builtin_prefetch(address);
#endif
}

inline void PrefetchSortedWalk(const GenealogyStore& store, int i) {
  if (const IndividualRecord* far = SortedAhead(store, i, 16)) {
    const char* record = reinterpret_cast<const char*>(far);
    for (std::size_t at = 0; at < sizeof(IndividualRecord); at += 64) PrefetchLine(record + at);
  }
  if (const IndividualRecord* near = SortedAhead(store, i, 8)) {
    for (const StoredText* text : {&near->surname, &near->sort_key, &near->given_names,
                                   &near->birth_date, &near->death_date})
      PrefetchLine(text->data());
  }
}

}  // namespace kinloom::store
