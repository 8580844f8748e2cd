// The search of the modern pages: the folding of names and queries, the JavaScript text of
// hostile names, the shards a query loads, what the index holds (only what the family group
// pages show) and the search box markup.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "site/modern_search.h"
#include "site/modern_style.h"
#include "site/search_index.h"
#include "site/search_text.h"
#include "site/site_fixture.h"
#include "store/store_text.h"

namespace kinloom::site {
namespace {

using Tokens = std::vector<std::string>;

TEST(SearchTokensTest, FoldsCaseAndTheAccentsOfTheNineLanguages) {
  EXPECT_EQ(SearchTokens("VICTORIA Hanover"), (Tokens{"victoria", "hanover"}));
  EXPECT_EQ(SearchTokens("Lefèvre Béranger Château Deschênes Besançon"),
            (Tokens{"lefevre", "beranger", "chateau", "deschenes", "besancon"}));
  EXPECT_EQ(SearchTokens("Müller Groß Köhler Straße"),
            (Tokens{"muller", "gross", "kohler", "strasse"}));
  EXPECT_EQ(SearchTokens("Sørensen Ødegård Åberg Æble Tromsø"),
            (Tokens{"sorensen", "odegard", "aberg", "aeble", "tromso"}));
  EXPECT_EQ(SearchTokens("Peña Núñez Ibáñez"), (Tokens{"pena", "nunez", "ibanez"}));
  EXPECT_EQ(SearchTokens("Gonçalves Magalhães Conceição"),
            (Tokens{"goncalves", "magalhaes", "conceicao"}));
  EXPECT_EQ(SearchTokens("Niccolò Sciarrà Forlì"), (Tokens{"niccolo", "sciarra", "forli"}));
  EXPECT_EQ(SearchTokens("Œuvray Ÿvert Þórsson Ðuric Šimek Žáček ƒ"),
            (Tokens{"oeuvray", "yvert", "thorsson", "duric", "simek", "zacek", "f"}));
  EXPECT_EQ(SearchTokens("Zoë-Marsh"), (Tokens{"zoe", "marsh"}));
}

TEST(SearchTokensTest, ApostrophesJoinAndEverythingElseSeparates) {
  EXPECT_EQ(SearchTokens("O'Brien & Sons"), (Tokens{"obrien", "sons"}));
  EXPECT_EQ(SearchTokens("O\u2019Connor"), (Tokens{"oconnor"}));
  EXPECT_EQ(SearchTokens("'s-Hertogenbosch, Noord-Brabant"),
            (Tokens{"s", "hertogenbosch", "noord", "brabant"}));
  EXPECT_EQ(SearchTokens("Ren<b>e</b> \"Q&A\""), (Tokens{"ren", "b", "e", "b", "q", "a"}));
  EXPECT_EQ(SearchTokens("a\xC2\xA0" "b\u2028" "c\xFF" "d\xC3"), (Tokens{"a", "b", "c", "d"}));
  EXPECT_EQ(SearchTokens("1819 ABT 12"), (Tokens{"1819", "abt", "12"}));
  // Letters of other scripts are kept as they are.
  EXPECT_EQ(SearchTokens("Ελένη Иван"), (Tokens{"Ελένη", "Иван"}));
  EXPECT_TRUE(SearchTokens(" ,;- ").empty());
}

TEST(SearchTokensTest, TheScriptFoldTableHoldsEveryFoldedLetter) {
  const std::string table = SearchFoldTableScript();
  EXPECT_NE(table.find("223:\"ss\""), std::string::npos);  // ß
  EXPECT_NE(table.find("248:\"o\""), std::string::npos);   // ø
  EXPECT_NE(table.find("230:\"ae\""), std::string::npos);  // æ
  EXPECT_NE(table.find("215:\" \""), std::string::npos);   // × separates
  EXPECT_NE(table.find("8217:\"\""), std::string::npos);   // ’ is dropped
  EXPECT_EQ(table.front(), '{');
  EXPECT_EQ(table.back(), '}');
}

// Reads a literal written by JsStringLiteral back into UTF-8, failing on anything a
// JavaScript parser would read differently: a quote or backslash that is not escaped, a
// byte outside printable ASCII, an escape other than \uXXXX.
std::string ReadLiteral(const std::string& literal) {
  EXPECT_GE(literal.size(), 2u);
  EXPECT_EQ(literal.front(), '"');
  EXPECT_EQ(literal.back(), '"');
  std::string out;
  std::u32string code_points;
  for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
    const char c = literal[i];
    EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << static_cast<int>(c) << " in " << literal;
    EXPECT_NE(c, '"') << literal;
    if (c != '\\') {
      code_points += static_cast<char32_t>(c);
      continue;
    }
    EXPECT_EQ(literal.substr(i + 1, 1), "u") << literal;
    const unsigned unit = std::stoul(literal.substr(i + 2, 4), nullptr, 16);
    i += 5;
    if (unit >= 0xDC00 && unit < 0xE000 && !code_points.empty() && code_points.back() >= 0xD800 &&
        code_points.back() < 0xDC00)
      code_points.back() = 0x10000 + ((code_points.back() - 0xD800) << 10) + (unit - 0xDC00);
    else
      code_points += static_cast<char32_t>(unit);
  }
  for (char32_t c : code_points) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

TEST(JsStringLiteralTest, HostileTextsStayInsideTheirLiteral) {
  for (const std::string& text :
       {std::string("plain"), std::string("Q\"u'o\\te"), std::string("</script><script>x()"),
        std::string("line\nfeed\rand\u2028sep\u2029para"), std::string("nul\0byte", 8),
        std::string("Ødegård & Groß"), std::string("emoji \U0001F600"), std::string("")}) {
    const std::string literal = JsStringLiteral(text);
    EXPECT_EQ(ReadLiteral(literal), text);
    EXPECT_EQ(literal.find("</"), std::string::npos) << literal;
    EXPECT_EQ(literal.find('<'), std::string::npos) << literal;
  }
  // Bytes that are not UTF-8 become the replacement character.
  EXPECT_EQ(JsStringLiteral("a\xFF" "b\xC3"), "\"a\\ufffdb\\ufffd\"");
}

TEST(YearOfDateTest, TakesTheFirstThreeOrFourDigitNumber) {
  EXPECT_EQ(YearOfDate("24 MAY 1819"), 1819);
  EXPECT_EQ(YearOfDate("ABT 850"), 850);
  EXPECT_EQ(YearOfDate("BET 1800 AND 1810"), 1800);
  EXPECT_EQ(YearOfDate("1750/51"), 1750);
  EXPECT_EQ(YearOfDate("12 MAR"), 0);
  EXPECT_EQ(YearOfDate("123456"), 0);
  EXPECT_EQ(YearOfDate(""), 0);
}

// ---- shards ----

SearchRecord Record(std::int32_t person, std::string surname, std::string given, int born,
                    std::string place) {
  SearchRecord record;
  record.person = person;
  record.surname = std::move(surname);
  record.given_names = std::move(given);
  record.birth_year = born;
  record.birth_place = std::move(place);
  record.href = "f_0.htm#" + std::to_string(person);
  return record;
}

// The key files the search script loads for a typed word: those whose key range meets the
// keys starting with `prefix`; with `exact`, those whose range holds the key `prefix`.
std::vector<std::size_t> ShardsFor(const std::vector<SearchKeyNumbers>& keys,
                                   const std::vector<SearchShard>& shards,
                                   const std::string& prefix, bool exact = false) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < shards.size(); ++i) {
    const std::string& first = keys[shards[i].begin].key;
    const std::string& last = keys[shards[i].end - 1].key;
    if (last < prefix) continue;
    if (exact ? first <= prefix : first < prefix || first.compare(0, prefix.size(), prefix) == 0)
      found.push_back(i);
  }
  return found;
}

