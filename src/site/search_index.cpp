#include "site/search_index.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/text_encoding.h"
#include "run/output_folder.h"
#include "site/modern_search.h"
#include "site/page_facts.h"
#include "site/search_text.h"
#include "store/family_links.h"

namespace kinloom::site {
namespace {

// Search labels, in the order the script's label list takes them.
constexpr std::array<int, 6> kSearchLabels = {
    12636,  // "Search"  (box label)
    12637,  // "Search"  (button)
    12638,  // "No results"
    12639,  // "%d results"
    12640,  // "Only the first results are shown: type more to narrow the search"
    12641,  // "Type at least two letters"
};

// A stored text (names, places and dates are stored with "&quot;", "&amp;", "&lt;" and
// "&gt;") as plain UTF-8.
std::string PlainText(std::string_view stored, platform::TextEncoding encoding) {
  std::string text;
  text.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '&') {
      bool replaced = false;
      for (auto [entity, c] : {std::pair<std::string_view, char>{"&quot;", '"'},
                               {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}}) {
        if (stored.substr(i, entity.size()) == entity) {
          text += c;
          i += entity.size() - 1;
          replaced = true;
          break;
        }
      }
      if (replaced) continue;
    }
    text += stored[i];
  }
  if (encoding == platform::TextEncoding::kWindows1252) return platform::Cp1252ToUtf8(text);
  return text;
}

std::string Trimmed(std::string text) {
  const std::size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  const std::size_t start = text.find_first_not_of(' ');
  text.erase(0, start == std::string::npos ? text.size() : start);
  return text;
}

// Marks the people a family group describes in full, as WriteFamilyGroup picks them: the
// principal, and the spouse and children of the principal's families whose group it is.
std::vector<bool> DescribedOnFamilyGroups(const store::GenealogyStore& store) {
  std::vector<bool> described(store.individuals.size(), false);
  auto mark = [&](const store::IndividualRecord* person) {
    if (person) described[static_cast<std::size_t>(person - store.individuals.data())] = true;
  };
  std::vector<const store::IndividualRecord*> children;
  for (int group = 0; group < store.group_count; ++group) {
    const store::IndividualRecord* principal =
        store::IndividualAt(store, store.group_heads[static_cast<std::size_t>(group)]);
    if (!principal) continue;
    mark(principal);
    for (int k = 0; k < principal->spouse_family_count &&
                    k < static_cast<int>(principal->spouse_families.size());
         ++k) {
      const store::FamilyRecord* family = store::SpouseFamily(store, *principal, k);
      if (!family) continue;
      children.clear();
      for (int c = 0; c < static_cast<int>(family->children.size()); ++c)
        children.push_back(store::Child(store, *family, c));
      const GroupFamilyMembers members =
          FamilyMembersShown(*principal, group, store::Husband(store, *family),
                             store::Wife(store, *family), children);
      if (members.spouse.person && members.spouse.in_full) mark(members.spouse.person);
      for (const GroupMember& child : members.children)
        if (child.in_full) mark(child.person);
    }
  }
  return described;
}

void AddYearKey(std::vector<std::string>& keys, int year) {
  if (year <= 0 || year > 9999) return;
  std::string key = "y0000";
  for (std::size_t k = 4; k >= 1; --k, year /= 10) key[k] = static_cast<char>('0' + year % 10);
  keys.push_back(std::move(key));
}

void AddTokenKeys(std::vector<std::string>& keys, char kind, std::string_view text) {
  for (std::string& token : SearchTokens(text)) keys.push_back(kind + token);
}

// The length of the UTF-8 character at `i` of a key (keys are valid UTF-8).
std::size_t CharacterLength(std::string_view key, std::size_t i) {
  const auto lead = static_cast<unsigned char>(key[i]);
  std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return std::min(length, key.size() - i);
}

struct KeyEntry {
  std::string key;
  std::int32_t record;
  bool operator<(const KeyEntry& other) const {
    return key != other.key ? key < other.key : record < other.record;
  }
};

class Sharder {
 public:
  Sharder(const std::vector<KeyEntry>& entries, const std::vector<std::size_t>& record_bytes,
          std::size_t budget)
      : entries_(entries), bytes_(record_bytes), budget_(budget) {}

