// Where the site's base page and the statistics report of the output folder are.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "settings/settings.h"

namespace kinloom::app {

// The output folder without one trailing "\" or "/" (the stored folder is shortened too),
// "/", the base page name of the language the user would look at first, and ".htm" or
// ".html". With no output language on, no name is appended.
std::string BasePagePath(settings::Settings& settings);
// True when the base page can be opened for reading.
bool BasePageExists(settings::Settings& settings, platform::FileSystem& fs);
// The output folder (shortened as above), "/" and "stats.txt".
std::string StatisticsFilePath(settings::Settings& settings);

}  // namespace kinloom::app
