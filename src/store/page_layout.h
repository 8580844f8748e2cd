// Assigns every listed individual to exactly one family group and numbers the groups in
// table (file) order: a group is headed by one individual and also shows the spouse and the
// unmarried children placed with it. Also the record lookups that follow the store's id
// links, ending the program when a link leads nowhere.
#pragma once

#include <string_view>

#include "run/run_context.h"
#include "store/genealogy_store.h"

namespace kinloom::store {

// The individual an id names, or null for an empty id. An id that names a family or
// nothing is a structural fault of the GEDCOM file: it is reported and ends the program.
IndividualRecord* ResolveIndividual(run::RunContext& context, std::string_view id);

// The family an id names, followed from `from`, or null for an empty id. An id that names an
// individual or nothing is reported and ends the program.
FamilyRecord* ResolveFamily(run::RunContext& context, std::string_view id,
                            const IndividualRecord& from);

// Fills store.group_heads (group → head's table position, -1 beyond store.group_count),
// each individual's group and layout role ('N' head, 'P' with its parents' group, 'S' with
// its spouse's group).
void AssignFamilyGroups(run::RunContext& context);

}  // namespace kinloom::store
