#include "site/search_index.h"

#include <algorithm>
#include <array>
#include <unordered_map>
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
  if (stored.find('&') == std::string_view::npos) {
    return encoding == platform::TextEncoding::kWindows1252 ? platform::Cp1252ToUtf8(stored)
                                                            : std::string(stored);
  }
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

// The key of a year, "y" and four digits; false for a year out of 1 … 9999.
bool YearKey(int year, std::string& key) {
  if (year <= 0 || year > 9999) return false;
  key = "y0000";
  for (std::size_t k = 4; k >= 1; --k, year /= 10) key[k] = static_cast<char>('0' + year % 10);
  return true;
}

void AddYearKey(std::vector<std::string>& keys, int year) {
  std::string key;
  if (YearKey(year, key)) keys.push_back(std::move(key));
}

void AddTokenKeys(std::vector<std::string>& keys, char kind, std::string_view text) {
  for (std::string& token : SearchTokens(text)) keys.push_back(kind + token);
}

// The entry of one key in a key file: ["key","numbers"], on a line of its own.
constexpr std::size_t kKeyEntryPunctuation = 7;

// The number of base-26 digits of `value`.
std::size_t DigitCount(std::uint32_t value) {
  std::size_t count = 1;
  while (value >= 26) {
    value /= 26;
    ++count;
  }
  return count;
}

void AppendNumber(std::string& out, std::uint32_t value) {
  char digits[8];
  std::size_t count = 0;
  digits[count++] = static_cast<char>('a' + value % 26);
  for (value /= 26; value > 0; value /= 26) digits[count++] = static_cast<char>('A' + value % 26);
  while (count > 0) out += digits[--count];
}

// The distance AppendSearchNumbers writes for numbers[i] in a list that starts at `begin`.
std::uint32_t Step(const std::vector<std::int32_t>& numbers, std::size_t begin, std::size_t i) {
  return i == begin ? static_cast<std::uint32_t>(numbers[i])
                    : static_cast<std::uint32_t>(numbers[i] - numbers[i - 1] - 1);
}

std::size_t NumbersSize(const std::vector<std::int32_t>& numbers, std::size_t begin,
                        std::size_t end) {
  std::size_t size = 0;
  for (std::size_t i = begin; i < end; ++i) size += DigitCount(Step(numbers, begin, i));
  return size;
}

// The script that starts every search file: the generator mark by which a later run
// recognises the file as its own.
std::string FileHead() {
  std::string head(run::kScriptGeneratorTag);
  head += ": search index\n";
  return head;
}

// "KinloomSearch.add(N,[\n": the start of file N's data.
std::string DataStart(std::size_t file) {
  std::string start = FileHead();
  start += "KinloomSearch.add(";
  start += std::to_string(file);
  start += ",[\n";
  return start;
}

// Appends the tokens of `first`, then of `second`, to a key that holds its kind letter so
// far, a space between two tokens.
void AppendJoined(std::string& out, const std::vector<std::string>& first,
                  const std::vector<std::string>& second) {
  for (const std::vector<std::string>* tokens : {&first, &second}) {
    for (const std::string& token : *tokens) {
      if (out.size() > 1) out += ' ';
      out += token;
    }
  }
}

// Appends SearchRecordScript(record) to `out`.
void AppendRecordScript(std::string& out, const SearchRecord& record) {
  out += '[';
  for (const std::string* text : {&record.surname, &record.given_names, &record.title}) {
    AppendJsStringLiteral(out, *text);
    out += ',';
  }
  out += std::to_string(record.birth_year);
  out += ',';
  out += std::to_string(record.death_year);
  for (const std::string* text : {&record.birth_place, &record.death_place, &record.href}) {
    out += ',';
    AppendJsStringLiteral(out, *text);
  }
  out += ']';
}

