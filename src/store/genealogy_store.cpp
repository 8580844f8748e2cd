#include "store/genealogy_store.h"

namespace kinloom::store {

void GenealogyStore::Release() {
  std::vector<IndividualRecord>().swap(individuals);
  std::vector<std::int32_t>().swap(sorted_index);
  std::vector<std::int32_t>().swap(group_heads);
  std::vector<FamilyRecord>().swap(families);
  ids.Destroy();
  std::vector<NoteRecord>().swap(notes);
  note_records_stored = 0;
  notes_entries_stored = 0;
  sorted_count = 0;
  group_count = 0;
  letter_presence = {};
}

}  // namespace kinloom::store
