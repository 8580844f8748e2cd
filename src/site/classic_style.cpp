#include "site/classic_style.h"

namespace kinloom::site {

// ---- page frame: head, notices, rules, foot ----


// ---- family group pages ----


// ---- notes pages ----


// ---- author page ----


// ---- descendancy pages ----


// ---- pedigree pages ----


// ---- surname lists, surname index pages, main index page ----


}  // namespace kinloom::site
