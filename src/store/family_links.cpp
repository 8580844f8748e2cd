#include "store/family_links.h"

#include "lang/ui_text.h"

namespace kinloom::store {

IndividualRecord* FindIndividual(GenealogyStore& store, FaultReporter& faults,
                                 std::string_view id) {
  if (id.empty()) return nullptr;
  IdTarget target = store.ids.Find(id);
  if (target.kind == 'I' && target.index >= 0 &&
      static_cast<std::size_t>(target.index) < store.individuals.size())
    return &store.individuals[static_cast<std::size_t>(target.index)];
  if (target.kind != 0) {
    EndWithStructuralError(
        faults, std::string("Unexpected Internal Error at Position 12.  Closing Down. \n\n "
                            "Please email technical support with this error message at ") +
                    kSupportAddress);
  }
  std::string name(id);
  EndWithStructuralError(
      faults, std::string("Structural problem in GEDCOM file.  A family references\n") +
                  lang::FormatText("individual \"%s\", but an individual with that ID was\n",
                                   name.c_str()) +
                  "not found in the GEDCOM file.\n"
                  "Please check your genealogy database to ensure that all\n"
                  "family/individual links are correct.\n\n"
                  "Aborting HTML file creation and closing down.\n");
}

FamilyRecord* FindFamily(GenealogyStore& store, FaultReporter& faults, std::string_view id,
                         const IndividualRecord& from) {
  if (id.empty()) return nullptr;
  IdTarget target = store.ids.Find(id);
  if (target.kind == 'F' && target.index >= 0 &&
      static_cast<std::size_t>(target.index) < store.families.size())
    return &store.families[static_cast<std::size_t>(target.index)];
  const std::string family_id(id);
  if (target.kind != 0)
    EndWithStructuralError(
        faults, lang::FormatText("Record \"%s\" is not a Family... error", family_id.c_str()));
  EndWithStructuralError(
      faults, lang::FormatText("Error in GEDCOM structure\n Individual \"%s\" (id \"%s\") "
                               "refrences family \"%s\"\n",
                               from.name.c_str(), from.id.c_str(), family_id.c_str()) +
                  "but no family with that ID was found in GEDCOM file.  "
                  "Please check the family links around that individual,"
                  "re-extract your GEDCOM file, and try again.  ");
}

void ResolveLinks(GenealogyStore& store, FaultReporter& faults) {
  auto individual = [&](std::string_view id) -> std::int32_t {
    const IndividualRecord* found = FindIndividual(store, faults, id);
    return found ? static_cast<std::int32_t>(found - store.individuals.data()) : -1;
  };
  auto family = [&](std::string_view id, const IndividualRecord& from) -> std::int32_t {
    const FamilyRecord* found = FindFamily(store, faults, id, from);
    return found ? static_cast<std::int32_t>(found - store.families.data()) : -1;
  };
  for (IndividualRecord& person : store.individuals) {
    person.parents_family_index = family(person.parents_family, person);
    person.spouse_family_indices.clear();
    person.spouse_family_indices.reserve(person.spouse_families.size());
    for (const StoredText& id : person.spouse_families)
      person.spouse_family_indices.push_back(family(id, person));
  }
  for (FamilyRecord& record : store.families) {
    record.husband_index = individual(record.husband);
    record.wife_index = individual(record.wife);
    record.child_indices.clear();
    record.child_indices.reserve(record.children.size());
    for (const StoredText& id : record.children)
      record.child_indices.push_back(individual(id));
  }
}

bool GetSpouseFamily(const IndividualRecord& individual, int k, std::string* out) {
  if (k < 0 || k >= kExpandingArrayCapacity ||
      static_cast<std::size_t>(k) >= individual.spouse_families.size())
    return false;
  *out = individual.spouse_families[static_cast<std::size_t>(k)];
  return true;
}

}  // namespace kinloom::store
