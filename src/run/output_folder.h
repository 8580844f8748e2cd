// Preparing the output folder before a conversion writes anything: the GEDCOM file must open,
// the folder (with every missing parent) must exist, and the pages of an earlier conversion
// in it are deleted. Also the path of the site's main page. Paths use "/".
#pragma once

#include <string>

#include "run/run_context.h"

namespace kinloom::run {

// Checks the GEDCOM file (and records its size in the run state), creates the output folder
// and deletes the old pages in it: every entry whose name contains ".htm", except the
// GEDCOM file itself. Returns false when the run must stop; the user has been told (2317,
// 2322, 2330, 2334, 2335 or 2336 with the system's error). Files deleted before a failure
// stay deleted. Nothing outside the output folder is deleted.
bool PrepareOutputFolder(RunContext& context);

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
