#include "settings/load_save.h"

#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "platform/registry.h"
#include "platform/system_error.h"
#include "settings/migration.h"

namespace kinloom::settings {
namespace {

constexpr int kTextLinkSaveFailed = 2255;  // "Error, Unable to save entry %d.\n Text = ..."

constexpr std::uint32_t kMissingDword = 0xFFFFFFFFu;

// Reads one value of the table into its field.
void ReadValue(RegistryStore& store, const ValueDefinition& d, Settings& s) {
  switch (d.kind) {
    case ValueKind::kText: {
      int status = 0;
      std::string value = store.ReadText(d.name, &status);
      if (status != 0 && d.keep_when_unreadable) return;
      d.text(s) = std::move(value);
      break;
    }
    case ValueKind::kIntText:
      d.integer(s) = store.ReadIntText(d.name);
      break;
    case ValueKind::kDword: {
      std::uint32_t value = store.ReadDword(d.name);
      if (value == kMissingDword && d.write_default_when_missing) {
        value = static_cast<std::uint32_t>(d.default_number);
        store.WriteDword(d.name, value);
      }
      d.dword(s) = value;
      break;
    }
    case ValueKind::kReal:
      d.real(s) = store.ReadReal(d.name);
      break;
  }
}

// Reads the values of one step of the load sequence, in the table's order.
void ReadValues(RegistryStore& store, LoadStep step, Settings& s, bool skip_paths = false) {
  for (const ValueDefinition& d : ValueDefinitions())
    if (d.load == step && !(skip_paths && d.command_line_path)) ReadValue(store, d, s);
}

}  // namespace

int WriteValue(RegistryStore& store, const ValueDefinition& d, const Settings& s) {
  switch (d.kind) {
    case ValueKind::kText:
      return store.WriteText(d.name, TextOf(d, s));
    case ValueKind::kIntText:
      return store.WriteIntText(d.name, static_cast<int>(NumberOf(d, s)));
    case ValueKind::kDword:
      return store.WriteDword(d.name, static_cast<std::uint32_t>(NumberOf(d, s)));
    case ValueKind::kReal:
      return store.WriteReal(d.name, RealOf(d, s));
  }
  return 0;
}

std::string LinkTextName(int slot) { return "Custom Link Text Number " + std::to_string(slot); }
std::string LinkHyperlinkName(int slot) {
  return "Custom Link Hyperlink Number " + std::to_string(slot);
}

std::string DefaultOutputFolder() {
  std::string home = platform::UserHomeFolder();
  return (home.empty() || home == "/" ? std::string() : home) + "/MyHTMLFiles";
}

void LoadSettingsStart(RegistryStore& store, Settings& s, const LoadOptions& options) {
  ReadValues(store, LoadStep::kBeforeMigration, s);
  MigrateSettings(store, s, s.initialized, options.default_output_folder);
}

void LoadSettingsMain(RegistryStore& store, Settings& s, const LoadOptions& options) {
  if (options.command_line) {
    s.input_file = options.input_path;
    s.output_file = options.output_folder;
  }
  ReadValues(store, LoadStep::kMain, s, options.command_line);
}

void LoadSettingsEnd(RegistryStore& store, Settings& s) {
  // Some 1,500 reads, the custom links among them, from one look at the store: a batch
  // without writes reads the copy in memory instead of checking the file at every value.
  store.BeginBatch();
  ReadValues(store, LoadStep::kAfterStamp, s);
  LoadCustomLinks(store, s);
  LoadMetaTags(store, s);
  store.EndBatch();
}

std::optional<std::string> ReadNotesToInclude(RegistryStore& store) {
  int status = 0;
  std::string notes = store.ReadText("Notes To Include", &status);
  if (status != 0) return std::nullopt;
  return notes;
}

void LoadSettings(RegistryStore& store, Settings& settings, const LoadOptions& options) {
  LoadSettingsStart(store, settings, options);
  LoadSettingsMain(store, settings, options);
  if (!StampVersion(store)) platform::EndProgram(1, "Unable to set current version");
  LoadSettingsEnd(store, settings);
}

namespace {

using LinkTable = std::array<CustomLink, kLinkSlots>;

void LoadLinkTable(RegistryStore& store, const char* key, LinkTable& table) {
  store.SelectLinksKey(key);
  for (int n = 0; n < kLinkSlots; ++n) {
    CustomLink& link = table[n];
    link.text = store.ReadText(LinkTextName(n));
    link.hyperlink = link.text.empty() ? std::string() : store.ReadText(LinkHyperlinkName(n));
  }
  store.SelectMainKey();
}

bool SaveLinkTable(RegistryStore& store, const Settings& s, const char* key,
                   const LinkTable& table) {
  bool all_ok = true;
  store.SelectLinksKey(key);
  const std::string format = lang::LoadUiText(kTextLinkSaveFailed, s);
  auto report = [&](int slot, const CustomLink& link, int status) {
    if (status == 0) return;
    all_ok = false;
    platform::ReportSystemError(
        store.ui(),
        lang::FormatText(format.c_str(), slot, link.text.c_str(), link.hyperlink.c_str()), status);
  };
  for (int n = 0; n < kLinkSlots; ++n) {
    const CustomLink& link = table[n];
    if (!link.text.empty()) {
      report(n, link, store.WriteText(LinkTextName(n), link.text));
      report(n, link, store.WriteText(LinkHyperlinkName(n), link.hyperlink));
    } else {
      // A stale value left in an emptied slot would bring the link back: report it too.
      report(n, link, store.DeleteValue(LinkTextName(n)));
      report(n, link, store.DeleteValue(LinkHyperlinkName(n)));
    }
  }
  store.SelectMainKey();
  return all_ok;
}

}  // namespace

void LoadCustomLinks(RegistryStore& store, Settings& s) {
  for (int k = 0; k < kLinkLanguageCount; ++k)
    LoadLinkTable(store, kLinkKeyNames[k], s.custom_links[k]);
}

bool SaveCustomLinks(RegistryStore& store, const Settings& s, int language) {
  if (language < 0 || language >= kLinkLanguageCount) return false;
  return SaveLinkTable(store, s, kLinkKeyNames[language], s.custom_links[language]);
}

void LoadMetaTags(RegistryStore& store, Settings& s) {
  LoadLinkTable(store, kMetaTagsKeyName, s.meta_tags);
}

bool SaveMetaTags(RegistryStore& store, const Settings& s) {
  return SaveLinkTable(store, s, kMetaTagsKeyName, s.meta_tags);
}

bool SaveSettings(RegistryStore& store, const Settings& s, const MainWindowFields& fields) {
  // The paths and the page extension as the main window shows them, not as the record holds
  // them.
  Settings shown = s;
  shown.input_file = fields.input_path;
  shown.output_file = fields.output_folder;
  shown.htm = fields.htm_selected ? 1 : 0;
  // One rewrite of the registry for the whole set, not one per value.
  store.BeginBatch();
  bool ok = true;
  for (const ValueDefinition* d : BulkSaveOrder()) {
    ok = store.CheckSaved(WriteValue(store, *d, shown));
    if (!ok) break;
  }
  const int stored = store.EndBatch();
  return ok && store.CheckSaved(stored);
}

}  // namespace kinloom::settings
