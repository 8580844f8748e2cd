#include "store/genealogy_store.h"

#include <algorithm>

namespace kinloom::store {

void GenealogyStore::Allocate(int individual_count, int family_count, int note_count) {
  Release();
  individuals.assign(static_cast<std::size_t>(std::max(individual_count, 0)), IndividualRecord{});
  families.assign(static_cast<std::size_t>(std::max(family_count, 0)), FamilyRecord{});
  notes.assign(static_cast<std::size_t>(std::max(note_count, 0)), NoteRecord{});
  ids.Create(individuals.size() + families.size());
}

bool GenealogyStore::StoreNoteRecord(NoteRecord record) {
  if (note_records_stored < 0 || static_cast<std::size_t>(note_records_stored) >= notes.size())
    return false;
  notes[static_cast<std::size_t>(note_records_stored++)] = std::move(record);
  return true;
}

std::size_t StoreArenas::bytes() const {
  return ids.bytes() + names.bytes() + given_names.bytes() + surnames.bytes() +
         sort_keys.bytes() + dates.bytes() + places.bytes() + titles.bytes() + notes.bytes();
}

void StoreArenas::ForgetIndexes() {
  for (TextArena* arena :
       {&ids, &names, &given_names, &surnames, &sort_keys, &dates, &places, &titles, &notes})
    arena->ForgetIndex();
}

void StoreArenas::Release() {
  for (TextArena* arena :
       {&ids, &names, &given_names, &surnames, &sort_keys, &dates, &places, &titles, &notes})
    arena->Release();
}

void GenealogyStore::DropLoadingAids() {
  ids.Destroy();
  texts.ForgetIndexes();
}

void GenealogyStore::Release() {
  std::vector<IndividualRecord>().swap(individuals);
  std::vector<std::int32_t>().swap(sorted_index);
  std::vector<std::int32_t>().swap(group_heads);
  std::vector<FamilyRecord>().swap(families);
  ids.Destroy();
  std::vector<NoteRecord>().swap(notes);
  texts.Release();
  note_records_stored = 0;
  notes_entries_stored = 0;
  sorted_count = 0;
  group_count = 0;
  letter_presence = {};
}

}  // namespace kinloom::store
