// The per-record arrays of the store: spouse families and notes entries, each
// holding at most 55 entries (kExpandingArrayCapacity); a full array ignores new entries.
// With statistics asked for, every stored and every refused entry is counted.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace kinloom::store {

// The record an array belongs to, as the statistics name it.
struct ArrayOwner {
  char kind = 0;      // 'I' or 'F'
  int position = -1;  // position in its table
  std::string_view name;
};

// How one kind of expanding array was filled over a run.
struct ExpandingArrayStatistics {
  // The name kept of the first record to reach the largest entry count, in bytes.
  static constexpr std::size_t kNameLimit = 127;

  std::uint64_t entries = 0;  // entries stored in total
  // Per slot (entry number), how many records used it.
  std::array<std::uint64_t, kExpandingArrayCapacity> slot_use{};
  std::uint64_t full = 0;  // times an entry found its array full
  // The first record to reach the largest entry count; `max_count` also grows by one each
  // time that same record later finds its array full.
  char max_kind = 0;
  int max_position = -1;
  std::uint64_t max_count = 0;
  std::string max_name;
  // Called each time an entry is the first of a tier (the tier is allocated).
  std::function<void()> tier_allocated;

  // Entry number `count` - 1 of `owner` was stored.
  void Stored(const ArrayOwner& owner, std::size_t count);
  // An entry of `owner` found the array full.
  void Refused(const ArrayOwner& owner);
};

// Adds a spouse-family id. False when the array is full (55 entries).
bool AddSpouseFamily(IndividualRecord& individual, StoredText family_id,
                     ExpandingArrayStatistics* statistics = nullptr);

// Adds a notes entry. An entry with the same text already there makes it a no-op that
// reports success. A new entry adds 1 to `entries_stored` (the run-wide count). False when
// the array is full: the text is not stored. `owner` names the record for the statistics.
bool AddNote(std::vector<NoteEntry>& notes, int tag, StoredText text, int context,
             int& entries_stored, ExpandingArrayStatistics* statistics = nullptr,
             const ArrayOwner& owner = {});

}  // namespace kinloom::store
