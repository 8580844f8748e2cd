// Following the id links between records. A link that leads nowhere, or to a record of the
// wrong kind, is a structural error of the GEDCOM file: the lookup tells the user (warning
// box, no caption) and ends the program with status 1.
#pragma once

#include <string>
#include <string_view>

#include "platform/program_end.h"
#include "platform/ui.h"
#include "run/run_context.h"
#include "store/genealogy_store.h"

namespace kinloom::store {

inline constexpr const char* kSupportAddress = "support@kinloom-genealogy.org";

// How a structural error of the data (a broken link, a duplicate id) ends the program once
// its message has been shown: status 1, and a kind of its own so that the command line can
// follow the message with a hint at "Skip Broken Links".
class StructuralErrorEnd : public platform::ProgramEnd {
 public:
  StructuralErrorEnd() : ProgramEnd(1, "structural error in the GEDCOM file") {}
};

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
