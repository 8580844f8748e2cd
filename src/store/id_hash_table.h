// Finds an individual or a family by its GEDCOM id (without the at signs). Individuals and
// families share the table; ids are compared byte for byte, case-sensitively.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace kinloom::store {

struct IndividualRecord;
struct FamilyRecord;

// What an id names: one of the two record kinds, by position in its table.
struct IdTarget {
  char kind = 0;  // 'I' or 'F'
  int index = -1;
};

class IdHashTable {
 public:
  // Prepares the table for `records` ids.
  void Create(std::size_t records);
  // Enters an id. Returns false when the id is already present (the caller reports it).
  bool Insert(std::string_view id, IdTarget target);
  // The record an id names, or nothing (kind 0).
  IdTarget Find(std::string_view id) const;
  void Destroy();
  std::size_t size() const { return map_.size(); }

 private:
  std::unordered_map<std::string, IdTarget> map_;
};

}  // namespace kinloom::store
