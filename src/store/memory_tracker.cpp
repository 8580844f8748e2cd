#include "store/memory_tracker.h"

#include <algorithm>
#include <string>

#include "store/genealogy_store.h"

namespace kinloom::store {

namespace {

bool HasCounter(int kind) {
  return kind > 0 && kind < kMemoryTrackerKinds && kind != MEM_TRACKER_TOTALS_ONLY;
}

// Slots of the tiers that `count` entries of an expanding array occupy.
std::uint64_t TierSlots(std::size_t count) {
  if (count == 0) return 0;
  const int last = TierOf(static_cast<int>(std::min<std::size_t>(count, 55)) - 1);
  std::uint64_t slots = 0;
  for (int t = 0; t <= last; ++t) slots += static_cast<std::uint64_t>(kTierSizes[t]);
  return slots;
}

// What one notes array costs: the 64-byte header, the three 32-bit values of each tier
// slot, and its texts.
constexpr std::uint64_t kNotesHeaderBytes = 64;
constexpr std::uint64_t kNotesSlotBytes = 12;
constexpr std::uint64_t kFamilySlotBytes = 4;
constexpr std::uint64_t kBookmarkSlotBytes = 17;

class Measure {
 public:
  MemoryFigures figures{};

  void Text(std::string_view text, int kind) {
    if (!text.empty()) figures[static_cast<std::size_t>(kind)] += text.size() + 1;
  }
  void Notes(const std::vector<NoteEntry>& notes) {
    if (notes.empty()) return;
    figures[MEM_TRACKER_NOTES] += kNotesHeaderBytes + TierSlots(notes.size()) * kNotesSlotBytes;
    for (const NoteEntry& entry : notes) Text(entry.text, MEM_TRACKER_NOTE_TEXT);
  }
};

}  // namespace

void MemoryTracker::TrackMemory(std::uint64_t size, bool add, int kind) {
  std::uint64_t* counter = HasCounter(kind) ? &counters_[static_cast<std::size_t>(kind)] : nullptr;
  if (add) {
    total_ += size;
    current_ += size;
    if (current_ > peak_) peak_ = current_;
    if (counter != nullptr) *counter += size;
  } else {
    current_ -= std::min(size, current_);
    if (counter != nullptr) *counter -= std::min(size, *counter);
  }
}

void MemoryTracker::Follow(const MemoryFigures& present) {
  for (int kind = 0; kind < kMemoryTrackerKinds; ++kind) {
    const std::size_t k = static_cast<std::size_t>(kind);
    if (present[k] > followed_[k])
      TrackMemory(present[k] - followed_[k], true, kind);
    else if (present[k] < followed_[k])
      TrackMemory(followed_[k] - present[k], false, kind);
    followed_[k] = present[k];
  }
}

std::uint64_t MemoryTracker::counter(int kind) const {
  return HasCounter(kind) ? counters_[static_cast<std::size_t>(kind)] : 0;
}

std::uint64_t BookmarkTierBytes(std::size_t count) { return TierSlots(count) * kBookmarkSlotBytes; }

MemoryFigures MeasureStore(const GenealogyStore& store) {
  Measure m;
  for (const IndividualRecord& p : store.individuals) {
    m.Text(p.id, MEM_TRACKER_EXTRACTPTR);
    m.Text(p.name, MEM_TRACKER_VARIOUS_NAME);
    m.Text(p.title, MEM_TRACKER_TITLE);
    m.Text(p.death_place, MEM_TRACKER_PLACE_STRING);
    m.Text(p.burial_place, MEM_TRACKER_PLACE_STRING);
    m.Text(p.birth_place, MEM_TRACKER_PLACE_STRING);
    m.Text(p.christening_place, MEM_TRACKER_PLACE_STRING);
    m.Text(p.death_date, MEM_TRACKER_DATE_STRING3);
    m.Text(p.burial_date, MEM_TRACKER_DATE_STRING3);
    m.Text(p.birth_date, MEM_TRACKER_DATE_STRING1);
    m.Text(p.christening_date, MEM_TRACKER_DATE_STRING1);
    m.Text(p.parents_family, MEM_TRACKER_FAM_CHILD);
    m.figures[MEM_TRACKER_FAMILY] += TierSlots(p.spouse_families.size()) * kFamilySlotBytes;
    for (const StoredText& id : p.spouse_families) m.Text(id, MEM_TRACKER_SPOUCE);
    m.Text(p.surname, MEM_TRACKER_SURNAME);
    m.Text(p.given_names, MEM_TRACKER_REMNAME);
    m.Text(p.also_known_as, MEM_TRACKER_AKA);
    m.Text(p.sort_key, MEM_TRACKER_SORTNAME);
    m.Notes(p.notes);
  }
  for (const FamilyRecord& f : store.families) {
    m.Text(f.id, MEM_TRACKER_EXTRACTPTR);
    m.Text(f.husband, MEM_TRACKER_HUSBAND);
    m.Text(f.wife, MEM_TRACKER_WIFE);
    for (const StoredText& child : f.children) m.Text(child, MEM_TRACKER_CHILD);
    m.Text(f.marriage_place, MEM_TRACKER_PLACE_STRING);
    m.Text(f.marriage_date, MEM_TRACKER_DATE_STRING2);
    m.Notes(f.notes);
  }
  for (const NoteRecord& n : store.notes) {
    m.Text(n.note_reference, MEM_TRACKER_NOTE_TEXT);
    m.Text(n.repository_reference, MEM_TRACKER_NOTE_TEXT);
    m.Text(n.id, MEM_TRACKER_NOTE_TEXT);
    m.Text(n.text, MEM_TRACKER_NOTE_TEXT);
  }
  m.figures[MEM_TRACKER_MAIN_STRUCT] +=
      store.individuals.capacity() * sizeof(IndividualRecord) +
      store.families.capacity() * sizeof(FamilyRecord) +
      store.notes.capacity() * sizeof(NoteRecord) +
      (store.sorted_index.capacity() + store.group_heads.capacity()) * sizeof(std::int32_t);
  m.figures[MEM_TRACKER_HASH] += store.ids.table_bytes();
  m.figures[MEM_TRACKER_HASH_KEY] += store.ids.key_bytes();
  return m.figures;
}

}  // namespace kinloom::store
