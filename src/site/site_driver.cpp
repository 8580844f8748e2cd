#include "site/site_driver.h"

#include <algorithm>

#include "lang/ui_text.h"
#include "platform/text_encoding.h"

namespace kinloom::site {
namespace {

constexpr const char* kLanguageLetters[settings::kLanguageCount] = {"",  "f", "g", "d", "s",
                                                                    "a", "n", "i", "t"};

// The page-kind letter of each PageKind, in enum order.
constexpr char kKindLetters[kPageKindCount] = {'f', 'b', 'c', 'd', 'e', 'h', 'i', 'p',
                                               'k', 'l', 'm', 'n', 's', 'o', 'r'};

constexpr int kDisplayNames[settings::kLanguageCount] = {2445, 2446, 2604, 2601, 2602,
                                                         2621, 2624, 2631, 2634};
constexpr int kCaptions[settings::kLanguageCount] = {2606, 2607, 2608, 2618, 2617,
                                                     2619, 2625, 2629, 2632};

// The person credited for each translation and that person's address; English names the
// program's own author.
constexpr const char* kTranslators[settings::kLanguageCount][2] = {
    {"Marten Holloway", "marten.holloway@kinloom.example.org"},
    {"Claire Dubois", "claire.dubois@kinloom.example.org"},
    {"Jürgen Albrecht", "juergen.albrecht@kinloom.example.org"},
    {"Pieter van Dijk", "pieter.vandijk@kinloom.example.org"},
    {"Lucía Fernández", "lucia.fernandez@kinloom.example.org"},
    {"Søren Madsen", "soeren.madsen@kinloom.example.org"},
    {"Ingrid Solberg", "ingrid.solberg@kinloom.example.org"},
    {"Giulia Ferraro", "giulia.ferraro@kinloom.example.org"},
    {"Ana Beatriz Souza", "ana.souza@kinloom.example.org"},
};

std::string Lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

int Divisor(std::uint32_t value) { return value == 0 ? 1 : static_cast<int>(value); }

}  // namespace

std::string_view LanguageLetter(int language) {
  if (language < 0 || language >= settings::kLanguageCount) return {};
  return kLanguageLetters[language];
}

std::string PagePrefix(int language, PageKind kind) {
  std::string prefix(LanguageLetter(language));
  prefix += kKindLetters[static_cast<int>(kind)];
  return prefix;
}

SiteLanguage MakeSiteLanguage(const settings::Settings& settings, int language) {
  SiteLanguage out;
  out.language = language;
  for (int k = 0; k < kPageKindCount; ++k)
    out.prefixes[k] = PagePrefix(language, static_cast<PageKind>(k));
  out.index_title = settings.index_title[language];
  out.index_name = Lowered(settings.index_name[language]);
  out.family_text_a = settings.family_page_text_a[language];
  out.family_text_b = settings.family_page_text_b[language];
  out.descendancy_text_a = settings.descendancy_page_text_a[language];
  out.descendancy_text_b = settings.descendancy_page_text_b[language];
  out.pedigree_text_a = settings.pedigree_page_text_a[language];
  out.pedigree_text_b = settings.pedigree_page_text_b[language];
  out.notes_text_a = settings.notes_page_text_a[language];
  out.notes_text_b = settings.notes_page_text_b[language];
  out.custom_links_title = settings.custom_links_title[language];
  out.caption = lang::LoadUiText(kCaptions[language], settings);
  // The table holds UTF-8 sources; the program's texts are Windows-1252.
  out.translator_name = platform::Utf8ToCp1252(kTranslators[language][0]);
  out.translator_address = kTranslators[language][1];
  return out;
}

std::string LanguageDisplayName(const settings::Settings& settings, int language) {
  return lang::LoadUiText(kDisplayNames[language], settings);
}

store::ExpandingArrayStatistics* BookmarkStatistics(run::RunContext& context) {
  run::RunStatistics* statistics = run::StatisticsOf(context.state);
  return statistics != nullptr ? &statistics->bookmarks : nullptr;
}

bool SiteContext::NotesPagesOn() const {
  return run.settings.create_notes_pages[language.language] != 0;
}

int SiteContext::Groups() const { return Divisor(run.settings.groups); }

int SiteContext::GroupsNotes() const { return Divisor(run.settings.groups_notes); }

bool SiteContext::ColoursSuppressed() const {
  return run.settings.minimize_absolute != 0 || run.settings.no_colors != 0;
}

std::string SiteContext::OutputPath(const std::string& file_name) const {
  return run.state.output_folder + "/" + file_name;
}

}  // namespace kinloom::site
