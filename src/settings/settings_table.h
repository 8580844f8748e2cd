// The one table of every value the program keeps in the application key: its registry
// value name, its kind, its field in the Settings record, its default, when the load
// sequence reads it, where the bulk save writes it, and whether the pages show it.
//
// The load and the bulk save (load_save.h), the defaults the migration writes
// (migration.h), --set and --settings (settings_commands.h) and the conversion of the page
// texts into the encoding of a site all walk this table: an option is added with one row
// here (and its field in Settings and its dialog control). The custom links and meta tags
// live in keys of their own and are not rows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace kinloom::settings {

enum class ValueKind { kText, kIntText, kDword, kReal };

// "text", "integer text", "dword", "real text".
const char* KindName(ValueKind kind);

// When the load sequence reads a value.
enum class LoadStep {
  kBeforeMigration,  // first, so that the migration and its messages can use it
  kMain,             // after the migration, before the version stamp
  kAfterStamp,       // after the version stamp, with the custom links
  kNever,            // the load leaves the field as it is ("Version Number")
};

// One value of the application key. Exactly the accessor of its kind is set; the default is
// held in the member of its kind (`default_number` for integer texts and dwords).
struct ValueDefinition {
  std::string name;
  ValueKind kind = ValueKind::kText;
  std::function<std::string&(Settings&)> text;
  std::function<int&(Settings&)> integer;
  std::function<std::uint32_t&(Settings&)> dword;
  std::function<double&(Settings&)> real;

  // The default, as a default-constructed Settings holds it; texts in Windows-1252.
  std::string default_text;
  std::int64_t default_number = 0;
  double default_real = 0.0;

  LoadStep load = LoadStep::kMain;
  // Places in the bulk save, which writes in ascending place; 0: the bulk save does not
  // write the value (its dialog does). A value written twice has a second place.
  int save_place = 0;
  int second_save_place = 0;
  // A text the pages show: converted with the page text into the encoding of a site.
  bool page_text = false;
  // "Input File" and "Output File": a command-line start takes its two paths instead.
  bool command_line_path = false;
  // A dword read as missing (all bits set) is set to its default and the default written
  // back.
  bool write_default_when_missing = false;
  // A text that cannot be read leaves the field as it is.
  bool keep_when_unreadable = false;
};

// Every value the program keeps in the application key, in the order of the load sequence.
const std::vector<ValueDefinition>& ValueDefinitions();

// A value name as names are compared: its ASCII capitals lowered.
std::string FoldCase(const std::string& name);
// A typed-in text without the blanks and tabs around it.
std::string TrimBlanks(const std::string& text);

// The definition of a value name (compared without regard to ASCII case, then also
// ignoring blanks around it when that leaves one candidate); null when none.
const ValueDefinition* FindValueDefinition(const std::string& name);

// The definition of a value name spelled exactly as the table spells it. The name must be
// one of the table's: the program ends (platform::EndProgram) otherwise.
const ValueDefinition& DefinitionOf(const std::string& name);

// The values the bulk save writes, in its order ("Create Family Groups" twice).
const std::vector<const ValueDefinition*>& BulkSaveOrder();

// The field of a definition. Text values of the other kinds read as empty; numeric values
// of a text as 0.
const std::string& TextOf(const ValueDefinition& definition, const Settings& settings);
std::int64_t NumberOf(const ValueDefinition& definition, const Settings& settings);
double RealOf(const ValueDefinition& definition, const Settings& settings);

// "%s %d" value name of a per-language option ("Index Name 1").
std::string LanguageValueName(const char* base, int language);

// Converts every page text of the table, and every non-empty custom link, with `convert`.
void ConvertPageTexts(Settings& settings,
                      const std::function<std::string(const std::string&)>& convert);

}  // namespace kinloom::settings
