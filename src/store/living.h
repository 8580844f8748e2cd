// The two flags derived after loading: the ancestor mark of the chosen individual and all of
// its ancestors, and the deceased flag that decides who is treated as living.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/genealogy_store.h"

namespace kinloom::store {

// The year of a date text: the last run of decimal digits read as a number ("BET 1850 AND
// 1860" gives 1860, "1750/51" gives 51); 0 for an empty text or one without digits. A run
// too long for an int reads as the largest int.
int YearOf(std::string_view date);

// Marks the individual at table position `individual` and every ancestor reachable through
// the parents' families. An individual already marked is not followed again, so data in
// which someone is their own ancestor ends; the walk keeps its own stack, so a long lineage
// cannot exhaust the call stack.
void MarkAncestors(GenealogyStore& store, int individual);

// The options that decide who is taken to be living.
struct LivingRule {
  std::int64_t born = 0;     // "Born": a birth year after it is evidence of life
  std::int64_t married = 0;  // "Married": a marriage year after it is evidence of life
  bool use_baptism = false;  // "Use Baptism": a christening year stands for a missing birth
};

// For every individual in table order: living (deceased clear) only when no death or burial
// date was read and the birth year (or, with "Use Baptism", the christening year) is after
// "Born", or the latest marriage year is after "Married". Everyone else is deceased.
void CalculateLiving(GenealogyStore& store, const LivingRule& rule);

}  // namespace kinloom::store
