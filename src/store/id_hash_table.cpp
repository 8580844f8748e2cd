#include "store/id_hash_table.h"

namespace kinloom::store {

std::uint64_t IdHashTable::Hash(std::string_view id) const { return HashText(id, seed_); }

void IdHashTable::Create(std::size_t records) {
  Destroy();
  std::size_t capacity = 16;
  while (capacity < records * 2) capacity *= 2;
  slots_.assign(capacity, 0);
  entries_.reserve(records);
}

std::size_t IdHashTable::Probe(std::string_view id, std::uint64_t hash) const {
  std::size_t mask = slots_.size() - 1;
  std::size_t slot = static_cast<std::size_t>(hash) & mask;
  for (;;) {
    std::int32_t number = slots_[slot];
    if (number == 0) return slot;
    const Entry& entry = entries_[static_cast<std::size_t>(number - 1)];
    if (entry.hash == hash && entry.key_size == id.size() &&
        std::string_view(keys_).substr(entry.key_offset, entry.key_size) == id)
      return slot;
    slot = (slot + 1) & mask;
  }
}

void IdHashTable::Grow() {
  std::size_t capacity = slots_.empty() ? 16 : slots_.size() * 2;
  slots_.assign(capacity, 0);
  std::size_t mask = capacity - 1;
  for (std::size_t n = 0; n < entries_.size(); ++n) {
    std::size_t slot = static_cast<std::size_t>(entries_[n].hash) & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::int32_t>(n + 1);
  }
}

bool IdHashTable::Insert(std::string_view id, IdTarget target) {
  // Keep at most half of the slots in use so that probe runs stay short.
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  std::uint64_t hash = Hash(id);
  std::size_t slot = Probe(id, hash);
  if (slots_[slot] != 0) return false;
  entries_.push_back({hash, keys_.size(), static_cast<std::uint32_t>(id.size()), target});
  keys_.append(id);
  slots_[slot] = static_cast<std::int32_t>(entries_.size());
  return true;
}

IdTarget IdHashTable::Find(std::string_view id) const {
  if (slots_.empty()) return IdTarget{};
  std::size_t slot = Probe(id, Hash(id));
  std::int32_t number = slots_[slot];
  return number == 0 ? IdTarget{} : entries_[static_cast<std::size_t>(number - 1)].target;
}

void IdHashTable::Destroy() {
  std::vector<std::int32_t>().swap(slots_);
  std::vector<Entry>().swap(entries_);
  std::string().swap(keys_);
}

void InsertId(IdHashTable& table, FaultReporter& faults, std::string_view id, IdTarget target) {
  if (!table.Insert(id, target)) EndWithStructuralError(faults, kDuplicateIdMessage);
}

}  // namespace kinloom::store
