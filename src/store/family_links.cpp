#include "store/family_links.h"

#include "lang/ui_text.h"

namespace kinloom::store {

namespace {

[[noreturn]] void StructuralError(platform::UserInterface& ui, const std::string& text) {
  ui.ShowMessage(text, "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
  throw StructuralErrorEnd();
}

}  // namespace

IndividualRecord* FindIndividual(GenealogyStore& store, platform::UserInterface& ui,
                                 std::string_view id) {
  if (id.empty()) return nullptr;
  IdTarget target = store.ids.Find(id);
  if (target.kind == 'I' && target.index >= 0 &&
      static_cast<std::size_t>(target.index) < store.individuals.size())
    return &store.individuals[static_cast<std::size_t>(target.index)];
  if (target.kind != 0) {
    StructuralError(ui, std::string("Unexpected Internal Error at Position 12.  Closing Down. \n\n "
                                    "Please email technical support with this error message at ") +
                            kSupportAddress);
  }
  std::string name(id);
  StructuralError(ui,
                  std::string("Structural problem in GEDCOM file.  A family references\n") +
                      lang::FormatText("individual \"%s\", but an individual with that ID was\n",
                                       name.c_str()) +
                      "not found in the GEDCOM file.\n"
                      "Please check your genealogy database to ensure that all\n"
                      "family/individual links are correct.\n\n"
                      "Aborting HTML file creation and closing down.\n");
}

FamilyRecord* FindFamily(GenealogyStore& store, platform::UserInterface& ui, std::string_view id,
                         const IndividualRecord& from) {
  if (id.empty()) return nullptr;
  IdTarget target = store.ids.Find(id);
  if (target.kind == 'F' && target.index >= 0 &&
      static_cast<std::size_t>(target.index) < store.families.size())
    return &store.families[static_cast<std::size_t>(target.index)];
  const std::string family_id(id);
  if (target.kind != 0)
    StructuralError(ui,
                    lang::FormatText("Record \"%s\" is not a Family... error", family_id.c_str()));
  StructuralError(
      ui, lang::FormatText("Error in GEDCOM structure\n Individual \"%s\" (id \"%s\") refrences "
                           "family \"%s\"\n",
                           from.name.c_str(), from.id.c_str(), family_id.c_str()) +
              "but no family with that ID was found in GEDCOM file.  "
              "Please check the family links around that individual,"
              "re-extract your GEDCOM file, and try again.  ");
}

bool GetSpouseFamily(const IndividualRecord& individual, int k, std::string* out) {
  if (k < 0 || k >= kExpandingArrayCapacity ||
      static_cast<std::size_t>(k) >= individual.spouse_families.size())
    return false;
  *out = individual.spouse_families[static_cast<std::size_t>(k)];
  return true;
}

}  // namespace kinloom::store