// The numbers a key file gives `key`, read back from the text the file holds for it.
std::vector<std::int32_t> NumbersIn(const std::vector<SearchKeyNumbers>& keys,
                                    const SearchShard& shard, const std::string& key) {
  for (std::size_t k = shard.begin; k < shard.end; ++k) {
    if (keys[k].key != key) continue;
    std::string text;
    AppendSearchNumbers(text, keys[k].numbers, shard.part ? shard.number_begin : 0,
                        shard.part ? shard.number_end : keys[k].numbers.size());
    return ReadSearchNumbers(text);
  }
  return {};
}

TEST(SearchNumbersTest, ListsRoundTripThroughTheirText) {
  std::string text;
  AppendSearchNumbers(text, {0, 1, 2, 30}, 0, 4);
  EXPECT_EQ(text, "aaaBb");
  const std::vector<std::vector<std::int32_t>> lists = {
      {}, {0}, {25}, {26}, {675, 676, 677}, {5, 31, 32, 708, 17584, 2000000000}, {2147483647}};
  for (const auto& numbers : lists) {
    text.clear();
    AppendSearchNumbers(text, numbers, 0, numbers.size());
    EXPECT_EQ(ReadSearchNumbers(text), numbers) << text;
    EXPECT_EQ(text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"),
              std::string::npos);
  }
  // A part of a list starts with its first number itself.
  text.clear();
  AppendSearchNumbers(text, {3, 40, 41, 90}, 2, 4);
  EXPECT_EQ(ReadSearchNumbers(text), (std::vector<std::int32_t>{41, 90}));
  // Text that is not a list reads as none.
  for (const char* bad : {"ab1", "aB", "aA", "a\"", "ZZZZZZZZa"})
    EXPECT_TRUE(ReadSearchNumbers(bad).empty()) << bad;
}

