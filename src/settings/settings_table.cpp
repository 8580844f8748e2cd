#include "settings/settings_table.h"

#include <algorithm>
#include <map>

#include "lang/tag_labels.h"
#include "platform/program_end.h"

namespace kinloom::settings {
namespace {

using S = Settings;

template <typename T>
std::function<T&(S&)> Field(T S::*member) {
  return [member](S& s) -> T& { return s.*member; };
}

// The rows added by one call of the builder, to give them their load step, save place and
// flags.
class Rows {
 public:
  Rows(std::vector<ValueDefinition>& defs, std::size_t first) : defs_(defs), first_(first) {}
  Rows& Load(LoadStep step) {
    return Each([step](ValueDefinition& d) { d.load = step; });
  }
  Rows& Saved(int place) {
    return Each([place](ValueDefinition& d) { d.save_place = place; });
  }
  Rows& SavedAgain(int place) {
    return Each([place](ValueDefinition& d) { d.second_save_place = place; });
  }
  Rows& PageText() {
    return Each([](ValueDefinition& d) { d.page_text = true; });
  }
  Rows& CommandLinePath() {
    return Each([](ValueDefinition& d) { d.command_line_path = true; });
  }
  Rows& WriteDefaultWhenMissing() {
    return Each([](ValueDefinition& d) { d.write_default_when_missing = true; });
  }
  Rows& KeepWhenUnreadable() {
    return Each([](ValueDefinition& d) { d.keep_when_unreadable = true; });
  }

 private:
  template <typename F>
  Rows& Each(F f) {
    for (std::size_t i = first_; i < defs_.size(); ++i) f(defs_[i]);
    return *this;
  }
  std::vector<ValueDefinition>& defs_;
  std::size_t first_;
};

class Builder {
 public:
  std::vector<ValueDefinition> defs;

  Rows Text(std::string name, std::function<std::string&(S&)> f, std::string default_cp1252) {
    ValueDefinition d;
    d.name = std::move(name);
    d.kind = ValueKind::kText;
    d.text = std::move(f);
    d.default_text = std::move(default_cp1252);
    return Add(std::move(d));
  }
  Rows Int(std::string name, std::function<int&(S&)> f, int default_value) {
    ValueDefinition d;
    d.name = std::move(name);
    d.kind = ValueKind::kIntText;
    d.integer = std::move(f);
    d.default_number = default_value;
    return Add(std::move(d));
  }
  Rows Dword(std::string name, std::function<std::uint32_t&(S&)> f, std::uint32_t default_value) {
    ValueDefinition d;
    d.name = std::move(name);
    d.kind = ValueKind::kDword;
    d.dword = std::move(f);
    d.default_number = default_value;
    return Add(std::move(d));
  }
  Rows Real(std::string name, std::function<double&(S&)> f, double default_value) {
    ValueDefinition d;
    d.name = std::move(name);
    d.kind = ValueKind::kReal;
    d.real = std::move(f);
    d.default_real = default_value;
    return Add(std::move(d));
  }

  // A text per language k = 0 … 8, stored as "<base> k".
  Rows PerLanguageText(const char* base, PerLanguage<std::string> S::*field,
                       const std::function<std::string(int)>& default_of) {
    const std::size_t first = defs.size();
    for (int k = 0; k < kLanguageCount; ++k)
      Text(
          LanguageValueName(base, k), [field, k](S& s) -> std::string& { return (s.*field)[k]; },
          default_of(k));
    return Rows(defs, first);
  }
  Rows PerLanguageText(const char* base, PerLanguage<std::string> S::*field, DefaultText which) {
    return PerLanguageText(base, field, [which](int k) { return DefaultLanguageText(k, which); });
  }
  // A switch per language k = 0 … 8, stored under its own name; on for English only.
  Rows PerLanguageSwitch(const char* const (&names)[kLanguageCount], PerLanguage<int> S::*field) {
    const std::size_t first = defs.size();
    for (int k = 0; k < kLanguageCount; ++k)
      Int(
          names[k], [field, k](S& s) -> int& { return (s.*field)[k]; }, k == 0 ? 1 : 0);
    return Rows(defs, first);
  }