  // Shards for entries [begin, end), whose keys all start with `prefix`.
  void Split(std::size_t begin, std::size_t end, const std::string& prefix) {
    std::size_t size = 0;
    for (std::size_t i = begin; i < end; ++i) size += bytes_[Record(i)];
    if (size <= budget_) {
      Emit(begin, end, prefix);
      return;
    }
    // The keys equal to the prefix stay here; the others go by their next character.
    std::size_t i = begin;
    while (i < end && entries_[i].key.size() == prefix.size()) ++i;
    if (i > begin) EmitParts(begin, i, prefix);
    while (i < end) {
      const std::string& key = entries_[i].key;
      const std::string next = key.substr(0, prefix.size() + CharacterLength(key, prefix.size()));
      std::size_t j = i;
      while (j < end && entries_[j].key.compare(0, next.size(), next) == 0) ++j;
      Split(i, j, next);
      i = j;
    }
  }

  std::vector<SearchShard> shards;

 private:
  std::size_t Record(std::size_t i) const { return static_cast<std::size_t>(entries_[i].record); }

  // The records of entries [begin, end), each once.
  std::vector<std::int32_t> Records(std::size_t begin, std::size_t end) const {
    std::vector<std::int32_t> records;
    records.reserve(end - begin);
    for (std::size_t i = begin; i < end; ++i) records.push_back(entries_[i].record);
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());
    return records;
  }

  void Emit(std::size_t begin, std::size_t end, const std::string& prefix) {
    SearchShard shard;
    shard.prefix = prefix;
    shard.records = Records(begin, end);
    for (std::int32_t r : shard.records) shard.bytes += bytes_[static_cast<std::size_t>(r)];
    shards.push_back(std::move(shard));
  }

  // One key's records, in parts of at most the budget.
  void EmitParts(std::size_t begin, std::size_t end, const std::string& prefix) {
    std::vector<std::int32_t> records = Records(begin, end);
    SearchShard shard;
    shard.prefix = prefix;
    shard.exact = true;
    for (std::int32_t r : records) {
      const std::size_t size = bytes_[static_cast<std::size_t>(r)];
      if (!shard.records.empty() && shard.bytes + size > budget_) {
        shards.push_back(shard);
        shard.records.clear();
        shard.bytes = 0;
        ++shard.part;
      }
      shard.records.push_back(r);
      shard.bytes += size;
    }
    if (!shard.records.empty()) shards.push_back(std::move(shard));
  }

  const std::vector<KeyEntry>& entries_;
  const std::vector<std::size_t>& bytes_;
  std::size_t budget_;
};

// The script that starts every search file: the generator mark by which a later run
// recognises the file as its own.
std::string FileHead() {
  std::string head(run::kScriptGeneratorTag);
  head += ": search index\n";
  return head;
}

}  // namespace

std::vector<SearchRecord> CollectSearchRecords(const SiteContext& site) {
  std::vector<SearchRecord> records;
  const settings::Settings& options = site.settings();
  if (!options.create_family_groups) return records;
  const store::GenealogyStore& store = site.store();
  const platform::TextEncoding encoding = site.writer.TextEncoding();
  const PageNaming naming = MakePageNaming(site.language, options);
  const std::vector<bool> described = DescribedOnFamilyGroups(store);
  for (std::size_t i = 0; i < store.individuals.size(); ++i) {
    if (!described[i]) continue;
    const store::IndividualRecord& person = store.individuals[i];
    SearchRecord record;
    record.person = static_cast<std::int32_t>(i);
    record.surname = Trimmed(PlainText(person.surname, encoding));
    record.given_names = Trimmed(PlainText(person.given_names, encoding));
    record.title = Trimmed(PlainText(person.title, encoding));
    const ShownDates dates = DatesShown(person, DatesOn::kFamilyGroup, options);
    if (dates.birth.shown) {
      if (!dates.birth.withheld) record.birth_year = YearOfDate(dates.birth.date);
      record.birth_place = PlainText(dates.birth.place, encoding);
    }
    if (dates.death.shown) {
      record.death_year = YearOfDate(dates.death.date);
      record.death_place = PlainText(dates.death.place, encoding);
    }
    record.href = FamilyGroupHref(naming, person.group);
    if (encoding == platform::TextEncoding::kWindows1252)
      record.href = platform::Cp1252ToUtf8(record.href);
    records.push_back(std::move(record));
  }
  return records;
}

