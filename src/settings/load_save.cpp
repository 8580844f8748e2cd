#include "settings/load_save.h"

#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "platform/registry.h"
#include "platform/system_error.h"
#include "settings/migration.h"

namespace kinloom::settings {
namespace {

constexpr std::uint32_t kMissingDword = 0xFFFFFFFFu;

// The per-language texts in the order the load sequence reads them (step 11).
struct LanguageTexts {
  const char* base;
  PerLanguage<std::string> Settings::*field;
};
constexpr LanguageTexts kPageTexts[] = {
    {"Family Page Text A", &Settings::family_page_text_a},
    {"Family Page Text B", &Settings::family_page_text_b},
    {"Descendancy Page Text A", &Settings::descendancy_page_text_a},
    {"Descendancy Page Text B", &Settings::descendancy_page_text_b},
    {"Pedigree Page Text A", &Settings::pedigree_page_text_a},
    {"Pedigree Page Text B", &Settings::pedigree_page_text_b},
    {"Notes Page Text A", &Settings::notes_page_text_a},
    {"Notes Page Text B", &Settings::notes_page_text_b},
    {"Custom Links Title", &Settings::custom_links_title},
};

const char* const kHomepageNames[5] = {"Homepage", "Homepage2", "Homepage3", "Homepage4",
                                       "Homepage5"};
const char* const kAddressNames[4] = {"Address Line 1", "Address Line 2", "Address Line 3",
                                      "Address Line 4"};

// Writes through CheckSaved; after the first failure every further write is skipped.
class Saver {
 public:
  explicit Saver(RegistryStore& store) : store_(store) {}
  void Text(const std::string& name, const std::string& value) {
    if (ok_) ok_ = store_.CheckSaved(store_.WriteText(name, value));
  }
  void Int(const std::string& name, int value) {
    if (ok_) ok_ = store_.CheckSaved(store_.WriteIntText(name, value));
  }
  void Dword(const std::string& name, std::uint32_t value) {
    if (ok_) ok_ = store_.CheckSaved(store_.WriteDword(name, value));
  }
  void PerLanguageText(const char* base, const PerLanguage<std::string>& values) {
    for (int k = 0; k < kLanguageCount; ++k) Text(LanguageValueName(base, k), values[k]);
  }
  bool ok() const { return ok_; }

