#include "store/expanding_array.h"

namespace kinloom::store {

namespace {
constexpr std::size_t kCapacity = static_cast<std::size_t>(kExpandingArrayCapacity);
}

bool AddSpouseFamily(IndividualRecord& individual, std::string family_id) {
  if (individual.spouse_families.size() >= kCapacity) return false;
  individual.spouse_families.push_back(std::move(family_id));
  return true;
}

bool AddBookmark(IndividualRecord& individual, const Bookmark& bookmark) {
  if (individual.bookmarks.size() >= kCapacity) return false;
  individual.bookmarks.push_back(bookmark);
  return true;
}

bool GetBookmark(const IndividualRecord& individual, int k, Bookmark* out) {
  if (k < 0 || static_cast<std::size_t>(k) >= individual.bookmarks.size()) return false;
  *out = individual.bookmarks[static_cast<std::size_t>(k)];
  return true;
}

bool AddNote(std::vector<NoteEntry>& notes, int tag, std::string text, int context,
             int& entries_stored) {
  for (const NoteEntry& entry : notes)
    if (entry.text == text) return true;
  if (notes.size() >= kCapacity) return false;
  notes.push_back({std::move(text), tag, context});
  ++entries_stored;
  return true;
}

}  // namespace kinloom::store
