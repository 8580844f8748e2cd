// The search of the modern pages: the search box in every page's header, the search page,
// their style rules and the search script. The box and the page only work with the index
// that WriteSearchIndex (site/search_index.h) writes beside them; without a script the box
// stays hidden and a link to the surname list stands in its place.
#pragma once

#include <string>
#include <string_view>

#include "site/page_writer.h"
#include "site/site_driver.h"

namespace kinloom::site {

// Whether the pages of a run get the search: the modern style with family group pages (the
// people found link to their family group entries).
bool SearchOn(const settings::Settings& settings);

// Writes the search box of the header: a form for the search page (hidden until the script
// runs), the link to the family surname list for pages read without scripts, and the script
// elements. Writes nothing when the search is off, and no second box on the search page.
void WriteSearchBox(PageWriter& out);

// Writes the language's search page, "kinloom-search-en.htm": its form shows every result.
void WriteSearchPage(SiteContext& site);

// The search script of one language: `data` is the JavaScript object literal with the
// language's key file list, record count, records per chunk and mean chunk size, file name
// start, labels and letter folds.
std::string SearchScriptSource(std::string_view data);

// The style rules of the search box and results.
extern const std::string_view kModernSearchRules;

}  // namespace kinloom::site
