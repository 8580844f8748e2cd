// The per-record arrays of the store: spouse families, bookmarks and notes entries, each
// holding at most 55 entries (kExpandingArrayCapacity); a full array ignores new entries.
#pragma once

#include <string>
#include <vector>

#include "store/records.h"

namespace kinloom::store {

// Adds a spouse-family id. False when the array is full (55 entries).
bool AddSpouseFamily(IndividualRecord& individual, std::string family_id);

// Adds a bookmark; false when 55 are stored. GetBookmark copies entry k; false when k has
// no entry.
bool AddBookmark(IndividualRecord& individual, const Bookmark& bookmark);
bool GetBookmark(const IndividualRecord& individual, int k, Bookmark* out);

// Adds a notes entry. An entry with the same text already there makes it a no-op that
// reports success. A new entry adds 1 to `entries_stored` (the run-wide count). False when
// the array is full: the text is not stored.
bool AddNote(std::vector<NoteEntry>& notes, int tag, std::string text, int context,
             int& entries_stored);

}  // namespace kinloom::store
