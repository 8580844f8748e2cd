// Bringing a settings store written by an older version up to the current layout: a first
// start writes every default, an older store gets exactly the values introduced since its
// version, and the store is then stamped with the current settings version 2.52.
#pragma once

#include <string>

#include "settings/registry_store.h"
#include "settings/settings.h"

namespace kinloom::settings {

inline constexpr int kMigrationSteps = 22;  // steps 0 … 21

// The stored settings version: "Version Number", else the first non-zero of the old
// "Version Number 2.11" … "Version Number 1.0" values; 0 when none holds a number.
double ReadStoredVersion(RegistryStore& store);

// The step an existing store enters the chain at for its stored version, or kMigrationSteps
// when it is current (2.52 or later). Versions are compared in single precision.
int FirstMigrationStep(double stored_version);

struct MigrationResult {
  int first_step = kMigrationSteps;  // kMigrationSteps: no step ran
  bool completed = true;             // false: a write failed and the chain stopped there
};

// Runs the chain: from step 0 when `initialized` is 0 (a first start), else from the step
// of the stored version. Every write goes through CheckSaved; the first failed write stops
// the chain. `default_output_folder` is what a first start stores as "Output File". Step 17
// reads the old per-language texts into `settings` as it renumbers them.
MigrationResult MigrateSettings(RegistryStore& store, Settings& settings, int initialized,
                                const std::string& default_output_folder);

// Writes "Version Number" = 2.52. On failure shows "Error 102819: Unable to set current
// version." (no caption, OK button) and returns false; the caller then ends the program.
bool StampVersion(RegistryStore& store);

}  // namespace kinloom::settings
