#include "lang/tag_labels.h"

namespace kinloom::lang {

std::string DefaultNotesToInclude() { return {}; }

}  // namespace kinloom::lang
