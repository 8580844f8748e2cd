// The conversion run's saves into the settings store: "Output File" once the output folder
// is prepared, and the bulk save of every option before the GEDCOM file is read.
#pragma once

#include <optional>
#include <string>

#include "run/conversion_run.h"
#include "settings/load_save.h"
#include "settings/registry_store.h"

namespace kinloom::run {

class RegistrySettingsSaver : public SettingsSaver {
 public:
  // `input_path` and `output_folder` are what the main window's two path fields hold (on
  // the command line: the two paths as typed). The store must outlive the saver.
  RegistrySettingsSaver(settings::RegistryStore& store, std::string input_path,
                        std::string output_folder);

  // "Output File" = the output folder the run uses. A failure is not shown here: the bulk
  // save a moment later makes the same kind of write and reports it once, through
  // CheckSaved, with the error code.
  void SaveOutputFolder(const settings::Settings& settings) override;
  // The bulk save, stopping at the first failed write (reported through CheckSaved).
  void SaveAll(const settings::Settings& settings) override;
  std::optional<std::string> ReadNotesToInclude(const settings::Settings& settings) override;

  // The status of the "Output File" write and the result of the last bulk save.
  int output_folder_status() const { return output_folder_status_; }
  bool saved_all() const { return saved_all_; }

 private:
  settings::RegistryStore& store_;
  std::string input_path_;
  std::string output_folder_;
  int output_folder_status_ = 0;
  bool saved_all_ = false;
};

}  // namespace kinloom::run
