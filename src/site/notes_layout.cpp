#include "site/notes_layout.h"

#include <string>
#include <unordered_set>

#include "store/sort_keys.h"

namespace kinloom::site {
namespace {

using store::NoteEntry;

using RecordKeys = std::unordered_set<std::string>;

// NoteRecordKey of every note record id that begins with "@".
RecordKeys AtSignKeys(const store::GenealogyStore& store) {
  RecordKeys keys;
  for (const store::NoteRecord& record : store.notes)
    if (!record.id.empty() && record.id[0] == '@') keys.emplace(NoteRecordKey(record.id));
  return keys;
}

// An item that names no note record writes nothing; any other item writes the entry.
bool GetsEntry(const std::vector<NoteEntry>& notes, const RecordKeys& keys) {
  for (const NoteEntry& item : notes) {
    if (item.text.empty() || item.text[0] != '@') return true;
    if (keys.count(std::string(NoteRecordKey(item.text))) != 0) return true;
  }
  return false;
}

std::int32_t At(const std::vector<std::int32_t>& entries, std::size_t index) {
  return index < entries.size() ? entries[index] : -1;
}

}  // namespace

std::int32_t NotesLayout::IndividualEntry(std::size_t index) const {
  return At(individual_entries, index);
}

std::int32_t NotesLayout::FamilyEntry(std::size_t index) const { return At(family_entries, index); }

std::string_view NoteRecordKey(std::string_view text) {
  std::size_t second = text.size() > 1 ? text.find('@', 1) : std::string_view::npos;
  return second == std::string_view::npos ? text : text.substr(0, second + 1);
}

NotesLayout LayOutNotes(const store::GenealogyStore& store) {
  NotesLayout layout;
  const RecordKeys keys = AtSignKeys(store);
  layout.individual_entries.assign(store.individuals.size(), -1);
  layout.family_entries.assign(store.families.size(), -1);
  for (std::size_t i = 0; i < store.individuals.size(); ++i) {
    const store::IndividualRecord& person = store.individuals[i];
    if (person.defined && GetsEntry(person.notes, keys))
      layout.individual_entries[i] = layout.entry_count++;
  }
  for (std::size_t i = 0; i < store.families.size(); ++i) {
    if (GetsEntry(store.families[i].notes, keys)) layout.family_entries[i] = layout.entry_count++;
  }

  for (int k = 0; k < store.sorted_count; ++k) {
    const std::size_t i = static_cast<std::size_t>(store.sorted_index[k]);
    if (layout.individual_entries[i] == -1) continue;
    layout.any_listed = true;
    layout.presence[store::IndexSlotOfText(store.individuals[i].sort_key, store.text_encoding)] =
        true;
  }
  return layout;
}

}  // namespace kinloom::site
