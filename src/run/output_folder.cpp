#include "run/output_folder.h"

#include <cctype>
#include <string_view>

#include "lang/ui_text.h"
#include "platform/system_error.h"
#include "run/product.h"
#include "run/progress_display.h"

namespace kinloom::run {
namespace {

constexpr int kMessageFolderNotFound = 2330;      // "Unable to create or find the directory '%s'"
constexpr int kMessageFolderCreateFailed = 2336;  // "Unable to create the directory '%s'."
constexpr int kMessageFolderNotEmptied = 2335;  // "Error deleting the contents of directory %s ..."
constexpr int kStatusDeletingFile = 2333;  // "Initializing output directory...\n\ndeleting file %s"
constexpr int kMessageFileDeleteFailed = 2334;  // "Unable to delete the file '%s'.  Everything ..."
constexpr int kMessageGedcomOpenFailed = 2317;  // "Unable to open the file '%s'.  %s aborting."
constexpr int kMessageGedcomCloseFailed = 2322;  // "Unable to close file %s.  Aborting ..."

constexpr int kTextPagesKept = 2700;
constexpr int kTextGedcomInFolder = 2702;

std::string Text(RunContext& context, int n) { return lang::LoadUiText(n, context.settings); }

// Creates the folder and every missing parent. `folder` ends with "/".
bool CreateFolderPath(RunContext& context, const std::string& folder) {
  int error = context.fs.CreateFolder(folder);
  if (error == 0 || error == platform::kErrorAlreadyExists) return true;
  for (std::size_t i = 1; i < folder.size(); ++i) {
    if (folder[i] != '/') continue;
    error = context.fs.CreateFolder(folder.substr(0, i));
    if (error != 0 && error != platform::kErrorAlreadyExists) {
      platform::ReportSystemError(
          context.ui,
          lang::FormatText(Text(context, kMessageFolderNotFound).c_str(), folder.c_str()), error);
      return false;
    }
  }
  return true;
}

bool CreateOnce(RunContext& context, const std::string& folder, bool* created) {
  int error = context.fs.CreateFolder(folder);
  *created = error == 0;
  if (error == 0 || error == platform::kErrorAlreadyExists) return true;
  platform::ReportSystemError(
      context.ui,
      lang::FormatText(Text(context, kMessageFolderCreateFailed).c_str(), folder.c_str()), error);
  return false;
}

// How much of a page's start is read to find the generator tag: the head puts it before the
// title, within the first few hundred bytes.
constexpr std::size_t kPageHeadBytes = 4096;

// True when the file starts like a page this program wrote: its head carries `tag` (the
// generator tag with the product's name), or it is empty. A file that cannot be read is not
// recognised.
bool WrittenByThisProgram(RunContext& context, const std::string& path,
                          std::string_view tag = kGeneratorTagStart) {
  int error = 0;
  auto file = context.fs.OpenForRead(path, &error);
  if (!file) return false;
  std::string head(kPageHeadBytes, '\0');
  std::size_t filled = 0;
  while (filled < head.size()) {
    std::size_t got = 0;
    if (file->Read(head.data() + filled, head.size() - filled, &got) != 0 || got == 0) break;
    filled += got;
  }
  file->Close();
  head.resize(filled);
  // An empty page holds nothing to lose: it is what a run that ended at once leaves of the
  // page it had opened.
  return filled == 0 || head.find(tag) != std::string::npos;
}

// "kinloom-search-en.js", "kinloom-search-en-12.js": a name of the search index's files.
bool IsSearchFileName(std::string_view name) {
  constexpr std::string_view kEnd = ".js";
  return name.size() > kSearchFilePrefix.size() + kEnd.size() &&
         name.substr(0, kSearchFilePrefix.size()) == kSearchFilePrefix &&
         name.substr(name.size() - kEnd.size()) == kEnd;
}

// Deletes the old pages of a folder that ends with "/": the entries whose names hold ".htm"
// and whose heads carry this program's generator tag. Other pages are counted and kept.
bool ClearFolder(RunContext& context, const std::string& folder) {
  bool created = false;
  if (!CreateOnce(context, folder, &created)) return false;
  if (created) return true;

  std::vector<std::string> names;
  int error = context.fs.ListFolder(folder, &names);
  if (error != 0) {
    platform::ReportSystemError(context.ui,
                                lang::FormatText(Text(context, kMessageFolderNotEmptied).c_str(),
                                                 folder.c_str(), folder.c_str()),
                                error);
    return false;
  }
  for (const std::string& name : names) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
      continue;
    const std::string path = folder + name;
    // The GEDCOM file is never deleted, whichever way its path was typed.
    if (IsInputFile(context, path)) continue;
    // Only the entry's own name decides: a folder whose path contains ".htm" keeps its
    // images and other files.
    const bool search_file = IsSearchFileName(name);
    if (name.find(".htm") == std::string::npos && !search_file) continue;
    // A page or script of the user's own (or a folder named like one) is never ours to delete.
    if (!WrittenByThisProgram(context, path,
                              search_file ? kScriptGeneratorTag : kGeneratorTagStart)) {
      context.state.foreign_pages.insert(name);
      continue;
    }
    ShowProgress(context, 3,
                 lang::FormatText(Text(context, kStatusDeletingFile).c_str(), name.c_str()), false);
    error = context.fs.DeleteFile(path);
    if (error != 0) {
      platform::ReportSystemError(context.ui,
                                  lang::FormatText(Text(context, kMessageFileDeleteFailed).c_str(),
                                                   name.c_str(), folder.c_str()),
                                  error);
      return false;
    }
  }
  const int kept = static_cast<int>(context.state.foreign_pages.size());
  if (kept > 0)
    context.ui.ShowNotice(lang::FormatText(Text(context, kTextPagesKept).c_str(), kept));
  return CreateOnce(context, folder, &created);
}

}  // namespace

