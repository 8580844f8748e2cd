#include "store/id_hash_table.h"

namespace kinloom::store {

void IdHashTable::Create(std::size_t records) {
  map_.clear();
  map_.reserve(records);
}

bool IdHashTable::Insert(std::string_view id, IdTarget target) {
  return map_.emplace(std::string(id), target).second;
}

IdTarget IdHashTable::Find(std::string_view id) const {
  auto it = map_.find(std::string(id));
  return it == map_.end() ? IdTarget{} : it->second;
}

void IdHashTable::Destroy() { std::unordered_map<std::string, IdTarget>().swap(map_); }

}  // namespace kinloom::store
