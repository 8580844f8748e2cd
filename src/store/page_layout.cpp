#include "store/page_layout.h"

#include <algorithm>
#include <string>

#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "store/family_links.h"

namespace kinloom::store {
namespace {

void MakeHead(GenealogyStore& store, IndividualRecord& person) {
  person.layout_role = 'N';
  person.group = store.group_count;
  store.group_heads[store.group_count] =
      static_cast<std::int32_t>(&person - store.individuals.data());
  ++store.group_count;
}

}  // namespace

IndividualRecord* ResolveIndividual(run::RunContext& context, std::string_view id) {
  return FindIndividual(context.store, context.ui, id);
}

FamilyRecord* ResolveFamily(run::RunContext& context, std::string_view id,
                            const IndividualRecord& from) {
  return FindFamily(context.store, context.ui, id, from);
}

void AssignFamilyGroups(run::RunContext& context) {
  GenealogyStore& store = context.store;
  if (store.group_heads.size() < store.individuals.size())
    store.group_heads.resize(store.individuals.size());
  std::fill(store.group_heads.begin(), store.group_heads.end(), -1);
  store.group_count = 0;

  for (IndividualRecord& person : store.individuals) {
    if (person.defined && person.layout_role == 0 && person.spouse_family_count > 1)
      MakeHead(store, person);
  }

  for (IndividualRecord& person : store.individuals) {
    if (!person.defined || person.layout_role != 0) continue;
    if (person.spouse_family_count == 0) {
      person.layout_role = 'P';
      FamilyRecord* parents = ResolveFamily(context, person.parents_family, person);
      IndividualRecord* father = parents ? ResolveIndividual(context, parents->husband) : nullptr;
      IndividualRecord* mother = parents ? ResolveIndividual(context, parents->wife) : nullptr;
      if (father && father->layout_role != 0) {
        person.group = father->group;
      } else if (mother && mother->layout_role != 0) {
        person.group = mother->group;
      } else if (father) {
        MakeHead(store, *father);
        person.group = father->group;
      } else if (mother) {
        MakeHead(store, *mother);
        person.group = mother->group;
      } else {
        MakeHead(store, person);
      }
    } else if (person.spouse_family_count == 1) {
      person.layout_role = 'S';
      FamilyRecord* family = person.spouse_families.empty()
                                 ? nullptr
                                 : ResolveFamily(context, person.spouse_families[0], person);
      IndividualRecord* spouse = nullptr;
      if (family) {
        spouse = ResolveIndividual(context, family->husband);
        if (spouse == &person) spouse = ResolveIndividual(context, family->wife);
      }
      if (spouse) {
        if (spouse->layout_role == 0) MakeHead(store, *spouse);
        person.group = spouse->group;
      } else {
        MakeHead(store, person);
      }
    } else {
      MakeHead(store, person);
    }
  }
}

}  // namespace kinloom::store