 private:
  RegistryStore& store_;
  bool ok_ = true;
};

}  // namespace

std::string LinkTextName(int slot) { return "Custom Link Text Number " + std::to_string(slot); }
std::string LinkHyperlinkName(int slot) {
  return "Custom Link Hyperlink Number " + std::to_string(slot);
}
std::string LanguageValueName(const char* base, int language) {
  return std::string(base) + " " + std::to_string(language);
}

std::string DefaultOutputFolder() {
  std::string home = platform::UserHomeFolder();
  return (home.empty() || home == "/" ? std::string() : home) + "/MyHTMLFiles";
}

void LoadSettingsStart(RegistryStore& store, Settings& s, const LoadOptions& options) {
  s.lables_in_french = store.ReadIntText("Lables In French");
  s.initialized = store.ReadIntText("Initialized");
  s.debugging = store.ReadDword("Debugging");
  if (s.debugging == kMissingDword) {
    s.debugging = 0;
    store.WriteDword("Debugging", 0);
  }
  // Newer than every stored settings version: a store without it gets the default.
  s.skip_broken_links = store.ReadDword("Skip Broken Links");
  if (s.skip_broken_links == kMissingDword) {
    s.skip_broken_links = 0;
    store.WriteDword("Skip Broken Links", 0);
  }
  MigrateSettings(store, s, s.initialized, options.default_output_folder);
}

void LoadSettingsMain(RegistryStore& store, Settings& s, const LoadOptions& options) {
  if (options.command_line) {
    s.input_file = options.input_path;
    s.output_file = options.output_folder;
  } else {
    s.input_file = store.ReadText("Input File");
    s.output_file = store.ReadText("Output File");
  }
  for (int k = 0; k < kLanguageCount; ++k)
    s.index_name[k] = store.ReadText(LanguageValueName("Index Name", k));
  for (int k = 0; k < kLanguageCount; ++k)
    s.index_title[k] = store.ReadText(LanguageValueName("Index Title", k));
  s.htm = store.ReadIntText("HTM");
  for (int c = 0; c < kColourCount; ++c) s.colours[c] = store.ReadDword(kColourNames[c]);

  s.owner.user_name = store.ReadText("User Name");
  s.owner.email_address = store.ReadText("Email Address");
  for (int h = 0; h < 5; ++h) s.owner.homepages[h] = store.ReadText(kHomepageNames[h]);
  s.owner.hp_top = store.ReadIntText("HP _top");
  for (int a = 0; a < 4; ++a) s.owner.address[a] = store.ReadText(kAddressNames[a]);

  s.create_family_groups = store.ReadIntText("Create Family Groups");
  s.use_text_color = store.ReadIntText("Use Text Color");
  s.use_text_color_for_familypages = store.ReadIntText("Use Text Color For Familypages");
  s.create_descendancy_groups = store.ReadIntText("Create Descendancy Groups");
  s.group_only_for_topmost = store.ReadIntText("Group Only For Topmost");
  s.create_ascendancy_groups = store.ReadIntText("Create Ascendancy Groups");
  s.create_link_to_gedcom_file = store.ReadIntText("Create Link To GEDCOM file");
  s.create_pedigree_groups = store.ReadIntText("Create Pedigree Groups");
  for (int k = 0; k < kLanguageCount; ++k)
    s.create_notes_pages[k] = store.ReadIntText(kCreateNotesPagesNames[k]);
  s.include_custom_links = store.ReadIntText("Include Custom Links");
  s.use_custom_background = store.ReadIntText("Use Custom Background");
  s.use_default_background = store.ReadIntText("Use Default Background");
  s.include_copyright = store.ReadIntText("Include Copyright");
  s.use_custom_colors = store.ReadIntText("Use Custom Colors");
  s.custom_background = store.ReadText("Custom Background");
  s.custom_background_path = store.ReadText("Custom Background Path");

  for (const LanguageTexts& t : kPageTexts)
    for (int k = 0; k < kLanguageCount; ++k)
      (s.*t.field)[k] = store.ReadText(LanguageValueName(t.base, k));

  s.mark_all_ancestors = store.ReadIntText("Mark All Ancestors");
  s.show_gedcom_ids = store.ReadIntText("Show GEDCOM ID's");
  s.ancestor_id = store.ReadText("Ancestor Id");
  s.use_baptism = store.ReadIntText("Use Baptism");
  s.index_dates = store.ReadIntText("Index Dates");
  s.text_file = store.ReadIntText("Text File");
  s.gender = store.ReadIntText("Gender");
  s.suppress_living = store.ReadIntText("Suppress Living");
  s.born = store.ReadDword("Born");
  s.married = store.ReadDword("Married");
  s.suppress_lds_deceased = store.ReadIntText("Suppress LDS Deceased");
  s.suppress_lds_living = store.ReadIntText("Suppress LDS Living");

  s.create_pages.fill(0);
  for (int k = 0; k < kLanguageCount; ++k)
    s.create_pages[k] = store.ReadIntText(kCreatePagesNames[k]);

  s.minimize_abosoute = store.ReadIntText("Minimize Abosoute");
  s.one_index_page_link = store.ReadIntText("One Index Page Link");
  s.no_colors = store.ReadIntText("No Colors");
}

void LoadSettingsEnd(RegistryStore& store, Settings& s) {
  // Some 1,500 reads, the custom links among them, from one look at the store: a batch
  // without writes reads the copy in memory instead of checking the file at every value.
  store.BeginBatch();
  s.cl_top = store.ReadIntText("CL _top");
  s.meta_refresh_tag = store.ReadIntText("Meta Refresh Tag");
  s.meta_refresh_value = store.ReadDword("Meta Refresh Value");
  LoadCustomLinks(store, s);
  LoadMetaTags(store, s);
  s.groups = store.ReadDword("Groups");
  s.groups_descendancy = store.ReadDword("Groups Descendancy");
  s.groups_pedigree = store.ReadDword("Groups Pedigree");
  s.groups_notes = store.ReadDword("Groups Notes");
  // The notes tag selection is kept in the record too, for the notes pages; a store
  // without it keeps the default list.
  if (std::optional<std::string> notes = ReadNotesToInclude(store)) s.notes_to_include = *notes;
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
  const std::string format = lang::LoadUiText(2255, s);
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
  // One rewrite of the registry for the whole set, not one per value.
  store.BeginBatch();
  Saver w(store);
  w.Text("Input File", fields.input_path);
  w.Text("Output File", fields.output_folder);

  w.Dword("Groups", s.groups);
  w.Dword("Groups Descendancy", s.groups_descendancy);
  w.Dword("Groups Pedigree", s.groups_pedigree);
  w.Dword("Groups Notes", s.groups_notes);

  w.PerLanguageText("Index Name", s.index_name);
  w.PerLanguageText("Index Title", s.index_title);

  w.Int("HTM", fields.htm_selected ? 1 : 0);

  w.Int("Use Custom Colors", s.use_custom_colors);
  for (int c = 0; c < kColourCount; ++c) w.Dword(kColourNames[c], s.colours[c]);

  w.Int("Create Family Groups", s.create_family_groups);
  w.Int("Use Text Color", s.use_text_color);
  w.Int("Use Text Color For Familypages", s.use_text_color_for_familypages);
  w.Int("Create Descendancy Groups", s.create_descendancy_groups);
  w.Int("Group Only For Topmost", s.group_only_for_topmost);

  w.Text("User Name", s.owner.user_name);
  w.Text("Email Address", s.owner.email_address);
  for (int h = 0; h < 5; ++h) w.Text(kHomepageNames[h], s.owner.homepages[h]);
  for (int a = 0; a < 4; ++a) w.Text(kAddressNames[a], s.owner.address[a]);

  w.Int("Use Custom Background", s.use_custom_background);
  w.Int("Use Default Background", s.use_default_background);
  w.Text("Custom Background", s.custom_background);
  w.Text("Custom Background Path", s.custom_background_path);
  w.Int("Include Copyright", s.include_copyright);
  w.Int("Create Family Groups", s.create_family_groups);
  w.Int("Create Ascendancy Groups", s.create_ascendancy_groups);
  w.Int("Create Link To GEDCOM file", s.create_link_to_gedcom_file);

  w.PerLanguageText("Family Page Text A", s.family_page_text_a);
  w.PerLanguageText("Family Page Text B", s.family_page_text_b);
  w.PerLanguageText("Descendancy Page Text A", s.descendancy_page_text_a);
  w.PerLanguageText("Descendancy Page Text B", s.descendancy_page_text_b);
  w.Int("Create Pedigree Groups", s.create_pedigree_groups);
  w.PerLanguageText("Pedigree Page Text A", s.pedigree_page_text_a);
  w.PerLanguageText("Pedigree Page Text B", s.pedigree_page_text_b);
  for (int k = 0; k < kLanguageCount; ++k)
    w.Int(kCreateNotesPagesNames[k], s.create_notes_pages[k]);
  w.PerLanguageText("Notes Page Text A", s.notes_page_text_a);
  w.PerLanguageText("Notes Page Text B", s.notes_page_text_b);
  w.Int("Include Custom Links", s.include_custom_links);
  w.PerLanguageText("Custom Links Title", s.custom_links_title);

  w.Int("Lables In French", s.lables_in_french);
  w.Int("Mark All Ancestors", s.mark_all_ancestors);
  w.Int("Show GEDCOM ID's", s.show_gedcom_ids);
  w.Text("Ancestor Id", s.ancestor_id);
  for (int k = 0; k < kLanguageCount; ++k) w.Int(kCreatePagesNames[k], s.create_pages[k]);
  w.Int("HP _top", s.owner.hp_top);
  w.Int("CL _top", s.cl_top);
  w.Int("Meta Refresh Tag", s.meta_refresh_tag);
  w.Dword("Meta Refresh Value", s.meta_refresh_value);
  w.Int("Minimize Abosoute", s.minimize_abosoute);
  w.Int("One Index Page Link", s.one_index_page_link);
  w.Int("No Colors", s.no_colors);
  w.Int("Use Baptism", s.use_baptism);
  const int stored = store.EndBatch();
  return w.ok() && store.CheckSaved(stored);
}

}  // namespace kinloom::settings