 private:
  Rows Add(ValueDefinition d) {
    defs.push_back(std::move(d));
    return Rows(defs, defs.size() - 1);
  }
};

// The rows in the order of the load sequence. The numbers given to Saved are the places of
// the bulk save.
std::vector<ValueDefinition> BuildTable() {
  Builder b;

  // Read before the migration.
  b.Int("Lables In French", Field(&S::labels_in_french), 0)
      .Load(LoadStep::kBeforeMigration)
      .Saved(410);
  b.Int("Initialized", Field(&S::initialized), 0).Load(LoadStep::kBeforeMigration);
  b.Dword("Debugging", Field(&S::debugging), 0)
      .Load(LoadStep::kBeforeMigration)
      .WriteDefaultWhenMissing();
  // Newer than every stored settings version: a store without it gets the default.
  b.Dword("Skip Broken Links", Field(&S::skip_broken_links), 0)
      .Load(LoadStep::kBeforeMigration)
      .WriteDefaultWhenMissing();
  b.Dword("Page Style", Field(&S::page_style), 0)
      .Load(LoadStep::kBeforeMigration)
      .WriteDefaultWhenMissing();
  b.Real("Version Number", Field(&S::version_number), kSettingsVersion).Load(LoadStep::kNever);

  // Read after the migration.
  b.Text("Input File", Field(&S::input_file), "").CommandLinePath().Saved(10);
  b.Text("Output File", Field(&S::output_file), "").CommandLinePath().Saved(20);
  b.PerLanguageText("Index Name", &S::index_name,
                    [](int k) {
                      static const char* const kNames[kLanguageCount] = {
                          "index",  "indexf", "indexg", "indexd", "indexs",
                          "indexa", "indexn", "indexi", "indexp"};
                      return std::string(kNames[k]);
                    })
      .PageText()
      .Saved(70);
  b.PerLanguageText("Index Title", &S::index_title, DefaultText::kIndexTitle).PageText().Saved(80);
  b.Int("HTM", Field(&S::htm), 1).Saved(90);
  static const std::uint32_t kColourDefaults[kColourCount] = {
      0xFFFFFF, 0x000000, 0x0000FF, 0xFF0000, 0x000000, 0x000000, 0x000000,
      0xFF0000, 0xFF8040, 0x800000, 0x0000FF, 0xFF00FF, 0x008000};
  for (int c = 0; c < kColourCount; ++c)
    b.Dword(
         kColourNames[c], [c](S& s) -> std::uint32_t& { return s.colours[c]; }, kColourDefaults[c])
        .Saved(110);

  b.Text(
       "User Name", [](S& s) -> std::string& { return s.owner.user_name; }, "")
      .PageText()
      .Saved(170);
  b.Text(
       "Email Address", [](S& s) -> std::string& { return s.owner.email_address; }, "")
      .PageText()
      .Saved(180);
  static const char* const kHomepageNames[5] = {"Homepage", "Homepage2", "Homepage3", "Homepage4",
                                                "Homepage5"};
  for (int h = 0; h < 5; ++h)
    b.Text(
         kHomepageNames[h], [h](S& s) -> std::string& { return s.owner.homepages[h]; }, "")
        .PageText()
        .Saved(190);
  b.Int(
       "HP _top", [](S& s) -> int& { return s.owner.hp_top; }, 0)
      .Saved(460);
  for (int a = 0; a < 4; ++a)
    b.Text(
         "Address Line " + std::to_string(a + 1),
         [a](S& s) -> std::string& { return s.owner.address[a]; }, "")
        .PageText()
        .Saved(200);

  b.Int("Create Family Groups", Field(&S::create_family_groups), 1).Saved(120).SavedAgain(260);
  b.Int("Use Text Color", Field(&S::use_text_color), 0).Saved(130);
  b.Int("Use Text Color For Familypages", Field(&S::use_text_color_for_family_pages), 0).Saved(140);
  b.Int("Create Descendancy Groups", Field(&S::create_descendancy_groups), 1).Saved(150);
  b.Int("Group Only For Topmost", Field(&S::group_only_for_topmost), 1).Saved(160);
  b.Int("Create Ascendancy Groups", Field(&S::create_ascendancy_groups), 1).Saved(270);
  b.Int("Create Link To GEDCOM file", Field(&S::create_link_to_gedcom_file), 1).Saved(280);
  b.Int("Create Pedigree Groups", Field(&S::create_pedigree_groups), 1).Saved(330);
  b.PerLanguageSwitch(kCreateNotesPagesNames, &S::create_notes_pages).Saved(360);
  b.Int("Include Custom Links", Field(&S::include_custom_links), 0).Saved(390);
  b.Int("Use Custom Background", Field(&S::use_custom_background), 0).Saved(210);
  b.Int("Use Default Background", Field(&S::use_default_background), 1).Saved(220);
  b.Int("Include Copyright", Field(&S::include_copyright), 0).Saved(250);
  b.Int("Use Custom Colors", Field(&S::use_custom_colors), 0).Saved(100);
  b.Text("Custom Background", Field(&S::custom_background), "").Saved(230);
  b.Text("Custom Background Path", Field(&S::custom_background_path), "").Saved(240);

  b.PerLanguageText("Family Page Text A", &S::family_page_text_a, DefaultText::kPageTextA)
      .PageText()
      .Saved(290);
  b.PerLanguageText("Family Page Text B", &S::family_page_text_b, DefaultText::kFamilyB)
      .PageText()
      .Saved(300);
  b.PerLanguageText("Descendancy Page Text A", &S::descendancy_page_text_a, DefaultText::kPageTextA)
      .PageText()
      .Saved(310);
  b.PerLanguageText("Descendancy Page Text B", &S::descendancy_page_text_b,
                    DefaultText::kDescendancyB)
      .PageText()
      .Saved(320);
  b.PerLanguageText("Pedigree Page Text A", &S::pedigree_page_text_a, DefaultText::kPageTextA)
      .PageText()
      .Saved(340);
  b.PerLanguageText("Pedigree Page Text B", &S::pedigree_page_text_b, DefaultText::kPedigreeB)
      .PageText()
      .Saved(350);
  b.PerLanguageText("Notes Page Text A", &S::notes_page_text_a, DefaultText::kPageTextA)
      .PageText()
      .Saved(370);
  b.PerLanguageText("Notes Page Text B", &S::notes_page_text_b, DefaultText::kNotesB)
      .PageText()
      .Saved(380);
  b.PerLanguageText("Custom Links Title", &S::custom_links_title, DefaultText::kCustomLinksTitle)
      .PageText()
      .Saved(400);

  b.Int("Mark All Ancestors", Field(&S::mark_all_ancestors), 0).Saved(420);
  b.Int("Show GEDCOM ID's", Field(&S::show_gedcom_ids), 0).Saved(430);
  b.Text("Ancestor Id", Field(&S::ancestor_id), "").PageText().Saved(440);
  b.Int("Use Baptism", Field(&S::use_baptism), 1).Saved(530);
  b.Int("Index Dates", Field(&S::index_dates), 1);
  b.Int("Text File", Field(&S::text_file), 0);
  b.Int("Gender", Field(&S::gender), 1);
  b.Int("Suppress Living", Field(&S::suppress_living), 1);
  b.Dword("Born", Field(&S::born), 1920);
  b.Dword("Married", Field(&S::married), 1930);
  b.Int("Suppress LDS Deceased", Field(&S::suppress_lds_deceased), 1);
  b.Int("Suppress LDS Living", Field(&S::suppress_lds_living), 1);
  b.PerLanguageSwitch(kCreatePagesNames, &S::create_pages).Saved(450);
  b.Int("Minimize Abosoute", Field(&S::minimize_absolute), 0).Saved(500);
  b.Int("One Index Page Link", Field(&S::one_index_page_link), 0).Saved(510);
  b.Int("No Colors", Field(&S::no_colors), 0).Saved(520);

  // Read after the version stamp.
  b.Int("CL _top", Field(&S::cl_top), 0).Load(LoadStep::kAfterStamp).Saved(470);
  b.Int("Meta Refresh Tag", Field(&S::meta_refresh_tag), 0).Load(LoadStep::kAfterStamp).Saved(480);
  b.Dword("Meta Refresh Value", Field(&S::meta_refresh_value), 12)
      .Load(LoadStep::kAfterStamp)
      .Saved(490);
  b.Dword("Groups", Field(&S::groups), 10).Load(LoadStep::kAfterStamp).Saved(30);
  b.Dword("Groups Descendancy", Field(&S::groups_descendancy), 5)
      .Load(LoadStep::kAfterStamp)
      .Saved(40);
  b.Dword("Groups Pedigree", Field(&S::groups_pedigree), 10).Load(LoadStep::kAfterStamp).Saved(50);
  b.Dword("Groups Notes", Field(&S::groups_notes), 20).Load(LoadStep::kAfterStamp).Saved(60);
  // The notes tag selection is kept in the record too, for the notes pages; a store without
  // it keeps the default list.
  b.Text("Notes To Include", Field(&S::notes_to_include), lang::DefaultNotesToInclude())
      .Load(LoadStep::kAfterStamp)
      .KeepWhenUnreadable();
  return std::move(b.defs);
}

std::vector<const ValueDefinition*> BuildBulkSaveOrder() {
  std::vector<std::pair<int, const ValueDefinition*>> placed;
  for (const ValueDefinition& d : ValueDefinitions()) {
    if (d.save_place != 0) placed.emplace_back(d.save_place, &d);
    if (d.second_save_place != 0) placed.emplace_back(d.second_save_place, &d);
  }
  // Rows of one place (the values of one language group) keep the table's order.
  std::stable_sort(placed.begin(), placed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const ValueDefinition*> order;
  for (const auto& [place, d] : placed) order.push_back(d);
  return order;
}

}  // namespace

const char* KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::kText:
      return "text";
    case ValueKind::kIntText:
      return "integer text";
    case ValueKind::kDword:
      return "dword";
    case ValueKind::kReal:
      return "real text";
  }
  return "";
}