bool IsInputFile(RunContext& context, const std::string& path) {
  return context.fs.SameFile(path, context.state.gedcom_path);
}

bool PrepareOutputFolder(RunContext& context) {
  const std::string& gedcom = context.state.gedcom_path;
  int error = 0;
  auto file = context.fs.OpenForRead(gedcom, &error);
  if (!file) {
    platform::ReportSystemError(context.ui,
                                lang::FormatText(Text(context, kMessageGedcomOpenFailed).c_str(),
                                                 gedcom.c_str(), kProductString),
                                error);
    context.ui.Focus(platform::UiField::kGedcomPath);
    return false;
  }
  std::uint64_t size = 0;
  context.state.gedcom_file_size = context.fs.FileSize(gedcom, &size) == 0 ? size : 0;
  error = file->Close();
  if (error != 0) {
    platform::ReportSystemError(context.ui,
                                lang::FormatText(Text(context, kMessageGedcomCloseFailed).c_str(),
                                                 gedcom.c_str(), kProductString),
                                error);
    return false;
  }

  std::string folder = context.state.output_folder;
  if (folder.empty() || folder.back() != '/') folder += '/';
  if (!CreateFolderPath(context, folder)) return false;
  if (!ClearFolder(context, folder)) return false;
  // A GEDCOM file that already lies in the folder under its own name is linked as it is:
  // the copy that would withhold the living persons' dates cannot be written over it.
  const std::size_t slash = gedcom.find_last_of("/\\");
  const std::string copy =
      folder + (slash == std::string::npos ? gedcom : gedcom.substr(slash + 1));
  if (context.settings.suppress_living != 0 && context.settings.create_link_to_gedcom_file != 0 &&
      IsInputFile(context, copy))
    context.ui.ShowNotice(Text(context, kTextGedcomInFolder));
  return true;
}

std::string BasePageName(const settings::Settings& settings, int language) {
  std::string name = settings.index_name[static_cast<std::size_t>(language)];
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

int MainLanguage(const settings::Settings& settings) {
  const bool english = settings.create_pages[0] != 0;
  const bool french = settings.create_pages[1] != 0;
  if (english || french) {
    if (settings.labels_in_french == 1) return french ? 1 : 0;
    return english ? 0 : 1;
  }
  for (int k = 0; k < settings::kLanguageCount; ++k)
    if (settings.create_pages[static_cast<std::size_t>(k)] != 0) return k;
  return -1;
}

std::string MainPagePath(RunContext& context) {
  std::string& folder = context.state.output_folder;
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  const int language = MainLanguage(context.settings);
  const std::string name = language < 0 ? std::string() : BasePageName(context.settings, language);
  return folder + "/" + name + (context.settings.htm != 0 ? ".htm" : ".html");
}

bool MainPageExists(RunContext& context) {
  int error = 0;
  auto file = context.fs.OpenForRead(MainPagePath(context), &error);
  if (!file) return false;
  file->Close();
  return true;
}

}  // namespace kinloom::run
