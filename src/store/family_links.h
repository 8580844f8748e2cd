// Following the id links between records. A link that leads nowhere, or to a record of the
// wrong kind, is a structural error of the GEDCOM file: the lookup tells the user (warning
// box, no caption) and ends the program with status 1.
#pragma once

#include <string>
#include <string_view>

#include "platform/ui.h"
#include "run/run_context.h"
#include "store/genealogy_store.h"

namespace kinloom::store {

inline constexpr const char* kSupportAddress = "support@kinloom-genealogy.org";

// The individual an id names; null for an empty id (an absent link).
IndividualRecord* FindIndividual(GenealogyStore& store, platform::UserInterface& ui,
                                 std::string_view id);
// The family an id names, followed from `from`; null for an empty id.
FamilyRecord* FindFamily(GenealogyStore& store, platform::UserInterface& ui, std::string_view id,
                         const IndividualRecord& from);

inline IndividualRecord* FindIndividual(run::RunContext& context, std::string_view id) {
  return FindIndividual(context.store, context.ui, id);
}
inline FamilyRecord* FindFamily(run::RunContext& context, std::string_view id,
                                const IndividualRecord& from) {
  return FindFamily(context.store, context.ui, id, from);
}

// Copies spouse-family entry k of the individual into *out; false when k has no entry.
bool GetSpouseFamily(const IndividualRecord& individual, int k, std::string* out);

}  // namespace kinloom::store
