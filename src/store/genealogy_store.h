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

class GenealogyStore {
 public:
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

  // Releases everything; the store is empty afterwards.
  void Release();
};

}  // namespace kinloom::store
