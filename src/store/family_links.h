// The links between records. Once the file is loaded, ResolveLinks turns every id a record
// names (parents family, spouse families, husband, wife, children) into a table position;
// a link that leads nowhere, or to a record of the wrong kind, is a structural error of the
// GEDCOM file, reported there before any later step runs. Every later step follows the
// positions through the accessors below, which never look an id up and never fail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/genealogy_store.h"
#include "store/structural_faults.h"

namespace kinloom::store {

inline constexpr const char* kSupportAddress = "support@kinloom-genealogy.org";

// The individual an id names; null for an empty id (an absent link). An id that names a
// family or nothing is reported to `faults` and ends the program.
IndividualRecord* FindIndividual(GenealogyStore& store, FaultReporter& faults,
                                 std::string_view id);
// The family an id names, followed from `from`; null for an empty id. An id that names an
// individual or nothing is reported to `faults` and ends the program.
FamilyRecord* FindFamily(GenealogyStore& store, FaultReporter& faults, std::string_view id,
                         const IndividualRecord& from);

// Fills the index fields of every record from its id texts: the individuals in table order
// (parents family, then each spouse family), then the families (husband, wife, each child).
// The first broken link met is reported with its message (FindIndividual, FindFamily) and
// ends the program, so that nothing after loading can meet one. Ids dropped by
// DropBrokenLinks are absent and give -1. Running it again gives the same positions.
void ResolveLinks(GenealogyStore& store, FaultReporter& faults);

namespace detail {
template <typename Table>
auto At(Table& table, std::int32_t index) -> decltype(&table[0]) {
  return index >= 0 && static_cast<std::size_t>(index) < table.size()
             ? &table[static_cast<std::size_t>(index)]
             : nullptr;
}
inline std::int32_t Entry(const std::vector<std::int32_t>& indices, int k) {
  return k >= 0 && static_cast<std::size_t>(k) < indices.size()
             ? indices[static_cast<std::size_t>(k)]
             : -1;
}
}  // namespace detail

// The record at a table position; null for -1 or a position outside the table.
inline IndividualRecord* IndividualAt(GenealogyStore& store, std::int32_t index) {
  return detail::At(store.individuals, index);
}
inline const IndividualRecord* IndividualAt(const GenealogyStore& store, std::int32_t index) {
  return detail::At(store.individuals, index);
}
inline FamilyRecord* FamilyAt(GenealogyStore& store, std::int32_t index) {
  return detail::At(store.families, index);
}
inline const FamilyRecord* FamilyAt(const GenealogyStore& store, std::int32_t index) {
  return detail::At(store.families, index);
}

// A family's husband, wife and child k (CHIL order); null when absent.
inline IndividualRecord* Husband(GenealogyStore& store, const FamilyRecord& family) {
  return IndividualAt(store, family.husband_index);
}
inline const IndividualRecord* Husband(const GenealogyStore& store, const FamilyRecord& family) {
  return IndividualAt(store, family.husband_index);
}
inline IndividualRecord* Wife(GenealogyStore& store, const FamilyRecord& family) {
  return IndividualAt(store, family.wife_index);
}
inline const IndividualRecord* Wife(const GenealogyStore& store, const FamilyRecord& family) {
  return IndividualAt(store, family.wife_index);
}
inline IndividualRecord* Child(GenealogyStore& store, const FamilyRecord& family, int k) {
  return IndividualAt(store, detail::Entry(family.child_indices, k));
}
inline const IndividualRecord* Child(const GenealogyStore& store, const FamilyRecord& family,
                                     int k) {
  return IndividualAt(store, detail::Entry(family.child_indices, k));
}

// An individual's parents family and spouse family k (FAMS order); null when absent.
inline FamilyRecord* ParentsFamily(GenealogyStore& store, const IndividualRecord& person) {
  return FamilyAt(store, person.parents_family_index);
}
inline const FamilyRecord* ParentsFamily(const GenealogyStore& store,
                                         const IndividualRecord& person) {
  return FamilyAt(store, person.parents_family_index);
}
inline FamilyRecord* SpouseFamily(GenealogyStore& store, const IndividualRecord& person, int k) {
  return FamilyAt(store, detail::Entry(person.spouse_family_indices, k));
}
inline const FamilyRecord* SpouseFamily(const GenealogyStore& store,
                                        const IndividualRecord& person, int k) {
  return FamilyAt(store, detail::Entry(person.spouse_family_indices, k));
}

// Copies spouse-family entry k of the individual into *out; false when k has no entry.
bool GetSpouseFamily(const IndividualRecord& individual, int k, std::string* out);

}  // namespace kinloom::store
