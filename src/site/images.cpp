#include "site/images.h"

#include <algorithm>
#include <iterator>

#include "lang/ui_text.h"
#include "platform/resources.h"
#include "platform/system_error.h"

namespace kinloom::site {

namespace {

constexpr int kMessageImageMissing = 2416;
constexpr int kErrorNotFound = 2;  // ENOENT: the program carries no such image

struct ImageEntry {
  int number;
  const char* file_name;
};

constexpr ImageEntry kImages[] = {
    {152, "q2.gif"}, {153, "q1.gif"}, {177, "q5.gif"}, {164, "q3.gif"}, {170, "q4.gif"},
    {159, "q6.gif"}, {160, "q7.gif"}, {161, "q8.gif"}, {165, "qa.gif"}, {166, "qb.gif"},
    {167, "qc.gif"}, {162, "q9.gif"}, {163, "q0.gif"},
};

}  // namespace

std::string_view ImageFileName(int number) {
  for (const ImageEntry& e : kImages)
    if (e.number == number) return e.file_name;
  return {};
}

std::vector<int> ImagesOfLanguage(const settings::Settings& options, int language) {
  std::vector<int> images;
  if (options.modern_pages()) return images;
  if (options.create_pedigree_groups != 0)
    images.assign(std::begin(kChartImages), std::end(kChartImages));
  if (options.create_notes_pages[static_cast<std::size_t>(language)] != 0)
    images.push_back(kImageNotesIcon);
  return images;
}

int ExtractImage(PageWriter& writer, int number) {
  return ExtractImage(writer, number, platform::FindResource);
}

int ExtractImage(PageWriter& writer, int number, const ResourceLookup& find) {
  std::string_view name = ImageFileName(number);
  if (name.empty()) return 0;
  run::RunContext& context = writer.context();
  const std::string destination = context.state.output_folder + "/" + std::string(name);

  std::optional<std::string_view> bytes = find(name);
  if (!bytes) {
    std::string message =
        lang::FormatText(lang::LoadUiText(kMessageImageMissing, context.settings).c_str(),
                         std::string(name).c_str(), destination.c_str());
    platform::ReportSystemError(context.ui, message, kErrorNotFound);
    return 0;
  }

  const std::vector<int>& earlier = context.state.images_written_earlier;
  if (std::find(earlier.begin(), earlier.end(), number) != earlier.end()) return 1;

  int error = 0;
  std::unique_ptr<platform::OutputFile> file = context.fs.Create(destination, &error);
  if (!file) return 0;
  if (!bytes->empty()) error = file->Write(bytes->data(), bytes->size());
  int close_error = file->Close();
  if (error != 0 || close_error != 0) return 0;
  writer.CountExtraFile();
  return 1;
}

}  // namespace kinloom::site
