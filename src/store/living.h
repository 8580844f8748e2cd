// The two flags derived after loading: the ancestor mark of the chosen individual and all of
// its ancestors, and the deceased flag that decides who is treated as living.
#pragma once

#include <string_view>

#include "run/run_context.h"

namespace kinloom::store {

// The year of a date text: the last run of decimal digits read as a number ("BET 1850 AND
// 1860" gives 1860, "1750/51" gives 51); 0 for an empty text or one without digits. A run
// too long for an int reads as the largest int.
int YearOf(std::string_view date);

// Marks the individual at table position `individual` and every ancestor reachable through
// the parents' families. An individual already marked is not followed again, so data in
// which someone is their own ancestor ends; the walk keeps its own stack, so a long lineage
// cannot exhaust the call stack.
void MarkAncestors(run::RunContext& context, int individual);

// For every individual in table order: living (deceased clear) only when no death or burial
// date was read and the birth year (or, with "Use Baptism", the christening year) is after
// "Born", or the latest marriage year is after "Married". Everyone else is deceased.
void CalculateLiving(run::RunContext& context);

}  // namespace kinloom::store
