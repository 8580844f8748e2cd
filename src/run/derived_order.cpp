#include "run/derived_order.h"

#include "lang/ui_text.h"
#include "run/progress_display.h"
#include "store/living.h"
#include "store/page_layout.h"
#include "store/sort_keys.h"

namespace kinloom::run {
namespace {

constexpr int kTextLargeFileRemark = 2285;      // "  This may take some time, you have a very ..."
constexpr int kStatusCalculatingLiving = 2308;  // "Calculating living individuals ..."
constexpr int kStatusStartingSort = 2309;
constexpr int kStatusCalculatingLayouts = 2310;
constexpr int kStatusSortingData = 2311;
constexpr int kStatusFinishedSort = 2312;  // "Finished Sort sequence.  Creating pages..."

// From this many individuals on, the sort steps say that they may take a while.
constexpr int kLargeFile = 5000;

std::string StatusText(RunContext& context, int n) {
  std::string text = lang::LoadUiText(n, context.settings);
  if (context.state.individual_count >= kLargeFile)
    text += lang::LoadUiText(kTextLargeFileRemark, context.settings);
  return text;
}

}  // namespace

void PrepareDerivedOrder(RunContext& context, const std::function<void()>& ancestors_marked) {
  RunState& state = context.state;
  store::GenealogyStore& store = context.store;
  const settings::Settings& options = context.settings;
  if (state.character_set == CharacterSet::kUnicode ||
      state.character_set == CharacterSet::kNotStated)
    state.character_set = CharacterSet::kAnsi;
  if (state.mark_all_ancestors && state.ancestor_index >= 0) {
    store::MarkAncestors(store, state.ancestor_index);
    ancestors_marked();
  }
  if (options.suppress_living) {
    ShowProgress(context, 28, lang::LoadUiText(kStatusCalculatingLiving, options), false);
    store::CalculateLiving(store, {options.born, options.married, options.use_baptism != 0});
  }
  ShowProgress(context, 29, StatusText(context, kStatusStartingSort), false);
  store::BuildSortKeys(store);
  ShowProgress(context, 30, StatusText(context, kStatusCalculatingLayouts), false);
  store::AssignFamilyGroups(store);
  ShowProgress(context, 31, StatusText(context, kStatusSortingData), false);
  store::SortIndividuals(store);
  // The records are complete: their texts are no longer shared with new ones.
  store.texts.ForgetIndexes();
  ShowProgress(context, 32, lang::LoadUiText(kStatusFinishedSort, options), false);
}

}  // namespace kinloom::run
