// What the page kinds of one output language share while the site driver writes them: the
// page-kind prefixes and per-language texts, the label set, the one page writer, the page
// style and the language's layout. Also the progress reports of page creation.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "lang/label_set.h"
#include "run/progress_display.h"
#include "run/run_context.h"
#include "site/classic_style.h"
#include "site/page_writer.h"
#include "site/site_language.h"
#include "site/site_layout.h"
#include "store/genealogy_store.h"

namespace kinloom::site {

inline constexpr int kPageKindCount = static_cast<int>(PageKind::kCount);

// The letter that begins every page-file prefix of a language ("" for English; "t" for
// Portuguese, which has no letter of its own otherwise).
std::string_view LanguageLetter(int language);

// The file-name prefix of a page kind in a language, e.g. "f", "gb", "tr".
std::string PagePrefix(int language, PageKind kind);

// The current-language values of `language` from the options: prefixes, index title and
// name (lower-cased), page texts, custom links title, progress caption, translator. The
// date stamp is left for the caller.
SiteLanguage MakeSiteLanguage(const settings::Settings& settings, int language);

// The display name of a language in the user interface ("English", "Português(BR)").
std::string LanguageDisplayName(const settings::Settings& settings, int language);

// The pages report their progress through the run's one channel: `scaled` reports are step
// numbers 0 … 18 of the current language, placed in that language's share of the
// page-creation band 32 … 90; others are percentages. The main window's title and the
// running time follow them as they follow every other step.
using run::ShowProgress;

// Where the bookmark counts of the run go: null unless the run measures its statistics.
store::ExpandingArrayStatistics* BookmarkStatistics(run::RunContext& context);

struct SiteContext {
  SiteContext(run::RunContext& run_context, const SiteLanguage& site_language,
              const lang::LabelSet& label_set, PageWriter& page_writer)
      : run(run_context), language(site_language), labels(label_set), writer(page_writer) {}
  // A context that reads the layout another context of the language has filled.
  SiteContext(run::RunContext& run_context, const SiteLanguage& site_language,
              const lang::LabelSet& label_set, PageWriter& page_writer, const SiteLayout& shared)
      : run(run_context),
        language(site_language),
        labels(label_set),
        writer(page_writer),
        layout_(&shared) {}
  SiteContext(const SiteContext&) = delete;
  SiteContext& operator=(const SiteContext&) = delete;

  run::RunContext& run;
  const SiteLanguage& language;
  const lang::LabelSet& labels;
  PageWriter& writer;


  const settings::Settings& settings() const { return run.settings; }
  store::GenealogyStore& store() const { return run.store; }
  const std::string& Prefix(PageKind kind) const { return language.Prefix(kind); }
  const std::string& Label(int n) const { return labels.Get(n); }
  std::string Extension() const { return writer.PageExtension(); }
  // The current language's notes-pages switch.
  bool NotesPagesOn() const;
  // "Groups", "Groups Notes" as divisors (a zero option counts as 1).
  int Groups() const;
  int GroupsNotes() const;
  // Colours are suppressed on full descriptions ("Minimize Abosoute" or "No Colors").
  bool ColoursSuppressed() const;
  // Marks of direct ancestors are wanted for this run.
  bool MarkAncestors() const { return run.state.mark_all_ancestors; }
  // The output folder joined with a file name.
  std::string OutputPath(const std::string& file_name) const;

  // How the pages look: the classic pages unless another style is handed in.
  PageStyle& style() const { return *style_; }
  void SetStyle(PageStyle& style) {
    style_ = &style;
    writer.SetStyle(style);
  }

  // The language's layout, filled before its first page is written and only read after.
  const SiteLayout& layout() const { return *layout_; }
  SiteLayout& layout_to_fill() { return own_layout_; }

 private:
  ClassicStyle classic_;
  PageStyle* style_ = &classic_;
  SiteLayout own_layout_;
  const SiteLayout* layout_ = &own_layout_;
};

}  // namespace kinloom::site
