#include "store/page_layout.h"

#include <algorithm>
#include <string>

#include "lang/ui_text.h"
#include "platform/program_end.h"

namespace kinloom::store {
namespace {

constexpr const char* kSupportAddress = "support@kinloom.example.org";

[[noreturn]] void EndWithMessage(run::RunContext& context, const std::string& text) {
  context.ui.ShowMessage(text, "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
  platform::EndProgram(1, "structural problem in the GEDCOM file");
}

void MakeHead(GenealogyStore& store, IndividualRecord& person) {
  person.layout_role = 'N';
  person.group = store.group_count;
  store.group_heads[store.group_count] =
      static_cast<std::int32_t>(&person - store.individuals.data());
  ++store.group_count;
}

}  // namespace

IndividualRecord* ResolveIndividual(run::RunContext& context, std::string_view id) {
  if (id.empty()) return nullptr;
  IdTarget target = context.store.ids.Find(id);
  if (target.kind == 'I' && target.index >= 0 &&
      target.index < static_cast<int>(context.store.individuals.size()))
    return &context.store.individuals[target.index];
  if (target.kind == 'F')
    EndWithMessage(context,
                   std::string("Unexpected Internal Error at Position 12.  Closing Down. \n\n "
                               "Please email technical support with this error message at ") +
                       kSupportAddress);
  EndWithMessage(context,
                 lang::FormatText("Structural problem in GEDCOM file.  A family references\n"
                                  "individual \"%s\", but an individual with that ID was\n"
                                  "not found in the GEDCOM file.\n"
                                  "Please check your genealogy database to ensure that all\n"
                                  "family/individual links are correct.\n\n"
                                  "Aborting HTML file creation and closing down.\n",
                                  std::string(id).c_str()));
}

FamilyRecord* ResolveFamily(run::RunContext& context, std::string_view id,
                            const IndividualRecord& from) {
  if (id.empty()) return nullptr;
  IdTarget target = context.store.ids.Find(id);
  if (target.kind == 'F' && target.index >= 0 &&
      target.index < static_cast<int>(context.store.families.size()))
    return &context.store.families[target.index];
  if (target.kind == 'I')
    EndWithMessage(context, lang::FormatText("Record \"%s\" is not a Family... error",
                                             std::string(id).c_str()));
  EndWithMessage(context,
                 lang::FormatText("Error in GEDCOM structure\n Individual \"%s\" (id \"%s\") "
                                  "refrences family \"%s\"\n"
                                  "but no family with that ID was found in GEDCOM file.  "
                                  "Please check the family links around that individual,"
                                  "re-extract your GEDCOM file, and try again.  ",
                                  from.name.c_str(), from.id.c_str(), std::string(id).c_str()));
}

void AssignFamilyGroups(run::RunContext& context) {
  GenealogyStore& store = context.store;
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
      FamilyRecord* parents = ResolveFamily(context, person.parents_family, person);
      IndividualRecord* father = parents ? ResolveIndividual(context, parents->husband) : nullptr;
      IndividualRecord* mother = parents ? ResolveIndividual(context, parents->wife) : nullptr;
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
      FamilyRecord* family = person.spouse_families.empty()
                                 ? nullptr
                                 : ResolveFamily(context, person.spouse_families[0], person);
      IndividualRecord* spouse = nullptr;
      if (family) {
        spouse = ResolveIndividual(context, family->husband);
        if (spouse == &person) spouse = ResolveIndividual(context, family->wife);
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
