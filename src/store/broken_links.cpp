#include "store/broken_links.h"

#include <algorithm>

#include "lang/ui_text.h"

namespace kinloom::store {
namespace {

constexpr int kMissingFamilyText = 2720;
constexpr int kMissingIndividualText = 2721;
constexpr int kFamilyIsIndividualText = 2722;
constexpr int kIndividualIsFamilyText = 2723;
constexpr int kMoreWarningsText = 2724;
constexpr int kDuplicateSkippedText = 2725;
constexpr int kDuplicateLinesText = 2726;
constexpr int kWarningsHeadingText = 2729;

bool NamesFamily(LinkField field) {
  return field == LinkField::kSpouseFamily || field == LinkField::kParentsFamily;
}

}  // namespace

void BrokenLinkWarnings::Add(std::string text) {
  if (count_ < kShownBrokenLinkWarnings) shown_.push_back(std::move(text));
  ++count_;
}

void BrokenLinkWarnings::Show(platform::UserInterface& ui,
                              const settings::Settings& settings) const {
  if (count_ == 0) return;
  std::string text = lang::LoadUiText(kWarningsHeadingText, settings);
  for (const std::string& line : shown_) {
    text += '\n';
    text += line;
  }
  if (count_ > kShownBrokenLinkWarnings) {
    text += '\n';
    text += lang::FormatText(lang::LoadUiText(kMoreWarningsText, settings).c_str(),
                             count_ - kShownBrokenLinkWarnings);
  }
  ui.ShowMessage(text, "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
}

bool EnterRecordId(IdHashTable& ids, const settings::Settings& settings, FaultReporter& faults,
                   std::string_view id, IdTarget target, int line,
                   const std::function<int(IdTarget)>& line_of, BrokenLinkWarnings& warnings) {
  const IdTarget first = ids.Find(id);
  if (first.kind == 0) {
    ids.Insert(id, target);
    return true;
  }
  const std::string name(id);
  const int first_line = line_of(first);
  if (settings.skip_broken_links != 0) {
    warnings.Add(lang::FormatText(lang::LoadUiText(kDuplicateSkippedText, settings).c_str(),
                                  line, name.c_str(), first_line));
    return false;
  }
  EndWithStructuralError(
      faults, std::string(kDuplicateIdMessage) + "\n" +
                  lang::FormatText(lang::LoadUiText(kDuplicateLinesText, settings).c_str(),
                                   name.c_str(), first_line, line));
}

int DropBrokenLinks(GenealogyStore& store, const std::vector<LinkLine>& lines,
                    const settings::Settings& settings, BrokenLinkWarnings& warnings) {
  int broken = 0;
  std::vector<int> touched_individuals, touched_families;
  for (const LinkLine& link : lines) {
    const bool wants_family = NamesFamily(link.field);
    const IdTarget target = store.ids.Find(link.id);
    if (target.kind == (wants_family ? 'F' : 'I')) continue;
    ++broken;
    const StoredText& from = wants_family
                                  ? store.individuals[static_cast<std::size_t>(link.record)].id
                                  : store.families[static_cast<std::size_t>(link.record)].id;
    const int text = target.kind == 0
                         ? (wants_family ? kMissingFamilyText : kMissingIndividualText)
                         : (wants_family ? kFamilyIsIndividualText : kIndividualIsFamilyText);
    warnings.Add(lang::FormatText(lang::LoadUiText(text, settings).c_str(), link.line,
                                  from.c_str(), link.id.c_str()));
    (wants_family ? touched_individuals : touched_families).push_back(link.record);
  }

  // Every link of a record with a broken one is checked again, so that the same id named
  // twice goes both times.
  auto resolves = [&](std::string_view id, char kind) { return store.ids.Find(id).kind == kind; };
  for (int index : touched_individuals) {
    IndividualRecord& person = store.individuals[static_cast<std::size_t>(index)];
    if (!person.parents_family.empty() && !resolves(person.parents_family, 'F')) {
      person.parents_family.clear();
      person.parents_family_count = 0;
    }
    std::erase_if(person.spouse_families,
                  [&](const StoredText& id) { return !id.empty() && !resolves(id, 'F'); });
    person.spouse_family_count = static_cast<std::int16_t>(
        std::min<int>(person.spouse_family_count, static_cast<int>(person.spouse_families.size())));
  }
  for (int index : touched_families) {
    FamilyRecord& family = store.families[static_cast<std::size_t>(index)];
    if (!family.husband.empty() && !resolves(family.husband, 'I')) family.husband.clear();
    if (!family.wife.empty() && !resolves(family.wife, 'I')) family.wife.clear();
    std::erase_if(family.children,
                  [&](const StoredText& id) { return !id.empty() && !resolves(id, 'I'); });
  }
  return broken;
}

}  // namespace kinloom::store
