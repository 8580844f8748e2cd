#include "app/base_page.h"

namespace kinloom::app {
namespace {

std::string ShortenedFolder(settings::Settings& settings) {
  std::string& folder = settings.output_file;
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

}  // namespace

std::string BasePagePath(settings::Settings& s) {
  std::string path = ShortenedFolder(s) + "/";
  const bool english = s.create_pages[0] != 0;
  const bool french = s.create_pages[1] != 0;
  if (english || french) {
    int language;
    if (s.labels_in_french == 1) language = french ? 1 : 0;
    else language = english ? 0 : 1;
    path += s.index_name[language];
  } else {
    for (int k = 2; k < settings::kLanguageCount; ++k) {
      if (s.create_pages[k] != 0) {
        path += s.index_name[k];
        break;
      }
    }
  }
  path += s.htm == 1 ? ".htm" : ".html";
  return path;
}

bool BasePageExists(settings::Settings& settings, platform::FileSystem& fs) {
  int error = 0;
  auto file = fs.OpenForRead(BasePagePath(settings), &error);
  if (!file) return false;
  file->Close();
  return true;
}

std::string StatisticsFilePath(settings::Settings& settings) {
  return ShortenedFolder(settings) + "/stats.txt";
}

}  // namespace kinloom::app
