#include "site/site_generation.h"

#include <functional>
#include <string>
#include <vector>

#include "gedcom/encoding.h"
#include "lang/label_set.h"
#include "lang/ui_text.h"
#include "settings/settings_table.h"
#include "run/output_folder.h"
#include "run/parallel_languages.h"
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

namespace {

// A part of a language's site: what it writes, in the run's order, and the names of its own
// files (page kinds, and whole names besides).
struct SitePart {
  std::vector<PageKind> kinds;
  std::vector<std::string> names;
  std::vector<std::string> prefixes;
  std::function<int(SiteContext&)> write;
  int weight = 1;  // its share of the work, so that the heavy parts start first
};

// The parts' shares of the work, as measured on generated trees (the time of each part
// grows with the number of people alike): the last part copies the GEDCOM file and, for the
// modern pages, writes the search index.
constexpr int kFamilyIndexWeight = 1;
constexpr int kPedigreeWeight = 6;
constexpr int kNotesWeight = 2;
constexpr int kFamilyGroupsWeight = 4;
constexpr int kDescendancyWeight = 2;
constexpr int kLastPartWeight = 5;
constexpr int kSearchIndexWeight = 4;

void Status(SiteContext& site, int step, int text) {
  ShowProgress(site.run, step, lang::LoadUiText(text, site.settings()), true);
}

// The parts of the site of the context's language, in the order of the sequential run.
std::vector<SitePart> PartsOfSite(const SiteContext& site) {
  const settings::Settings& options = site.settings();
  const bool classic = !options.modern_pages();
  std::vector<SitePart> parts;
  if (options.create_family_groups) {
    parts.push_back({{PageKind::kFamilySurnameIndex}, {}, {}, [](SiteContext& s) {
                       Status(s, 1, kStatusIndexPages);
                       WriteSurnameIndexPages(s, IndexKind::kFamily);
                       return 1;
                     },
                     kFamilyIndexWeight});
  }
  if (options.create_pedigree_groups) {
    SitePart part{{PageKind::kPedigree, PageKind::kExtendedPedigree,
                   PageKind::kPedigreeSurnameIndex, PageKind::kPedigreeSurnameList},
                  {},
                  {},
                  [](SiteContext& s) {
                    Status(s, 3, kStatusPedigreePages);
                    WritePedigreePages(s);
                    WriteSurnameList(s, IndexKind::kPedigree);
                    WriteSurnameIndexPages(s, IndexKind::kPedigree);
                    return 1;
                  },
                  kPedigreeWeight};
    if (classic)
      for (int image : kChartImages) part.names.emplace_back(ImageFileName(image));
    parts.push_back(std::move(part));
  }
  if (site.NotesPagesOn()) {
    SitePart part{
        {PageKind::kNotes, PageKind::kNotesSurnameList, PageKind::kNotesSurnameIndex},
        {},
        {},
        [](SiteContext& s) {
          Status(s, 7, kStatusNotesPages);
          WriteNotesPages(s);
          WriteNotesSurnameList(s);
          WriteNotesSurnameIndexPages(s);
          return 1;
        },
        kNotesWeight};
    if (classic) part.names.emplace_back(ImageFileName(kImageNotesIcon));
    parts.push_back(std::move(part));
  }
  if (options.create_family_groups) {
    parts.push_back({{PageKind::kFamilySurnameList, PageKind::kFamilyGroup}, {}, {},
                     [](SiteContext& s) {
                       Status(s, 11, kStatusFamilyPages);
                       WriteSurnameList(s, IndexKind::kFamily);
                       WriteFamilyGroupPages(s);
                       return 1;
                     },
                     kFamilyGroupsWeight});
  }
  if (options.create_descendancy_groups) {
    parts.push_back({{PageKind::kDescendancy, PageKind::kExtendedDescendancy,
                      PageKind::kDescendancySurnameIndex, PageKind::kDescendancySurnameList},
                     {},
                     {},
                     [](SiteContext& s) {
                       Status(s, 13, kStatusDescendancyPages);
                       WriteDescendancyPages(s);
                       WriteSurnameList(s, IndexKind::kDescendancy);
                       WriteSurnameIndexPages(s, IndexKind::kDescendancy);
                       return 1;
                     },
                     kDescendancyWeight});
  }
  // The author page, the search files, gendex.txt and the main page with the copy of the
  // GEDCOM file.
  SitePart last{{PageKind::kAuthor}, {}, {}, [](SiteContext& s) {
                  Status(s, 16, kStatusAuthorPage);
                  WriteAuthorPageStep(s);
                  // The search of the modern pages: its index of this language and its page.
                  // Reads the store and the layout, writes only its own files.
                  if (SearchOn(s.settings())) {
                    WriteSearchIndex(s);
                    WriteSearchPage(s);
                  }
                  if (s.settings().text_file) WriteGendexStep(s);
                  Status(s, 17, kStatusFinishingMainPage);
                  if (!WriteMainIndexPage(s)) return 0;
                  Status(s, 18, kStatusFinishedMainPage);
                  return 1;
                },
                kLastPartWeight + (SearchOn(options) ? kSearchIndexWeight : 0)};
  const std::string search =
      std::string(run::kSearchFilePrefix) + std::string(SearchLanguageTag(site.language.language));
  last.prefixes = {search + ".", search + "-"};
  last.names = {"gendex.txt", site.language.index_name + ".htm", site.language.index_name + ".html"};
  const std::string& gedcom = site.run.state.gedcom_path;
  last.names.push_back(gedcom.substr(gedcom.find_last_of('/') + 1));
  parts.push_back(std::move(last));
  return parts;
}

// Writes the parts of the site at once on up to the run's jobs threads, each with its own
// page writer, labels and style over the language's one layout; the parts one after the
// other when only one thread may write, the run measures its statistics, a style is handed
// in, or the names of two parts' files may meet.
int WriteParts(SiteContext& site, const std::vector<SitePart>& parts, bool own_style) {
  run::RunContext& context = site.run;
  std::vector<run::SitePart> jobs;
  for (const SitePart& part : parts) {
    run::SitePart job;
    for (PageKind kind : part.kinds) {
      const std::string& prefix = site.Prefix(kind);
      job.own.AddPrefix(prefix + "_");
      job.own.AddName(prefix + ".htm");
      job.own.AddName(prefix + ".html");
    }
    for (const std::string& name : part.names) job.own.AddName(name);
    for (const std::string& prefix : part.prefixes) job.own.AddPrefix(prefix);
    job.step = [&site, &part](run::RunContext& own) {
      lang::LabelSet labels(site.labels.language(), site.labels.text_encoding());
      PageWriter writer(own, labels, site.language);
      SiteContext part_site(own, site.language, labels, writer, site.layout());
      ModernStyle modern;
      if (own.settings.modern_pages()) part_site.SetStyle(modern);
      return part.write(part_site);
    };
    job.weight = part.weight;
    jobs.push_back(std::move(job));
  }
  if (context.state.jobs > 1 && parts.size() > 1 && own_style &&
      run::StatisticsOf(context.state) == nullptr && run::PartsSeparable(jobs))
    return run::GeneratePartsAtOnce(context, jobs, context.state.jobs);
  for (const SitePart& part : parts)
    if (part.write(site) == 0) return 0;
  return 1;
}

}  // namespace

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
  return WriteParts(site, PartsOfSite(site), style == nullptr);
}

}  // namespace kinloom::site