const std::vector<ValueDefinition>& ValueDefinitions() {
  static const std::vector<ValueDefinition> definitions = BuildTable();
  return definitions;
}

const std::vector<const ValueDefinition*>& BulkSaveOrder() {
  static const std::vector<const ValueDefinition*> order = BuildBulkSaveOrder();
  return order;
}

std::string FoldCase(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string TrimBlanks(const std::string& text) {
  std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  std::size_t e = text.find_last_not_of(" \t");
  return text.substr(b, e - b + 1);
}

const ValueDefinition* FindValueDefinition(const std::string& name) {
  const std::string folded = FoldCase(name);
  for (const ValueDefinition& d : ValueDefinitions())
    if (FoldCase(d.name) == folded) return &d;
  const std::string trimmed = TrimBlanks(folded);
  const ValueDefinition* found = nullptr;
  for (const ValueDefinition& d : ValueDefinitions()) {
    if (TrimBlanks(FoldCase(d.name)) == trimmed) {
      if (found != nullptr) return nullptr;
      found = &d;
    }
  }
  return found;
}

std::string LanguageValueName(const char* base, int language) {
  return std::string(base) + " " + std::to_string(language);
}

const ValueDefinition& DefinitionOf(const std::string& name) {
  static const std::map<std::string, const ValueDefinition*> by_name = [] {
    std::map<std::string, const ValueDefinition*> map;
    for (const ValueDefinition& d : ValueDefinitions()) map.emplace(d.name, &d);
    return map;
  }();
  auto it = by_name.find(name);
  if (it == by_name.end()) platform::EndProgram(1, "No setting is named " + name);
  return *it->second;
}

const std::string& TextOf(const ValueDefinition& d, const Settings& s) {
  static const std::string kNone;
  // The accessors hand out the field for writing; reading it here changes nothing.
  return d.text ? d.text(const_cast<Settings&>(s)) : kNone;
}

std::int64_t NumberOf(const ValueDefinition& d, const Settings& s) {
  if (d.integer) return d.integer(const_cast<Settings&>(s));
  if (d.dword) return d.dword(const_cast<Settings&>(s));
  return 0;
}

double RealOf(const ValueDefinition& d, const Settings& s) {
  return d.real ? d.real(const_cast<Settings&>(s)) : 0.0;
}

void ConvertPageTexts(Settings& settings,
                      const std::function<std::string(const std::string&)>& convert) {
  for (const ValueDefinition& d : ValueDefinitions()) {
    if (!d.page_text) continue;
    std::string& value = d.text(settings);
    value = convert(value);
  }
  for (auto& links : settings.custom_links) {
    for (CustomLink& link : links) {
      if (link.text.empty() && link.hyperlink.empty()) continue;
      link.text = convert(link.text);
      link.hyperlink = convert(link.hyperlink);
    }
  }
}

}  // namespace kinloom::settings
