// GEDCOM tag labels: the display text of each tag code (label 12449 + code of the current
// output language), which tags carry a label, which are LDS ordinances, and the default
// "Notes To Include" text built from them.
#pragma once

#include <string>

namespace kinloom::lang {

// The default "Notes To Include": the English label of each tag of the default notes list,
// each followed by ";".
std::string DefaultNotesToInclude();

}  // namespace kinloom::lang
