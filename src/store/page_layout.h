// Assigns every listed individual to exactly one family group and numbers the groups in
// table (file) order: a group is headed by one individual and also shows the spouse and the
// unmarried children placed with it.
#pragma once

#include "store/genealogy_store.h"

namespace kinloom::store {

// Fills store.group_heads (group → head's table position, -1 beyond store.group_count),
// each individual's group and layout role ('N' head, 'P' with its parents' group, 'S' with
// its spouse's group).
void AssignFamilyGroups(GenealogyStore& store);

}  // namespace kinloom::store
