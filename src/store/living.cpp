#include "store/living.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "store/family_links.h"
#include "store/genealogy_store.h"

namespace kinloom::store {

int YearOf(std::string_view date) {
  std::size_t end = date.size();
  while (end > 0 && (date[end - 1] < '0' || date[end - 1] > '9')) --end;
  if (end == 0) return 0;
  std::size_t begin = end;
  while (begin > 0 && date[begin - 1] >= '0' && date[begin - 1] <= '9') --begin;
  std::int64_t year = 0;
  for (std::size_t i = begin; i < end; ++i) {
    year = year * 10 + (date[i] - '0');
    if (year > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(year);
}

void MarkAncestors(GenealogyStore& store, int individual) {
  const auto count = static_cast<int>(store.individuals.size());
  if (individual < 0 || individual >= count) return;
  // Depth first, the father's line before the mother's, as a recursion would visit them.
  std::vector<IndividualRecord*> pending{&store.individuals[individual]};
  while (!pending.empty()) {
    IndividualRecord* person = pending.back();
    pending.pop_back();
    if (person->ancestor) continue;
    person->ancestor = true;
    if (person->parents_family_count <= 0) continue;
    const FamilyRecord* parents = ParentsFamily(store, *person);
    if (!parents) continue;
    IndividualRecord* father = Husband(store, *parents);
    IndividualRecord* mother = Wife(store, *parents);
    if (mother && !mother->ancestor) pending.push_back(mother);
    if (father && !father->ancestor) pending.push_back(father);
  }
}

void CalculateLiving(GenealogyStore& store, const LivingRule& rule) {
  const std::int64_t born_after = rule.born;
  const std::int64_t married_after = rule.married;
  for (IndividualRecord& person : store.individuals) {
    int birth_year = 0;
    int marriage_year = 0;
    if (person.defined && !person.deceased) {
      if (person.birth_seen)
        birth_year = YearOf(person.birth_date);
      else if (rule.use_baptism)
        birth_year = YearOf(person.christening_date);
      const int families = std::min<int>(person.spouse_family_count,
                                         static_cast<int>(person.spouse_families.size()));
      for (int k = 0; k < families; ++k) {
        const FamilyRecord* family = SpouseFamily(store, person, k);
        if (family) marriage_year = std::max(marriage_year, YearOf(family->marriage_date));
      }
    }
    person.deceased = true;
    if ((birth_year != 0 && birth_year > born_after) ||
        (marriage_year != 0 && marriage_year > married_after))
      person.deceased = false;
  }
}

}  // namespace kinloom::store
