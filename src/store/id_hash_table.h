// Finds an individual or a family by its GEDCOM id (without the at signs). Individuals and
// families share the table; ids are compared byte for byte, case-sensitively. The loading
// pass enters every record's id and the resolution of links (store/family_links.h) reads
// them; no step after it looks an id up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/stored_text.h"
#include "store/structural_faults.h"

namespace kinloom::store {

struct IndividualRecord;
struct FamilyRecord;

// What an id names: one of the two record kinds, by position in its table.
struct IdTarget {
  char kind = 0;  // 'I' or 'F'
  int index = -1;
};

// Open addressing over one block of key bytes; no allocation per id.
class IdHashTable {
 public:
  // Prepares the table for `records` ids (more may be entered; the table then grows).
  void Create(std::size_t records);
  // Enters an id. Returns false when the id is already present (the caller reports it).
  bool Insert(std::string_view id, IdTarget target);
  // The record an id names, or nothing (kind 0).
  IdTarget Find(std::string_view id) const;
  void Destroy();
  std::size_t size() const { return entries_.size(); }
  // Bytes held by the slots and entries, and by the stored keys.
  std::size_t table_bytes() const {
    return slots_.capacity() * sizeof(std::int32_t) + entries_.capacity() * sizeof(Entry);
  }
  std::size_t key_bytes() const { return keys_.size(); }

 private:
  struct Entry {
    std::uint64_t hash;
    std::uint64_t key_offset;
    std::uint32_t key_size;
    IdTarget target;
  };
  std::uint64_t Hash(std::string_view id) const;
  // The slot holding `id`, or the empty slot where it would go.
  std::size_t Probe(std::string_view id, std::uint64_t hash) const;
  void Grow();

  std::vector<std::int32_t> slots_;  // entry number + 1; 0 is an empty slot
  std::vector<Entry> entries_;
  std::string keys_;
  std::uint64_t seed_ = RandomHashSeed();
};

inline constexpr const char* kDuplicateIdMessage = "ERROR, duplicate key value in hash table!";

// Enters an id; on a duplicate reports kDuplicateIdMessage to `faults` and ends the program
// (StructuralErrorEnd).
void InsertId(IdHashTable& table, FaultReporter& faults, std::string_view id, IdTarget target);

}  // namespace kinloom::store
