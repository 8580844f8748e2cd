#include "site/site_generation.h"

#include "lang/label_set.h"
#include "lang/ui_text.h"
#include "site/author_page.h"
#include "site/descendancy_pages.h"
#include "site/gendex.h"
#include "site/images.h"
#include "site/family_group_pages.h"
#include "site/index_pages.h"
#include "site/notes_pages.h"
#include "site/pedigree_pages.h"
#include "site/site_driver.h"
#include "store/page_layout.h"
#include "store/sort_keys.h"

namespace kinloom::site {
namespace {

constexpr int kLargeFile = 5000;

std::string StatusText(run::RunContext& context, int n) {
  std::string text = lang::LoadUiText(n, context.settings);
  if (context.state.individual_count >= kLargeFile)
    text += lang::LoadUiText(2285, context.settings);
  return text;
}

// The ancestor marks of "Ancestor Id" and the red-dot image. Not written yet: no individual
// is marked.
void MarkAncestorsStep(run::RunContext&) {}

// Who is treated as living. Not written yet: every deceased flag stays as the loading pass
// left it.
void CalculateLivingStep(run::RunContext&) {}

void WriteAuthorPageStep(SiteContext& site) { WriteAuthorPage(site.writer); }

void WriteGendexStep(SiteContext& site) { WriteGendexFile(site.writer); }

}  // namespace

int ExtractRunImage(run::RunContext& context, int number) {
  SiteLanguage language = MakeSiteLanguage(context.settings, 0);
  lang::LabelSet labels(0);
  PageWriter writer(context, labels, language);
  return ExtractImage(writer, number);
}

void PrepareDerivedOrder(run::RunContext& context) {
  run::RunState& state = context.state;
  if (state.character_set == run::CharacterSet::kUnicode ||
      state.character_set == run::CharacterSet::kNotStated)
    state.character_set = run::CharacterSet::kAnsi;
  if (state.mark_all_ancestors && state.ancestor_index >= 0) MarkAncestorsStep(context);
  if (context.settings.suppress_living) {
    ShowProgress(context, 28, lang::LoadUiText(2308, context.settings), false);
    CalculateLivingStep(context);
  }
  ShowProgress(context, 29, StatusText(context, 2309), false);
  store::BuildSortKeys(context.store);
  ShowProgress(context, 30, StatusText(context, 2310), false);
  store::AssignFamilyGroups(context);
  ShowProgress(context, 31, StatusText(context, 2311), false);
  store::SortIndividuals(context.store);
  ShowProgress(context, 32, lang::LoadUiText(2312, context.settings), false);
}

int GenerateSite(run::RunContext& context, int language) {
  const settings::Settings& options = context.settings;
  SiteLanguage current = MakeSiteLanguage(options, language);
  current.date_stamp = context.state.date_stamps[static_cast<std::size_t>(language)];
  lang::LabelSet labels(language);
  PageWriter writer(context, labels, current);
  SiteContext site(context, current, labels, writer);
  auto status = [&](int step, int text) {
    ShowProgress(context, step, lang::LoadUiText(text, options), true);
  };

  if (options.create_family_groups) {
    status(1, 2345);
    WriteSurnameIndexPages(site, IndexKind::kFamily);
  }
  if (options.create_pedigree_groups) {
    status(3, 2346);
    if (!WritePedigreePages(site)) return 0;
    WriteSurnameList(site, IndexKind::kPedigree, false);
    if (!WriteSurnameIndexPages(site, IndexKind::kPedigree)) return 0;
  }
  if (site.NotesPagesOn()) {
    status(7, 2347);
    if (!WriteNotesPages(site)) return 0;
    WriteNotesSurnameList(site);
    if (!WriteNotesSurnameIndexPages(site)) return 0;
  }
  site.surname_count = 0;
  if (options.create_family_groups) {
    status(11, 2348);
    WriteSurnameList(site, IndexKind::kFamily, false);
    WriteFamilyGroupPages(site);
  } else {
    WriteSurnameList(site, IndexKind::kFamily, true);
  }
  if (options.create_descendancy_groups) {
    status(13, 2349);
    if (!WriteDescendancyPages(site)) return 0;
    WriteSurnameList(site, IndexKind::kDescendancy, false);
    if (!WriteSurnameIndexPages(site, IndexKind::kDescendancy)) return 0;
  }
  status(16, 2350);
  WriteAuthorPageStep(site);
  if (options.text_file) WriteGendexStep(site);
  status(17, 2351);
  if (!WriteMainIndexPage(site)) return 0;
  status(18, 2371);
  return 1;
}

}  // namespace kinloom::site