TEST(SearchShardsTest, EveryKeyFindsItsRecordInTheFewShardsItLoads) {
  const char* surnames[] = {"Smith", "Smithson", "Schäfer", "Sørensen", "Baker", "Bakker",
                            "Hanover", "Ødegård", "Zoë-Marsh", "Stuart"};
  const char* given[] = {"Victoria", "Victor", "Anne", "Albert", "John", "Mary", "José"};
  const char* places[] = {"London, England", "York", "Tromsø, Norway", "Zürich"};
  std::vector<SearchRecord> records;
  for (int i = 0; i < 3000; ++i)
    records.push_back(Record(i, surnames[i % 10], given[(i / 10) % 7], 1700 + i % 300,
                             places[(i / 70) % 4]));
  const std::vector<SearchKeyNumbers> keys = SearchKeyLists(records);
  const std::size_t budget = 1024;
  const std::vector<SearchShard> shards = ShardSearchKeys(keys, budget);

  // The keys in byte order, each once, every one in a file; files in key order.
  for (std::size_t k = 1; k < keys.size(); ++k) EXPECT_LT(keys[k - 1].key, keys[k].key);
  std::size_t total = 0, next = 0;
  for (const SearchShard& shard : shards) {
    total += shard.bytes;
    EXPECT_LE(shard.bytes, budget);
    EXPECT_LT(shard.begin, shard.end);
    EXPECT_TRUE(shard.begin == next || (shard.part && shard.begin + 1 == next)) << shard.begin;
    next = shard.end;
  }
  EXPECT_EQ(next, keys.size());
  for (std::size_t r = 0; r < records.size(); ++r) {
    const auto number = static_cast<std::int32_t>(r);
    for (const std::string& key : SearchKeys(records[r])) {
      bool found = false;
      std::size_t loaded = 0;
      for (std::size_t i : ShardsFor(keys, shards, key)) {
        loaded += shards[i].bytes;
        const std::vector<std::int32_t> numbers = NumbersIn(keys, shards[i], key);
        found = found || std::binary_search(numbers.begin(), numbers.end(), number);
      }
      EXPECT_TRUE(found) << "record " << r << " key " << key;
      // A full key loads a small part of the index.
      EXPECT_LT(loaded, total / 4) << key;
      if (!found) return;
    }
  }
  // A two-letter name prefix loads less than the whole index too.
  std::size_t loaded = 0;
  for (std::size_t i : ShardsFor(keys, shards, "nvi")) loaded += shards[i].bytes;
  EXPECT_GT(loaded, 0u);
  EXPECT_LT(loaded, total / 3);
}

TEST(SearchShardsTest, AShortKeyTooLargeForOneFileIsNotLoadedForLongerKeys) {
  // Everybody was born in 's-Hertogenbosch (key "ps"); a few died in Smithfield.
  std::vector<SearchRecord> records;
  for (int i = 0; i < 400; ++i) {
    records.push_back(Record(i, "Baker", "Anne", 0, "'s-Hertogenbosch"));
    if (i % 40 == 0) records.back().death_place = "Smithfield";
  }
  const std::vector<SearchKeyNumbers> keys = SearchKeyLists(records);
  const std::vector<SearchShard> shards = ShardSearchKeys(keys, 100);
  std::vector<std::int32_t> in_parts;
  std::size_t parts = 0;
  for (const SearchShard& shard : shards) {
    if (keys[shard.begin].key != "ps") continue;
    ASSERT_TRUE(shard.part);
    EXPECT_LE(shard.bytes, 100u);
    ++parts;
    for (std::int32_t n : NumbersIn(keys, shard, "ps")) in_parts.push_back(n);
  }
  EXPECT_GT(parts, 2u);
  // The parts together hold every record once, in order.
  ASSERT_EQ(in_parts.size(), 400u);
  for (std::size_t i = 0; i < in_parts.size(); ++i) EXPECT_EQ(in_parts[i], static_cast<int>(i));

  const std::vector<std::size_t> loaded = ShardsFor(keys, shards, "psmithfield");
  ASSERT_FALSE(loaded.empty());
  std::size_t found = 0;
  for (std::size_t i : loaded) {
    EXPECT_NE(keys[shards[i].begin].key, "ps");
    found += NumbersIn(keys, shards[i], "psmithfield").size();
  }
  EXPECT_EQ(found, 10u);
  // The exact key itself still finds every part.
  EXPECT_EQ(ShardsFor(keys, shards, "ps", true).size(), parts);
  EXPECT_EQ(ShardsFor(keys, shards, "ps").size(), parts + loaded.size());
}

