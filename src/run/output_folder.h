// Preparing the output folder before a conversion writes anything: the GEDCOM file must open,
// the folder (with every missing parent) must exist, and the pages of an earlier conversion
// in it are deleted. Also the path of the site's main page. Paths use "/".
#pragma once

#include <string>
#include <string_view>

#include "run/run_context.h"

namespace kinloom::run {

// The start of the generator tag in the head of every page this program writes; the folder
// preparation deletes only pages that carry it.
inline constexpr std::string_view kGeneratorTagStart = "<meta name='GENERATOR' content='KINLOOM";

// The search index files (site/search_index.h) are named "kinloom-search-…js" and start with
// the script generator tag; the folder preparation deletes only such files.
inline constexpr std::string_view kSearchFilePrefix = "kinloom-search-";
inline constexpr std::string_view kScriptGeneratorTag = "// Written by KINLOOM";

// Checks the GEDCOM file (and records its size in the run state), creates the output folder
// and deletes the old pages in it: every entry whose name contains ".htm" and whose first
// kilobytes carry the generator tag, and every search index file (named with the search file
// prefix, ending in ".js", starting with the script generator tag), except the GEDCOM file
// itself. Other pages are kept, and
// the user is told once how many. Returns false when the run must stop; the user has been told
// (2317, 2322, 2330, 2334, 2335 or 2336 with the system's error). Files deleted before a failure
// stay deleted. Nothing outside the output folder is deleted.
bool PrepareOutputFolder(RunContext& context);

// True when `path` names the run's GEDCOM file itself: the same file on the same device,
// however either path is spelled (relative, "./", "../", a symbolic or hard link).
bool IsInputFile(RunContext& context, const std::string& path);

// The base page name of a language as the pages use it: "Index Name k" lower-cased.
std::string BasePageName(const settings::Settings& settings, int language);

// The language whose base page is the site's main page, or -1 when no language is on.
int MainLanguage(const settings::Settings& settings);

// Output folder, "/", the main language's base page name and ".htm" or ".html". Removes one
// trailing "/" from the run state's output folder first, as the run does.
std::string MainPagePath(RunContext& context);

// True when the main page file can be opened for reading.
bool MainPageExists(RunContext& context);

}  // namespace kinloom::run