// The whole-name keys of the name tokens (see SearchNameKeys).
std::vector<std::string> WholeNameKeys(const std::vector<std::string>& given,
                                       const std::vector<std::string>& surname) {
  std::vector<std::string> keys;
  if (surname.empty() && given.empty()) return keys;
  keys.emplace_back("f");
  AppendJoined(keys.back(), given, surname);
  if (!surname.empty() && !given.empty()) {
    keys.emplace_back("f");
    AppendJoined(keys.back(), surname, given);
    if (keys[1] == keys[0]) keys.pop_back();
  }
  return keys;
}

// The search records of a site one at a time, in the site's sort order (see
// CollectSearchRecords).
class RecordReader {
 public:
  explicit RecordReader(const SiteContext& site)
      : site_(site),
        store_(site.store()),
        encoding_(site.writer.TextEncoding()),
        naming_(MakePageNaming(site.language, site.settings())) {
    if (!site.settings().create_family_groups) return;
    pending_ = DescribedOnFamilyGroups(store_);
    count_ = static_cast<std::size_t>(std::count(pending_.begin(), pending_.end(), true));
    sorted_ = std::min(static_cast<std::size_t>(std::max(store_.sorted_count, 0)),
                       store_.sorted_index.size());
  }
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // The number of records.
  std::size_t count() const { return count_; }

  // Fills `record` with the next record; false after the last. The sorted people come first,
  // then (should the sort have left one out) the others in table order.
  bool Next(SearchRecord& record) {
    while (at_ < sorted_) {
      store::PrefetchSortedWalk(store_, static_cast<int>(at_));
      const auto i = static_cast<std::size_t>(store_.sorted_index[at_++]);
      if (i < pending_.size() && pending_[i]) return Read(i, record);
    }
    while (at_ - sorted_ < pending_.size()) {
      const std::size_t i = at_++ - sorted_;
      if (pending_[i]) return Read(i, record);
    }
    return false;
  }

 private:
  bool Read(std::size_t i, SearchRecord& record) {
    pending_[i] = false;
    const store::IndividualRecord& person = store_.individuals[i];
    const settings::Settings& options = site_.settings();
    record = SearchRecord{};
    record.person = static_cast<std::int32_t>(i);
    record.surname = Trimmed(PlainText(person.surname, encoding_));
    record.given_names = Trimmed(PlainText(person.given_names, encoding_));
    record.title = Trimmed(PlainText(person.title, encoding_));
    const ShownDates dates = DatesShown(person, DatesOn::kFamilyGroup, options);
    if (dates.birth.shown) {
      if (!dates.birth.withheld) record.birth_year = YearOfDate(dates.birth.date);
      record.birth_place = PlainText(dates.birth.place, encoding_);
    }
    if (dates.death.shown) {
      record.death_year = YearOfDate(dates.death.date);
      record.death_place = PlainText(dates.death.place, encoding_);
    }
    record.href = FamilyGroupHref(naming_, person.group);
    if (encoding_ == platform::TextEncoding::kWindows1252)
      record.href = platform::Cp1252ToUtf8(record.href);
    return true;
  }

  const SiteContext& site_;
  const store::GenealogyStore& store_;
  const platform::TextEncoding encoding_;
  const PageNaming naming_;
  std::vector<bool> pending_;
  std::size_t count_ = 0, sorted_ = 0, at_ = 0;
};

// Gathers the number lists of the keys (SearchKeys and SearchNameKeys), record by record in
// number order. Each record's text is split into tokens once, and a key is copied only the
// first time it is met.
class KeyListBuilder {
 public:
  void Add(const SearchRecord& record, std::int32_t number) {
    number_ = number;
    ReadTokens(record.surname, surname_);
    ReadTokens(record.given_names, given_);
    for (const std::vector<std::string>* tokens : {&surname_, &given_})
      for (const std::string& token : *tokens) AddKey('n', token);
    for (const std::string* place : {&record.birth_place, &record.death_place}) {
      SearchTokenReader reader(*place);
      while (reader.Next(token_)) AddKey('p', token_);
    }
    for (int year : {record.birth_year, record.death_year})
      if (YearKey(year, key_)) Insert(key_);
    // The whole-name keys (see WholeNameKeys); a key met twice for a record is kept once.
    if (surname_.empty() && given_.empty()) return;
    key_.assign(1, 'f');
    AppendJoined(key_, given_, surname_);
    Insert(key_);
    if (surname_.empty() || given_.empty()) return;
    key_.assign(1, 'f');
    AppendJoined(key_, surname_, given_);
    Insert(key_);
  }

