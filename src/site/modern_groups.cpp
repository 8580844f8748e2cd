// The modern family groups and notes entries.
#include <string>

#include "site/modern_style.h"

namespace kinloom::site {

const std::string_view kModernGroupRules = R"css(
)css";

void ModernStyle::FamilyGroup(PageWriter&, const FamilyGroupUnit&) {}
void ModernStyle::Vitals(PageWriter&, const VitalsUnit&) {}
void ModernStyle::NotesPageStart(PageWriter&) {}
void ModernStyle::NotesEntry(PageWriter&, const NotesEntryUnit&) {}

}  // namespace kinloom::site
