#include "lang/label_set.h"

#include "lang/string_table.h"

namespace kinloom::lang {

const std::string& LabelSet::Get(int n) const {
  return StringTable::Instance().Text(n + 1000 * language_);
}

}  // namespace kinloom::lang
