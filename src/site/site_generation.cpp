#include "site/site_generation.h"

#include "gedcom/encoding.h"
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
#include "store/living.h"
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

// The ancestor marks of "Ancestor Id" and the red-dot image.
void MarkAncestorsStep(run::RunContext& context) {
  store::MarkAncestors(context, context.state.ancestor_index);
  ExtractRunImage(context, kImageRedDot);
}

// Who is treated as living.
void CalculateLivingStep(run::RunContext& context) { store::CalculateLiving(context); }

void WriteAuthorPageStep(SiteContext& site) { WriteAuthorPage(site.writer); }

void WriteGendexStep(SiteContext& site) { WriteGendexFile(site.writer); }

// The options as the pages of a site read them: the texts the user typed (Windows-1252)
// in the encoding of the page text. File paths stay as the file system spells them.
settings::Settings SiteSettings(const settings::Settings& options, platform::TextEncoding text) {
  settings::Settings out = options;
  if (text == platform::TextEncoding::kWindows1252) return out;
  auto convert = [](std::string& value) { value = platform::Cp1252ToUtf8(value); };
  for (auto* texts :
       {&out.index_name, &out.index_title, &out.family_page_text_a, &out.family_page_text_b,
        &out.descendancy_page_text_a, &out.descendancy_page_text_b, &out.pedigree_page_text_a,
        &out.pedigree_page_text_b, &out.notes_page_text_a, &out.notes_page_text_b,
        &out.custom_links_title})
    for (std::string& value : *texts) convert(value);
  convert(out.ancestor_id);
  convert(out.owner.user_name);
  convert(out.owner.email_address);
  for (std::string& value : out.owner.homepages) convert(value);
  for (std::string& value : out.owner.address) convert(value);
  for (auto& links : out.custom_links) {
    for (settings::CustomLink& link : links) {
      if (link.text.empty() && link.hyperlink.empty()) continue;
      convert(link.text);
      convert(link.hyperlink);
    }
  }
  return out;
}

// The per-language page texts in the encoding of the page text (the progress caption is a
// user-interface text and stays as it is).
void ConvertLanguageTexts(SiteLanguage& language, platform::TextEncoding text) {
  if (text == platform::TextEncoding::kWindows1252) return;
  for (std::string* value :
       {&language.index_title, &language.index_name, &language.family_text_a,
        &language.family_text_b, &language.descendancy_text_a, &language.descendancy_text_b,
        &language.pedigree_text_a, &language.pedigree_text_b, &language.notes_text_a,
        &language.notes_text_b, &language.custom_links_title, &language.date_stamp,
        &language.translator_name, &language.translator_address})
    *value = platform::Cp1252ToUtf8(*value);
}

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

int GenerateSite(run::RunContext& outer, int language) {
  // Every text the pages take from the program (labels, options, per-language texts) comes
  // in the encoding of the store's text, so that a page is one encoding throughout.
  const platform::TextEncoding text = gedcom::TextEncodingFor(outer.state.source_encoding);
  settings::Settings site_options = SiteSettings(outer.settings, text);
  run::RunContext context{outer.ui,    outer.fs,    site_options,
                          outer.state, outer.store, outer.progress};
  const settings::Settings& options = context.settings;
  SiteLanguage current = MakeSiteLanguage(outer.settings, language);
  current.date_stamp = context.state.date_stamps[static_cast<std::size_t>(language)];
  ConvertLanguageTexts(current, text);
  lang::LabelSet labels(language, text);
  PageWriter writer(context, labels, current);
  SiteContext site(context, current, labels, writer);
  auto status = [&](int step, int text) {
    ShowProgress(context, step, lang::LoadUiText(text, options), true);
  };

  // Where the charts show every person is settled before the first page of the language.
  if (options.create_pedigree_groups) LayOutPedigreeCharts(site);
  if (options.create_descendancy_groups) LayOutDescendancyCharts(site);
  // The statistics count the bookmarks of the kind laid out last as held until the end.
  if (run::RunStatistics* statistics = run::StatisticsOf(context.state)) {
    if (options.create_descendancy_groups)
      statistics->chart_bookmark_bytes = site.layout().descendancy.bookmarks.TierBytes();
    else if (options.create_pedigree_groups)
      statistics->chart_bookmark_bytes = site.layout().pedigree.bookmarks.TierBytes();
  }

  if (options.create_family_groups) {
    status(1, 2345);
    WriteSurnameIndexPages(site, IndexKind::kFamily);
  }
  if (options.create_pedigree_groups) {
    status(3, 2346);
    WritePedigreePages(site);
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
    WriteDescendancyPages(site);
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