TEST(SearchShardsTest, KeysCoverNamesPlacesAndYearsOnly) {
  SearchRecord record = Record(7, "O'Brien & Sons", "Renée", 1819, "Gretna <Green>");
  record.title = "Sir Knight";
  record.death_year = 1901;
  record.death_place = "Gretna";
  EXPECT_EQ(SearchKeys(record),
            (std::vector<std::string>{"nobrien", "nrenee", "nsons", "pgreen", "pgretna",
                                      "y1819", "y1901"}));
  EXPECT_TRUE(ShardSearchKeys({}, 100).empty());
}

TEST(SearchShardsTest, WholeNameKeysTakeBothOrders) {
  SearchRecord record = Record(7, "van Dijk", "Zoë Anne", 0, "");
  EXPECT_EQ(SearchNameKeys(record),
            (std::vector<std::string>{"fzoe anne van dijk", "fvan dijk zoe anne"}));
  record.given_names = "";
  EXPECT_EQ(SearchNameKeys(record), (std::vector<std::string>{"fvan dijk"}));
  record.surname = " - ";
  EXPECT_TRUE(SearchNameKeys(record).empty());
  // The same person under both orders is one key: its list holds the record once.
  const std::vector<SearchKeyNumbers> keys =
      SearchKeyLists({Record(0, "Anne", "Anne", 0, ""), Record(1, "Anne", "Mary", 0, "")});
  std::map<std::string, std::vector<std::int32_t>> by_key;
  for (const SearchKeyNumbers& key : keys) by_key[key.key] = key.numbers;
  EXPECT_EQ(by_key.at("fanne anne"), (std::vector<std::int32_t>{0}));
  EXPECT_EQ(by_key.at("nanne"), (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(by_key.at("fmary anne"), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(by_key.at("fanne mary"), (std::vector<std::int32_t>{1}));
}

// The lists the index is written from hold each record under exactly the keys SearchKeys and
// SearchNameKeys give it, whatever its names and places are made of.
TEST(SearchShardsTest, KeyListsHoldEveryRecordUnderItsOwnKeysOnly) {
  const std::vector<std::string> names = {
      "", " ", "Anne", "anne", "van Dijk", "O'Brien & Sons", "Ødegård", "Groß-Müller",
      "Zoë  Anne", "\xC3", "x\xE2\x80\x94y", "Ренэ", "a very long given name indeed past sso"};
  const std::vector<std::string> places = {"", "Gretna <Green>", "Tromsø, Norway",
                                           "São Paulo", "1819 Street"};
  std::vector<SearchRecord> records;
  for (std::size_t i = 0; i < names.size() * names.size(); ++i) {
    SearchRecord record = Record(static_cast<std::int32_t>(i), names[i % names.size()],
                                 names[i / names.size()], static_cast<int>(1800 + i % 3),
                                 places[i % places.size()]);
    record.death_place = places[(i / 2) % places.size()];
    record.death_year = i % 4 == 0 ? 0 : static_cast<int>(1850 + i % 5);
    records.push_back(record);
  }
  std::map<std::string, std::vector<std::int32_t>> expected;
  for (std::size_t r = 0; r < records.size(); ++r) {
    std::set<std::string> keys;
    for (const std::string& key : SearchKeys(records[r])) keys.insert(key);
    for (const std::string& key : SearchNameKeys(records[r])) keys.insert(key);
    for (const std::string& key : keys) expected[key].push_back(static_cast<std::int32_t>(r));
  }
  std::map<std::string, std::vector<std::int32_t>> lists;
  std::string previous;
  for (const SearchKeyNumbers& list : SearchKeyLists(records)) {
    EXPECT_LT(previous, list.key);  // in key order, each key once
    previous = list.key;
    lists[list.key] = list.numbers;
  }
  EXPECT_EQ(lists, expected);
}

// ---- the index of a site ----

class SearchSiteTest : public ::testing::Test {
 protected:
  SearchSiteTest() {
    f.run.settings.page_style = 1;
    f.run.settings.create_family_groups = 1;
  }

  void AddPeople() {
    f.run.AddPerson("I1", "Albert /Hanover/", 2);
    f.run.AddPerson("I2", "Victoria /Hanover/", 1);
    f.run.AddPerson("I3", "Ren\"e\\ <b> /O'Brien/", 1);
    f.run.AddFamily("F1", "I1", "I2", {"I3"});
    // The store's text is escaped; the names are split when the derived order is made.
    f.run.Person("I3").title = store::StoreEscapedText("</script>");
    store::IndividualRecord& victoria = f.run.Person("I2");
    victoria.birth_seen = true;
    victoria.birth_date = "24 MAY 1819";
    victoria.birth_place = "Kensington Palace, London";
    victoria.death_date = "22 JAN 1901";
    victoria.death_place = "Osborne House";
    // A living child: born 1950 in Ørby.
    store::IndividualRecord& child = f.run.Person("I3");
    child.deceased = false;
    child.birth_seen = true;
    child.birth_date = "3 MAR 1950";
    child.birth_place = "\xD8rby";  // Windows-1252 Ø
  }

  // Every search file written, by name.
  std::map<std::string, std::string> SearchFiles() const {
    std::map<std::string, std::string> found;
    for (const auto& [path, bytes] : f.run.fs.files)
      if (path.find("/kinloom-search-") != std::string::npos) found[path] = bytes;
    return found;
  }
  std::string AllShards() const {
    std::string all;
    for (const auto& [path, bytes] : SearchFiles())
      if (path.find("-en-") != std::string::npos) all += bytes;
    return all;
  }

  testing::SiteFixture f;
};

TEST_F(SearchSiteTest, RecordsShowWhatTheFamilyGroupPagesShow) {
  AddPeople();
  f.run.settings.suppress_living = 1;
  SiteContext& site = f.Start();
  const std::vector<SearchRecord> records = CollectSearchRecords(site);
  ASSERT_EQ(records.size(), 3u);
  std::map<std::string, const SearchRecord*> by_given;
  for (const SearchRecord& r : records) by_given[r.given_names] = &r;
  const SearchRecord& victoria = *by_given.at("Victoria");
  EXPECT_EQ(victoria.surname, "Hanover");
  EXPECT_EQ(victoria.birth_year, 1819);
  EXPECT_EQ(victoria.death_year, 1901);
  EXPECT_EQ(victoria.birth_place, "Kensington Palace, London");
  EXPECT_EQ(victoria.death_place, "Osborne House");
  const store::IndividualRecord& person = f.run.Person("I2");
  EXPECT_EQ(victoria.href, FamilyGroupHref(MakePageNaming(f.language, f.run.settings),
                                           person.group));
  // The living child's birth year is withheld; its place is shown, in UTF-8.
  const SearchRecord& child = *by_given.at("Ren\"e\\ <b>");
  EXPECT_EQ(child.surname, "O'Brien");
  EXPECT_EQ(child.title, "</script>");
  EXPECT_EQ(child.birth_year, 0);
  EXPECT_EQ(child.birth_place, "\xC3\x98rby");
  EXPECT_EQ(child.death_year, 0);
}

TEST_F(SearchSiteTest, WithheldBirthYearIsInNoFile) {
  AddPeople();
  f.run.settings.suppress_living = 1;
  WriteSearchIndex(f.Start());
  const std::string shards = AllShards();
  ASSERT_NE(shards.find("Victoria"), std::string::npos);
  EXPECT_NE(shards.find("1819"), std::string::npos);
  EXPECT_EQ(shards.find("1950"), std::string::npos);
  EXPECT_EQ(SearchFiles().at("/out/kinloom-search-en.js").find("y195"), std::string::npos);
}

TEST_F(SearchSiteTest, ShownBirthYearIsIndexedWhenLivingAreNotSuppressed) {
  AddPeople();
  f.run.settings.suppress_living = 0;
  WriteSearchIndex(f.Start());
  EXPECT_NE(AllShards().find(",1950,"), std::string::npos);
  EXPECT_NE(AllShards().find("[\"y1950\",\""), std::string::npos);
}

TEST_F(SearchSiteTest, HostileNameCannotBreakTheDataFile) {
  AddPeople();
  // A UTF-8 store, where a name can hold the line separator U+2028.
  f.run.state.source_encoding = gedcom::SourceEncoding::kUtf8;
  f.run.Person("I3").name = "Ren\"e\\ <b> \xE2\x80\xA8 /O'Brien/";
  f.run.Person("I2").birth_place = "\xC3\x98rby";
  WriteSearchIndex(f.Start());
  const auto files = SearchFiles();
  ASSERT_GE(files.size(), 2u);
  for (const auto& [path, bytes] : files) {
    SCOPED_TRACE(path);
    EXPECT_EQ(bytes.find("</script"), std::string::npos);
    EXPECT_EQ(bytes.find("\xE2\x80\xA8"), std::string::npos);
    EXPECT_EQ(bytes.rfind("// Written by KINLOOM", 0), 0u);
    // Every record is one line that starts with "[" and ends with "],".
    if (path.find("-en-") == std::string::npos) continue;
    std::size_t lines = 0;
    for (std::size_t at = bytes.find("\r\n[") ; at != std::string::npos;
         at = bytes.find("\r\n[", at + 1)) {
      const std::size_t end = bytes.find("\r\n", at + 2);
      ASSERT_NE(end, std::string::npos);
      EXPECT_EQ(bytes.substr(end - 2, 2), "],");
      ++lines;
    }
    EXPECT_GT(lines, 0u);
  }
  // The name reaches the file escaped.
  EXPECT_NE(AllShards().find("\"Ren\\u0022e\\u005c \\u003cb\\u003e \\u2028\""),
            std::string::npos);
  EXPECT_NE(AllShards().find("\"\\u003c/script\\u003e\""), std::string::npos);
}

// The data of the files written for English: the numbers of the main script, the records of
// the chunks by number and every key file's lists by key.
struct WrittenIndex {
  std::size_t count = 0, per = 0;
  std::vector<std::string> records;  // one line per record, by number
  std::map<std::string, std::vector<std::int32_t>> keys;
};

// The number after the last `label` of the text (the data follows the script).
std::size_t NumberAfter(const std::string& text, const std::string& label) {
  const std::size_t at = text.rfind(label);
  return at == std::string::npos ? 0 : std::stoul(text.substr(at + label.size()));
}

WrittenIndex ReadIndex(const std::map<std::string, std::string>& files) {
  WrittenIndex index;
  const std::string& script = files.at("/out/kinloom-search-en.js");
  index.count = NumberAfter(script, "count:");
  index.per = NumberAfter(script, ",per:");
  const std::size_t chunks = index.per ? (index.count + index.per - 1) / index.per : 0;
  const std::regex key_line(R"re(^\["([^"]*)","([A-Za-z]*)"\],$)re");
  for (std::size_t file = 0;; ++file) {
    const auto it = files.find("/out/kinloom-search-en-" + std::to_string(file) + ".js");
    if (it == files.end()) break;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < it->second.size();) {
      std::size_t end = it->second.find("\r\n", at);
      if (end == std::string::npos) end = it->second.size();
      if (it->second[at] == '[') lines.push_back(it->second.substr(at, end - at));
      at = end + 2;
    }
    if (file < chunks) {
      EXPECT_EQ(index.records.size(), file * index.per);
      EXPECT_TRUE(lines.size() == index.per || file + 1 == chunks) << file;
      index.records.insert(index.records.end(), lines.begin(), lines.end());
      continue;
    }
    for (const std::string& line : lines) {
      std::smatch m;
      EXPECT_TRUE(std::regex_match(line, m, key_line)) << line;
      if (m.empty()) continue;
      for (std::int32_t n : ReadSearchNumbers(m[2].str())) index.keys[m[1].str()].push_back(n);
    }
  }
  EXPECT_EQ(index.records.size(), index.count);
  return index;
}

// A letters-only name unique to `i`: "Qa", "Qb" … "Qba" ….
std::string UniqueName(int i) {
  std::string letters;
  do {
    letters.insert(letters.begin(), static_cast<char>('a' + i % 26));
    i /= 26;
  } while (i > 0);
  return "Q" + letters;
}

TEST_F(SearchSiteTest, EveryPersonsNumberResolvesToTheirRecordInSortOrder) {
  // Enough families for several chunks; the surnames come in no order.
  const char* surnames[] = {"Zouche", "Ashby", "Mueller", "Oconnor", "Baker"};
  const int families = 5 * (kSearchChunkRecords / 2 + 1);
  for (int i = 0; i < families; ++i) {
    const std::string n = std::to_string(i), surname = surnames[i % 5];
    f.run.AddPerson("H" + n, UniqueName(2 * i) + " /" + surname + "/", 1);
    f.run.AddPerson("W" + n, UniqueName(2 * i + 1) + " /" + surname + "/", 2);
    f.run.AddFamily("F" + n, "H" + n, "W" + n);
    f.run.Person("H" + n).birth_seen = true;
    f.run.Person("H" + n).birth_date = std::to_string(1700 + i);
  }
  WriteSearchIndex(f.Start());
  const WrittenIndex index = ReadIndex(SearchFiles());
  ASSERT_EQ(index.count, static_cast<std::size_t>(2 * families));
  ASSERT_EQ(index.per, static_cast<std::size_t>(kSearchChunkRecords));
  ASSERT_GT(index.count, 4 * index.per);

  // The records in the site's order: surname, then given names.
  std::vector<std::string> order;
  for (const std::string& line : index.records)
    order.push_back(line.substr(0, line.find("\",\"\",")));
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  for (int i = 0; i < 2 * families; ++i) {
    const std::string given = UniqueName(i), surname = surnames[(i / 2) % 5];
    std::string token = given;
    token[0] = 'q';
    const std::string surname_token = SearchTokens(surname)[0];
    SCOPED_TRACE(given);
    const auto numbers = index.keys.find("n" + token);
    ASSERT_NE(numbers, index.keys.end());
    ASSERT_EQ(numbers->second.size(), 1u);
    const auto number = static_cast<std::size_t>(numbers->second[0]);
    ASSERT_LT(number, index.records.size());
    const std::string& record = index.records[number];
    EXPECT_EQ(record.rfind("[\"" + surname + "\",\"" + given + "\",", 0), 0u) << record;
    // The whole name, either way round, leads to the same record.
    EXPECT_EQ(index.keys.at("f" + token + " " + surname_token), numbers->second);
    EXPECT_EQ(index.keys.at("f" + surname_token + " " + token), numbers->second);
    // A husband's birth year leads to him.
    if (i % 2 == 0) {
      const std::string year = std::to_string(1700 + i / 2);
      EXPECT_EQ(index.keys.at("y" + year), numbers->second);
      EXPECT_NE(record.find(",\"\"," + year + ",0,"), std::string::npos) << record;
    }
  }
  // Every surname's list holds exactly the records of that surname.
  for (const char* surname : surnames) {
    const auto& numbers = index.keys.at("n" + SearchTokens(surname)[0]);
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(2 * families / 5));
    for (std::int32_t n : numbers)
      EXPECT_EQ(index.records[static_cast<std::size_t>(n)].rfind("[\"" + std::string(surname), 0),
                0u);
  }
}

TEST_F(SearchSiteTest, AWithheldBirthYearHasNoKeyAndItsPersonNoYear) {
  AddPeople();
  f.run.settings.suppress_living = 1;
  WriteSearchIndex(f.Start());
  const WrittenIndex index = ReadIndex(SearchFiles());
  ASSERT_EQ(index.count, 3u);
  EXPECT_EQ(index.keys.count("y1950"), 0u);
  // Victoria's years lead to her; the living child is found by name, with no year.
  ASSERT_EQ(index.keys.count("y1819"), 1u);
  EXPECT_EQ(index.keys.at("y1819"), index.keys.at("y1901"));
  EXPECT_NE(index.records[static_cast<std::size_t>(index.keys.at("y1819")[0])].find("Victoria"),
            std::string::npos);
  const auto child = index.keys.at("nobrien");
  ASSERT_EQ(child.size(), 1u);
  EXPECT_NE(index.records[static_cast<std::size_t>(child[0])].find(",0,0,"), std::string::npos);
  // Its place is shown, so it is a key.
  EXPECT_EQ(index.keys.at("porby"), child);
}

TEST_F(SearchSiteTest, PeopleOnNoFamilyGroupPageAreNotIndexed) {
  AddPeople();
  // A child whose parents' family does not list it: its group is its mother's, whose page
  // does not show it.
  f.run.AddPerson("I4", "Hidden /Stray/", 1);
  store::IndividualRecord& stray = f.run.Person("I4");
  stray.given_names = "Hidden";
  stray.surname = "Stray";
  stray.parents_family = "F1";
  stray.parents_family_index = f.run.store.ids.Find("F1").index;
  SiteContext& site = f.Start();
  for (const SearchRecord& r : CollectSearchRecords(site)) EXPECT_NE(r.surname, "Stray");
  WriteSearchIndex(site);
  EXPECT_EQ(AllShards().find("Stray"), std::string::npos);
}

TEST_F(SearchSiteTest, NoIndexWithoutFamilyGroupPages) {
  AddPeople();
  f.run.settings.create_family_groups = 0;
  EXPECT_TRUE(CollectSearchRecords(f.Start()).empty());
  EXPECT_FALSE(SearchOn(f.run.settings));
}

TEST_F(SearchSiteTest, FileNamesCarryTheLanguage) {
  EXPECT_EQ(SearchScriptFile(0), "kinloom-search-en.js");
  EXPECT_EQ(SearchShardFile(8, 12), "kinloom-search-pt-12.js");
  EXPECT_EQ(SearchPageFile(2, "html"), "kinloom-search-de.html");
  std::set<std::string> names;
  for (int language = 0; language < settings::kLanguageCount; ++language)
    names.insert(SearchScriptFile(language));
  EXPECT_EQ(names.size(), static_cast<std::size_t>(settings::kLanguageCount));

  AddPeople();
  f.run.settings.create_pages[1] = 1;
  WriteSearchIndex(f.Start(1));
  EXPECT_EQ(SearchFiles().count("/out/kinloom-search-fr.js"), 1u);
  EXPECT_EQ(SearchFiles().count("/out/kinloom-search-fr-0.js"), 1u);
  EXPECT_NE(SearchFiles().at("/out/kinloom-search-fr.js").find("Aucun r\\u00e9sultat"),
            std::string::npos);
}

TEST_F(SearchSiteTest, SearchBoxIsHiddenUntilTheScriptRunsWithALinkForPagesWithout) {
  AddPeople();
  SiteContext& site = f.Start();
  ModernStyle modern;
  site.SetStyle(modern);
  const std::string box = f.Body([&] { WriteSearchBox(*f.writer); });
  EXPECT_NE(box.find("<form class=\"kl-search\" role=\"search\" method=\"get\" "
                     "action=\"kinloom-search-en.htm\" hidden>"),
            std::string::npos)
      << box;
  EXPECT_NE(box.find("<label for=\"kl-q\">Search for a person</label>"), std::string::npos);
  EXPECT_NE(box.find("<input id=\"kl-q\" type=\"search\" name=\"q\""), std::string::npos);
  EXPECT_NE(box.find("aria-live=\"polite\""), std::string::npos);
  EXPECT_NE(box.find("<noscript><p><a href=\"c.htm\">List of surnames</a></p></noscript>"),
            std::string::npos);
  EXPECT_NE(box.find("<script type=\"module\" src=\"kinloom-search-en.js\"></script>"),
            std::string::npos);
  EXPECT_NE(box.find("<script nomodule src=\"kinloom-search-en.js\"></script>"),
            std::string::npos);
  // The classic pages and a run without family group pages get no box.
  f.run.settings.page_style = 0;
  EXPECT_EQ(f.Body([&] { WriteSearchBox(*f.writer); }), "");
}

TEST_F(SearchSiteTest, SearchPageHoldsItsOwnFormAndNoSecondBox) {
  AddPeople();
  SiteContext& site = f.Start();
  ModernStyle modern;
  site.SetStyle(modern);
  WriteSearchPage(site);
  const std::string page = f.run.fs.Read("/out/kinloom-search-en.htm");
  EXPECT_NE(page.find("<h2 id=\"kl-page-heading\">Search the family tree</h2>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<input id=\"kl-page-q\""), std::string::npos);
  EXPECT_EQ(page.find("id=\"kl-q\""), std::string::npos);
  EXPECT_EQ(page.find("<font"), std::string::npos);
}

TEST(SearchLabelsTest, EveryLanguageHasTheSearchLabels) {
  for (int language = 0; language < settings::kLanguageCount; ++language) {
    lang::LabelSet labels(language);
    for (int n = 12636; n <= 12643; ++n) {
      SCOPED_TRACE("label " + std::to_string(n) + " language " + std::to_string(language));
      EXPECT_FALSE(labels.Get(n).empty());
    }
    EXPECT_NE(labels.Get(12639).find("%d"), std::string::npos);
  }
}

}  // namespace
}  // namespace kinloom::site
