// The memory tracker of the statistics report: bytes the store holds per kind of text or
// table, with three totals (allocated over the run, allocated now, the peak of "now").
// Texts are counted as a stored text costs: its length and a terminating zero; the
// expanding arrays by the tiers their entry count needs. The store itself keeps no
// counters: MeasureStore reckons its present figures and Follow brings the tracker to them,
// so the run calls it at the points where the store has grown or shrunk.
#pragma once

#include <array>
#include <cstdint>

namespace kinloom::store {

class GenealogyStore;

// The kinds, by the numbers the tracker takes.
enum MemoryTrackerKind : int {
  MEM_TRACKER_UNCOUNTED = 0,
  MEM_TRACKER_FAMILY = 1,
  MEM_TRACKER_BOOKMARK = 2,
  MEM_TRACKER_MAIN_STRUCT = 3,
  MEM_TRACKER_TOTALS_ONLY = 4,
  MEM_TRACKER_HASH = 5,
  MEM_TRACKER_OVERFLOW_DESC = 6,
  MEM_TRACKER_OVERFLOW_PEDIGREE = 7,
  MEM_TRACKER_FAMILY_NAME = 8,
  MEM_TRACKER_EXTRACTPTR = 9,
  MEM_TRACKER_HASH_KEY = 10,
  MEM_TRACKER_VARIOUS_NAME = 11,
  MEM_TRACKER_DATE_STRING1 = 12,
  MEM_TRACKER_PLACE_STRING = 13,
  MEM_TRACKER_DATE_STRING2 = 14,
  MEM_TRACKER_DATE_STRING3 = 15,
  MEM_TRACKER_TITLE = 16,
  MEM_TRACKER_FAM_CHILD = 17,
  MEM_TRACKER_SORTNAME = 18,
  MEM_TRACKER_SURNAME = 19,
  MEM_TRACKER_REMNAME = 20,
  MEM_TRACKER_HUSBAND = 21,
  MEM_TRACKER_WIFE = 22,
  MEM_TRACKER_SPOUCE = 23,
  MEM_TRACKER_CHILD = 24,
  MEM_TRACKER_NOTE_TEXT = 25,
  MEM_TRACKER_NOTES = 26,
  MEM_TRACKER_AKA = 27,
};
inline constexpr int kMemoryTrackerKinds = 28;

using MemoryFigures = std::array<std::uint64_t, kMemoryTrackerKinds>;

class MemoryTracker {
 public:
  // Adds (or, without `add`, takes away) `size` bytes under `kind`. Kinds 0 and 4 and
  // unknown kinds change the totals only; a subtraction never takes a figure below 0.
  void TrackMemory(std::uint64_t size, bool add, int kind);
  // Tracks whatever brings each kind from the figures last followed to `present`.
  void Follow(const MemoryFigures& present);

  std::uint64_t total() const { return total_; }
  std::uint64_t current() const { return current_; }
  std::uint64_t peak() const { return peak_; }
  // What is allocated now under `kind` (0 for kinds without a counter).
  std::uint64_t counter(int kind) const;

 private:
  std::uint64_t total_ = 0, current_ = 0, peak_ = 0;
  MemoryFigures counters_{};
  MemoryFigures followed_{};
};

// The bytes `store` holds now, per kind.
MemoryFigures MeasureStore(const GenealogyStore& store);

// The bytes of the tiers that an expanding array of `count` bookmarks occupies (17 bytes a
// slot), counted under MEM_TRACKER_BOOKMARK.
std::uint64_t BookmarkTierBytes(std::size_t count);

}  // namespace kinloom::store
