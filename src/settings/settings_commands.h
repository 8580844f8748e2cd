// Settings from the command line, which has no option dialogs: "NAME=VALUE" assignments
// checked against the settings table, and a listing of what the store holds.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/ui.h"
#include "settings/registry_store.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace kinloom::settings {

// Up to `count` defined names closest to `name` (edit distance without regard to case).
std::vector<std::string> ClosestValueNames(const std::string& name, std::size_t count = 3);

// Applies "NAME=VALUE" assignments (UTF-8, as typed): each value is checked against the
// kind of its definition, then written to the store and to `settings`. A name without a
// definition that the store holds (a value of an older version) is written with the kind
// of its stored type. Every value may be given as RunListSettings shows it: a text in
// double quotes with its escapes, a colour with its hexadecimal form. Nothing is written
// when any assignment is refused (an unknown name, with the closest names listed; or a
// value its kind cannot hold): every refusal is shown through the store's interface and 1
// is returned. A failed write is reported by CheckSaved and stops there with 1. 0 when all
// were written.
int RunSetCommand(RegistryStore& store, Settings& settings,
                  const std::vector<std::string>& assignments);

// Writes one line per value of the application key to `out` (UTF-8):
//     "Groups Notes" (dword) = 20
// with the kind of the value's definition (for names the program no longer uses, the kind
// of the stored type) and the value as the program reads it. Returns 0, or 1 when the
// store cannot be listed (reported through the store's interface).
int RunListSettings(RegistryStore& store, std::ostream& out);

// The user's registry file (platform::DefaultRegistryPath()); a file that cannot be parsed
// is reported through `ui` as a warning naming the file, the line and the backup.
std::unique_ptr<platform::Registry> OpenUserRegistry(platform::UserInterface& ui);
std::unique_ptr<platform::Registry> OpenRegistryFile(const std::string& path,
                                                     platform::UserInterface& ui);

// The warning shown for a registry file that cannot be parsed.
std::string RegistryFaultMessage(const platform::RegistryFileFault& fault);

}  // namespace kinloom::settings
