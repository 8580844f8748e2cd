#include "run/registry_saver.h"

#include <utility>

namespace kinloom::run {

RegistrySettingsSaver::RegistrySettingsSaver(settings::RegistryStore& store,
                                             std::string input_path, std::string output_folder)
    : store_(store), input_path_(std::move(input_path)), output_folder_(std::move(output_folder)) {}

void RegistrySettingsSaver::SaveOutputFolder(const settings::Settings& settings) {
  output_folder_status_ = store_.WriteText("Output File", settings.output_file);
}

void RegistrySettingsSaver::SaveAll(const settings::Settings& settings) {
  settings::MainWindowFields fields;
  fields.input_path = input_path_;
  fields.output_folder = output_folder_;
  fields.htm_selected = settings.htm == 1;
  saved_all_ = settings::SaveSettings(store_, settings, fields);
}

std::optional<std::string> RegistrySettingsSaver::ReadNotesToInclude(const settings::Settings&) {
  return settings::ReadNotesToInclude(store_);
}

}  // namespace kinloom::run