  // The lists in key order; the builder is empty afterwards.
  std::vector<SearchKeyNumbers> Take() {
    std::vector<std::size_t> order(lists_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return lists_[a].key < lists_[b].key; });
    std::vector<SearchKeyNumbers> sorted;
    sorted.reserve(lists_.size());
    for (std::size_t i : order) sorted.push_back(std::move(lists_[i]));
    lists_.clear();
    found_.clear();
    return sorted;
  }

 private:
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
      return std::hash<std::string_view>{}(key);
    }
  };

  void AddKey(char kind, std::string_view token) {
    key_.assign(1, kind);
    key_ += token;
    Insert(key_);
  }

  // Adds the record to the key's list, once.
  void Insert(std::string_view key) {
    auto at = found_.find(key);
    if (at == found_.end()) {
      at = found_.emplace(std::string(key), lists_.size()).first;
      lists_.push_back({std::string(key), {}});
    }
    std::vector<std::int32_t>& numbers = lists_[at->second].numbers;
    if (numbers.empty() || numbers.back() != number_) numbers.push_back(number_);
  }

  // The tokens of `text` in `tokens`, whose storage is used again from record to record.
  void ReadTokens(std::string_view text, std::vector<std::string>& tokens) {
    tokens.clear();
    SearchTokenReader reader(text);
    while (reader.Next(token_)) tokens.push_back(token_);
  }

  std::int32_t number_ = 0;
  std::string key_, token_;
  std::vector<std::string> surname_, given_;
  std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> found_;
  std::vector<SearchKeyNumbers> lists_;
};

}  // namespace

std::vector<SearchRecord> CollectSearchRecords(const SiteContext& site) {
  std::vector<SearchRecord> records;
  RecordReader reader(site);
  records.reserve(reader.count());
  for (SearchRecord record; reader.Next(record);) records.push_back(std::move(record));
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

std::vector<std::string> SearchNameKeys(const SearchRecord& record) {
  return WholeNameKeys(SearchTokens(record.given_names), SearchTokens(record.surname));
}

std::vector<SearchKeyNumbers> SearchKeyLists(const std::vector<SearchRecord>& records) {
  KeyListBuilder builder;
  for (std::size_t r = 0; r < records.size(); ++r)
    builder.Add(records[r], static_cast<std::int32_t>(r));
  return builder.Take();
}

void AppendSearchNumbers(std::string& out, const std::vector<std::int32_t>& numbers,
                         std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) AppendNumber(out, Step(numbers, begin, i));
}

std::vector<std::int32_t> ReadSearchNumbers(std::string_view text) {
  std::vector<std::int32_t> numbers;
  std::int64_t last = -1, value = 0;
  bool open = false;  // digits read of a number not ended yet
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') {
      value = value * 26 + (c - 'A');
      open = true;
    } else if (c >= 'a' && c <= 'z') {
      last += value * 26 + (c - 'a') + 1;
      value = 0;
      open = false;
      if (last > INT32_MAX) return {};
      numbers.push_back(static_cast<std::int32_t>(last));
    } else {
      return {};
    }
    if (value > INT32_MAX) return {};
  }
  if (open) return {};
  return numbers;
}