std::vector<std::string> SearchKeys(const SearchRecord& record) {
  std::vector<std::string> keys;
  AddTokenKeys(keys, 'n', record.surname);
  AddTokenKeys(keys, 'n', record.given_names);
  AddTokenKeys(keys, 'p', record.birth_place);
  AddTokenKeys(keys, 'p', record.death_place);
  AddYearKey(keys, record.birth_year);
  AddYearKey(keys, record.death_year);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

std::vector<SearchShard> ShardSearchKeys(const std::vector<SearchRecord>& records,
                                         const std::vector<std::size_t>& record_bytes,
                                         std::size_t budget) {
  std::vector<KeyEntry> entries;
  entries.reserve(records.size() * 6);
  for (std::size_t r = 0; r < records.size(); ++r)
    for (std::string& key : SearchKeys(records[r]))
      entries.push_back({std::move(key), static_cast<std::int32_t>(r)});
  std::sort(entries.begin(), entries.end());
  Sharder sharder(entries, record_bytes, budget);
  if (!entries.empty()) sharder.Split(0, entries.size(), "");
  return std::move(sharder.shards);
}

std::string SearchRecordScript(const SearchRecord& record) {
  std::string out = "[";
  out += std::to_string(record.person);
  for (const std::string* text : {&record.surname, &record.given_names, &record.title}) {
    out += ',';
    out += JsStringLiteral(*text);
  }
  out += ',';
  out += std::to_string(record.birth_year);
  out += ',';
  out += std::to_string(record.death_year);
  for (const std::string* text : {&record.birth_place, &record.death_place, &record.href}) {
    out += ',';
    out += JsStringLiteral(*text);
  }
  out += ']';
  return out;
}

std::string_view SearchLanguageTag(int language) {
  static constexpr std::array<std::string_view, settings::kLanguageCount> kTags = {
      "en", "fr", "de", "nl", "es", "da", "no", "it", "pt"};
  return kTags[static_cast<std::size_t>(
      language >= 0 && language < settings::kLanguageCount ? language : 0)];
}

std::string SearchScriptFile(int language) {
  std::string name(run::kSearchFilePrefix);
  name += SearchLanguageTag(language);
  name += ".js";
  return name;
}

std::string SearchShardFile(int language, int shard) {
  std::string name(run::kSearchFilePrefix);
  name += SearchLanguageTag(language);
  name += '-';
  name += std::to_string(shard);
  name += ".js";
  return name;
}

std::string SearchPageFile(int language, std::string_view extension) {
  std::string name(run::kSearchFilePrefix);
  name += SearchLanguageTag(language);
  name += '.';
  name += extension;
  return name;
}

void WriteSearchIndex(SiteContext& site) {
  const int language = site.language.language;
  const std::vector<SearchRecord> records = CollectSearchRecords(site);
  std::vector<std::string> scripts;
  std::vector<std::size_t> bytes;
  scripts.reserve(records.size());
  bytes.reserve(records.size());
  for (const SearchRecord& record : records) {
    scripts.push_back(SearchRecordScript(record));
    bytes.push_back(scripts.back().size() + 1);
  }
  const std::vector<SearchShard> shards = ShardSearchKeys(records, bytes, kSearchShardBudget);

  PageWriter& out = site.writer;
  for (std::size_t n = 0; n < shards.size(); ++n) {
    out.OpenPlainFile(site.OutputPath(SearchShardFile(language, static_cast<int>(n))));
    out.AppendHtml(FileHead());
    out.AppendHtml("KinloomSearch.add(");
    out.AppendHtml(std::to_string(n));
    out.AppendHtml(",[\n");
    for (std::int32_t r : shards[n].records) {
      out.AppendHtml(scripts[static_cast<std::size_t>(r)]);
      out.AppendHtml(",\n");
    }
    out.AppendHtml("]);\n");
    out.CloseFile();
  }

  // The script file: the language's data, then the search script.
  std::string data = "{shards:[";
  for (const SearchShard& shard : shards) {
    data += '[';
    data += JsStringLiteral(shard.prefix);
    data += ',';
    data += std::to_string(shard.bytes);
    if (shard.exact) data += ",1";
    data += "],";
  }
  data += "],\nfile:";
  data += JsStringLiteral(std::string(run::kSearchFilePrefix) +
                          std::string(SearchLanguageTag(language)) + "-");
  data += ",\nlabels:[";
  for (int label : kSearchLabels) {
    data += JsStringLiteral(site.writer.TextEncoding() == platform::TextEncoding::kWindows1252
                                ? platform::Cp1252ToUtf8(site.Label(label))
                                : site.Label(label));
    data += ',';
  }
  data += "],\nfolds:";
  data += SearchFoldTableScript();
  data += "}";

  out.OpenPlainFile(site.OutputPath(SearchScriptFile(language)));
  out.AppendHtml(FileHead());
  out.AppendHtml(SearchScriptSource(data));
  out.CloseFile();
}

}  // namespace kinloom::site
