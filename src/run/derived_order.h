// The derived order of one run, made once after the links are resolved and before any page
// is written: the ancestor marks of "Ancestor Id", who is taken to be living, the sort keys,
// the family-group layout and the sorted order, with their progress reports (28% to 32%).
// It is the last step that completes the store's records and order; after it the page
// writers add only their own work fields (visited flags, bookmarks, notes-entry numbers).
#pragma once

#include <functional>

#include "run/run_context.h"

namespace kinloom::run {

// Makes the derived order in context.store, reporting through ShowProgress(context, ...).
// Text not stated as a character set, or stated as UNICODE, is taken as ANSI from here on.
// `ancestors_marked` is called once the ancestors of "Ancestor Id" are marked (with "Mark
// All Ancestors" on and that individual found), so that the caller can add what the pages
// show beside them.
void PrepareDerivedOrder(RunContext& context, const std::function<void()>& ancestors_marked);

}  // namespace kinloom::run