std::vector<SearchShard> ShardSearchKeys(const std::vector<SearchKeyNumbers>& keys,
                                         std::size_t budget) {
  std::vector<SearchShard> shards;
  SearchShard open;
  auto close = [&](std::size_t end) {
    if (open.bytes > 0) {
      open.end = end;
      shards.push_back(open);
    }
    open = SearchShard{};
    open.begin = end;
  };
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const std::vector<std::int32_t>& numbers = keys[k].numbers;
    const std::size_t head = JsStringLiteral(keys[k].key).size() + kKeyEntryPunctuation;
    const std::size_t size = head + NumbersSize(numbers, 0, numbers.size());
    if (size <= budget) {
      if (open.bytes > 0 && open.bytes + size > budget) close(k);
      open.bytes += size;
      continue;
    }
    // A key too large for one file: parts of its own, each starting with its first number.
    close(k);
    SearchShard part;
    part.begin = k;
    part.end = k + 1;
    part.part = true;
    part.bytes = head;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      std::size_t digits = DigitCount(Step(numbers, part.number_begin, i));
      if (i > part.number_begin && part.bytes + digits > budget) {
        part.number_end = i;
        shards.push_back(part);
        part.number_begin = i;
        part.bytes = head;
        digits = DigitCount(Step(numbers, i, i));
      }
      part.bytes += digits;
    }
    part.number_end = numbers.size();
    shards.push_back(part);
    open.begin = k + 1;
  }
  close(keys.size());
  return shards;
}

std::string SearchRecordScript(const SearchRecord& record) {
  std::string out;
  AppendRecordScript(out, record);
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
  PageWriter& out = site.writer;
  auto write = [&](std::size_t file, const std::string& text) {
    out.OpenPlainFile(site.OutputPath(SearchShardFile(language, static_cast<int>(file))));
    out.AppendHtml(text);
    out.CloseFile();
  };

  // The record chunks, written as the records are read.
  RecordReader reader(site);
  KeyListBuilder builder;
  std::string text;
  std::size_t number = 0, chunks = 0, record_bytes = 0;
  auto end_chunk = [&] {
    text += "]);\n";
    record_bytes += text.size();
    write(chunks++, text);
  };
  for (SearchRecord record; reader.Next(record); ++number) {
    if (number % kSearchChunkRecords == 0) {
      if (number > 0) end_chunk();
      text = DataStart(chunks);
      text.reserve(kSearchChunkRecords * 128);
    }
    AppendRecordScript(text, record);
    text += ",\n";
    builder.Add(record, static_cast<std::int32_t>(number));
  }
  if (number > 0) end_chunk();

  // The key files, numbered after the chunks.
  const std::vector<SearchKeyNumbers> keys = builder.Take();
  const std::vector<SearchShard> shards = ShardSearchKeys(keys, kSearchShardBudget);
  for (std::size_t n = 0; n < shards.size(); ++n) {
    const SearchShard& shard = shards[n];
    text = DataStart(chunks + n);
    text.reserve(text.size() + shard.bytes + 8);
    for (std::size_t k = shard.begin; k < shard.end; ++k) {
      const std::vector<std::int32_t>& numbers = keys[k].numbers;
      text += '[';
      AppendJsStringLiteral(text, keys[k].key);
      text += ",\"";
      if (shard.part)
        AppendSearchNumbers(text, numbers, shard.number_begin, shard.number_end);
      else
        AppendSearchNumbers(text, numbers, 0, numbers.size());
      text += "\"],\n";
    }
    text += "]);\n";
    write(chunks + n, text);
  }

  // The script file: the language's data, then the search script.
  std::string data = "{shards:[";
  for (const SearchShard& shard : shards) {
    data += '[';
    data += JsStringLiteral(keys[shard.begin].key);
    data += ',';
    data += JsStringLiteral(keys[shard.end - 1].key);
    data += ',';
    data += std::to_string(shard.bytes);
    data += "],";
  }
  data += "],\ncount:";
  data += std::to_string(number);
  data += ",per:";
  data += std::to_string(kSearchChunkRecords);
  data += ",chunk:";
  data += std::to_string(chunks ? record_bytes / chunks : 0);
  data += ",\nfile:";
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
