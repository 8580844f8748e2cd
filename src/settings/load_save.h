// Loading the whole Settings record from the store at start-up, saving it back in bulk when
// a conversion starts or the main window closes, and the custom links of one language.
#pragma once

#include <optional>
#include <string>

#include "settings/registry_store.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace kinloom::settings {

// What start-up hands the load sequence.
struct LoadOptions {
  // Command-line mode: the two paths replace "Input File" and "Output File".
  bool command_line = false;
  std::string input_path;
  std::string output_folder;
  // What a first start stores as "Output File" (on this platform $HOME/MyHTMLFiles).
  std::string default_output_folder;
};

// The main-window fields the bulk save reads instead of the record.
struct MainWindowFields {
  std::string input_path;     // the GEDCOM path box
  std::string output_folder;  // the output folder box
  bool htm_selected = true;   // the ".HTM" choice (else ".HTML")
};

// The default output folder of this platform: $HOME/MyHTMLFiles.
std::string DefaultOutputFolder();

// The load sequence in its fixed order; each part reads the values of its LoadStep in the
// order of the table. Start: the values read before the migration ("Lables In French",
// "Initialized", "Debugging", the last two written back as 0 when missing), then the
// defaults or the migration.
void LoadSettingsStart(RegistryStore& store, Settings& settings, const LoadOptions& options);
// Main: paths (the command line's when it gave them), base page names and titles, "HTM",
// colours, owner, switches, texts.
void LoadSettingsMain(RegistryStore& store, Settings& settings, const LoadOptions& options);
// End: "CL _top", the meta refresh values, the page sizes, "Notes To Include", the custom
// links and meta tags.
void LoadSettingsEnd(RegistryStore& store, Settings& settings);
// The whole sequence: Start, Main, the version stamp (step 15), End. When the stamp cannot
// be written the message has been shown and the program ends (platform::EndProgram).
void LoadSettings(RegistryStore& store, Settings& settings, const LoadOptions& options);

// The bulk save, in its fixed order (BulkSaveOrder), with the paths and the page extension
// taken from `fields`. Stops at the first write CheckSaved reports as failed
// (its message shown once) and returns false; true when everything was written.
bool SaveSettings(RegistryStore& store, const Settings& settings, const MainWindowFields& fields);

// Reads the 256 link slots of languages 0 … 5 from their link keys.
void LoadCustomLinks(RegistryStore& store, Settings& settings);
// Saves the links of one language (0 … 5): non-empty slots are written (text, then
// hyperlink), empty slots have both values deleted. Each failed write or deletion is
// reported with text 2255 through ReportSystemError and the loop goes on. Returns true
// when nothing failed.
bool SaveCustomLinks(RegistryStore& store, const Settings& settings, int language);

// "Notes To Include" as the store holds it; nothing when it cannot be read.
std::optional<std::string> ReadNotesToInclude(RegistryStore& store);

// The meta-tag table, kept in the key "Meta Tags" as a link table is (same value names,
// the name as the text and the content as the hyperlink); saving reports as above.
void LoadMetaTags(RegistryStore& store, Settings& settings);
bool SaveMetaTags(RegistryStore& store, const Settings& settings);

// "%s Number %d" value names of a link slot.
std::string LinkTextName(int slot);
std::string LinkHyperlinkName(int slot);

// Writes the field of one value of the table with the writer of its kind; returns the
// write's status (see RegistryStore).
int WriteValue(RegistryStore& store, const ValueDefinition& definition, const Settings& settings);

}  // namespace kinloom::settings
