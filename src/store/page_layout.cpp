#include "store/page_layout.h"

#include <algorithm>
#include <string>

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

void AssignFamilyGroups(GenealogyStore& store) {
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
      const FamilyRecord* parents = ParentsFamily(store, person);
      IndividualRecord* father = parents ? Husband(store, *parents) : nullptr;
      IndividualRecord* mother = parents ? Wife(store, *parents) : nullptr;
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
      const FamilyRecord* family = SpouseFamily(store, person, 0);
      IndividualRecord* spouse = nullptr;
      if (family) {
        spouse = Husband(store, *family);
        if (spouse == &person) spouse = Wife(store, *family);
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
