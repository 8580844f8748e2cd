#include "store/expanding_array.h"

namespace kinloom::store {

namespace {
constexpr std::size_t kCapacity = static_cast<std::size_t>(kExpandingArrayCapacity);

bool FirstOfTier(std::size_t k) { return k == 0 || k == 2 || k == 7 || k == 15 || k == 35; }

ArrayOwner OwnerOf(const IndividualRecord& individual) {
  return {'I', individual.index, individual.name};
}
}  // namespace

void ExpandingArrayStatistics::Stored(const ArrayOwner& owner, std::size_t count) {
  if (count == 0 || count > kCapacity) return;
  ++entries;
  ++slot_use[count - 1];
  if (count > max_count) {
    max_count = count;
    max_kind = owner.kind;
    max_position = owner.position;
    max_name = std::string(owner.name.substr(0, kNameLimit));
  }
  if (FirstOfTier(count - 1) && tier_allocated) tier_allocated();
}

void ExpandingArrayStatistics::Refused(const ArrayOwner& owner) {
  ++full;
  if (owner.kind == max_kind && owner.position == max_position) ++max_count;
}

bool AddSpouseFamily(IndividualRecord& individual, StoredText family_id,
                     ExpandingArrayStatistics* statistics) {
  if (individual.spouse_families.size() >= kCapacity) {
    if (statistics != nullptr) statistics->Refused(OwnerOf(individual));
    return false;
  }
  individual.spouse_families.push_back(std::move(family_id));
  if (statistics != nullptr)
    statistics->Stored(OwnerOf(individual), individual.spouse_families.size());
  return true;
}

bool AddNote(std::vector<NoteEntry>& notes, int tag, StoredText text, int context,
             int& entries_stored, ExpandingArrayStatistics* statistics, const ArrayOwner& owner) {
  for (const NoteEntry& entry : notes)
    if (entry.text == text) return true;
  if (notes.size() >= kCapacity) {
    if (statistics != nullptr) statistics->Refused(owner);
    return false;
  }
  notes.push_back({std::move(text), tag, context});
  ++entries_stored;
  if (statistics != nullptr) statistics->Stored(owner, notes.size());
  return true;
}

}  // namespace kinloom::store
