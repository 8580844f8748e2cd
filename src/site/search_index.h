// The search index of a modern site: for every person described on a family group page, the
// name, years and places that page shows and the link to the person's entry, split into
// small JavaScript files so that a query in the browser loads only the files it needs. The
// files work from the local disk: each is a script that hands its records to the search
// script, never data fetched by the page.
//
// Files of language L (tag "en", "fr" …), all beside the pages:
//   kinloom-search-L.js     the search script, the language's labels and the shard list
//   kinloom-search-L-N.js   shard N: the records under one prefix of the search keys
//   kinloom-search-L.htm    the search page (written by the page style, see modern_search)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "site/site_driver.h"

namespace kinloom::site {

// One person as the search shows it. Texts are UTF-8 plain text (no entities).
struct SearchRecord {
  std::int32_t person = 0;  // table position
  std::string surname, given_names, title;
  int birth_year = 0;  // 0: none shown
  int death_year = 0;
  std::string birth_place, death_place;
  std::string href;  // the family group entry, as gendex.txt names it
};

// The records of the people described in full on the family group pages, in table order,
// with the dates and places the family group pages show after the privacy rules (a withheld
// birth date gives no birth year). Empty when the site has no family group pages.
std::vector<SearchRecord> CollectSearchRecords(const SiteContext& site);

// The search keys of a record: "n" + each token of the surname and given names, "p" + each
// token of the places, "y" + each year as four digits. Sorted, without repeats.
std::vector<std::string> SearchKeys(const SearchRecord& record);

// One file of the index: the records of the keys starting with `prefix`, or (`exact`) of the
// key `prefix` alone, split into parts when that key's records are too many for one file.
struct SearchShard {
  std::string prefix;
  bool exact = false;  // holds the one key `prefix` only, not the longer keys it starts
  int part = 0;
  std::vector<std::int32_t> records;  // positions in the record list, ascending
  std::size_t bytes = 0;              // the size of the records' script text
};

// Splits the records into shards of at most about `budget` bytes of record text: all keys
// at first, split by the next character of their keys while a shard is larger (a
// record lies in each shard one of its keys falls in, once), the records of a key that is
// still too large split into parts. `record_bytes[i]` is the script size of record i.
// O(k log k) in the number of keys.
std::vector<SearchShard> ShardSearchKeys(const std::vector<SearchRecord>& records,
                                         const std::vector<std::size_t>& record_bytes,
                                         std::size_t budget);

// The JavaScript array literal of one record:
// [person,"surname","given names","title",birth year,death year,"birth place","death place",
//  "href"].
std::string SearchRecordScript(const SearchRecord& record);

// The language tag used in the search files' names: "en", "fr", "de", "nl", "es", "da",
// "no", "it", "pt".
std::string_view SearchLanguageTag(int language);
// "kinloom-search-en.js", "kinloom-search-en-3.js" (shard 3), "kinloom-search-en.htm".
std::string SearchScriptFile(int language);
std::string SearchShardFile(int language, int shard);
std::string SearchPageFile(int language, std::string_view extension);

// The shard budget of a site: small enough that a query loads a few hundred kilobytes.
inline constexpr std::size_t kSearchShardBudget = 96 * 1024;

// Writes the language's search script and shards into the output folder (modern style with
// family group pages only). Reads the store and the layout, writes only its own files.
void WriteSearchIndex(SiteContext& site);

}  // namespace kinloom::site
