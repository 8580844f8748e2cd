#include "site/site_generation.h"

#include "gedcom/encoding.h"
#include "lang/label_set.h"
#include "lang/ui_text.h"
#include "settings/settings_table.h"
#include "site/author_page.h"
#include "site/descendancy_pages.h"
#include "site/gendex.h"
#include "site/images.h"
#include "site/family_group_pages.h"
#include "site/index_pages.h"
#include "site/modern_search.h"
#include "site/modern_style.h"
#include "site/search_index.h"
#include "site/notes_pages.h"
#include "site/pedigree_pages.h"
#include "site/site_driver.h"

namespace kinloom::site {
namespace {

// Texts of the progress steps of site generation.
constexpr int kStatusIndexPages = 2345;        // "Creating index pages"
constexpr int kStatusPedigreePages = 2346;     // "Creating data pages for Pedigree"
constexpr int kStatusNotesPages = 2347;        // "Creating data pages Notes Pages"
constexpr int kStatusFamilyPages = 2348;       // "Creating data pages for Families"
constexpr int kStatusDescendancyPages = 2349;  // "Creating data pages for Descendancy"
constexpr int kStatusAuthorPage = 2350;        // "Creating Author page"
constexpr int kStatusFinishingMainPage = 2351;
constexpr int kStatusFinishedMainPage = 2371;

void WriteAuthorPageStep(SiteContext& site) { WriteAuthorPage(site.writer, site.style()); }

void WriteGendexStep(SiteContext& site) { WriteGendexFile(site.writer); }

// The options as the pages of a site read them: the texts the user typed (Windows-1252)
// in the encoding of the page text. File paths stay as the file system spells them.
settings::Settings SiteSettings(const settings::Settings& options, platform::TextEncoding text) {
  settings::Settings out = options;
  if (text == platform::TextEncoding::kWindows1252) return out;
  settings::ConvertPageTexts(out, [](const std::string& value) {
    return platform::Cp1252ToUtf8(value);
  });
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

void WriteRunStyleSheet(run::RunContext& context) {
  SiteLanguage language = MakeSiteLanguage(context.settings, 0);
  lang::LabelSet labels(0);
  PageWriter writer(context, labels, language);
  writer.OpenPlainFile(context.state.output_folder + "/" + std::string(kModernStyleSheetName));
  writer.AppendHtml(ModernStyleSheet(context.settings));
  writer.CloseFile();
}

int GenerateSite(run::RunContext& outer, int language, PageStyle* style) {
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
  ModernStyle modern;
  if (style != nullptr)
    site.SetStyle(*style);
  else if (options.modern_pages())
    site.SetStyle(modern);

  site.layout_to_fill().notes = LayOutNotes(context.store);

  auto status = [&](int step, int text) {
    ShowProgress(context, step, lang::LoadUiText(text, options), true);
  };

  // Where the charts show every person, and the surname counts, are settled before the
  // first page of the language.
  if (options.create_pedigree_groups) LayOutPedigreeCharts(site);
  if (options.create_descendancy_groups) LayOutDescendancyCharts(site);
  site.layout_to_fill().surnames = LayOutSurnames(site.store());
  // The statistics count the bookmarks of the kind laid out last as held until the end.
  if (run::RunStatistics* statistics = run::StatisticsOf(context.state)) {
    if (options.create_descendancy_groups)
      statistics->chart_bookmark_bytes = site.layout().descendancy.bookmarks.TierBytes();
    else if (options.create_pedigree_groups)
      statistics->chart_bookmark_bytes = site.layout().pedigree.bookmarks.TierBytes();
  }

  if (options.create_family_groups) {
    status(1, kStatusIndexPages);
    WriteSurnameIndexPages(site, IndexKind::kFamily);
  }
  if (options.create_pedigree_groups) {
    status(3, kStatusPedigreePages);
    WritePedigreePages(site);
    WriteSurnameList(site, IndexKind::kPedigree);
    WriteSurnameIndexPages(site, IndexKind::kPedigree);
  }
  if (site.NotesPagesOn()) {
    status(7, kStatusNotesPages);
    WriteNotesPages(site);
    WriteNotesSurnameList(site);
    WriteNotesSurnameIndexPages(site);
  }
  if (options.create_family_groups) {
    status(11, kStatusFamilyPages);
    WriteSurnameList(site, IndexKind::kFamily);
    WriteFamilyGroupPages(site);
  }
  if (options.create_descendancy_groups) {
    status(13, kStatusDescendancyPages);
    WriteDescendancyPages(site);
    WriteSurnameList(site, IndexKind::kDescendancy);
    WriteSurnameIndexPages(site, IndexKind::kDescendancy);
  }
  status(16, kStatusAuthorPage);
  WriteAuthorPageStep(site);
  // The search of the modern pages: its index of this language and its page. Reads the store
  // and the layout, writes only its own files.
  if (SearchOn(options)) {
    WriteSearchIndex(site);
    WriteSearchPage(site);
  }
  if (options.text_file) WriteGendexStep(site);
  status(17, kStatusFinishingMainPage);
  if (!WriteMainIndexPage(site)) return 0;
  status(18, kStatusFinishedMainPage);
  return 1;
}

}  // namespace kinloom::site
