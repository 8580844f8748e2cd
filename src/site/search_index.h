// The search index of a modern site: for every person described on a family group page, the
// name, years and places that page shows and the link to the person's entry, and the search
// keys that lead to them, split into small JavaScript files so that a query in the browser
// loads only the files it needs. The files work from the local disk: each is a script that
// hands its data to the search script, never data fetched by the page.
//
// Each person is written once, as a record. Records are numbered in the site's sort order (the
// people of one surname lie together) and written kSearchChunkRecords to a file; the key files
// hold the search keys in byte order, each with the numbers of the records that carry it.
//
// Files of language L (tag "en", "fr" …), all beside the pages:
//   kinloom-search-L.js     the search script, the language's labels and the key file list
//   kinloom-search-L-N.js   record chunk N (records N * kSearchChunkRecords onwards) for N
//                           below the chunk count C, else key file N - C
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

// The records of the people described in full on the family group pages, in the site's sort
// order (a record's position in the list is its number in the index), with the dates and
// places the family group pages show after the privacy rules (a withheld birth date gives no
// birth year). Empty when the site has no family group pages.
std::vector<SearchRecord> CollectSearchRecords(const SiteContext& site);

// The search keys of a record: "n" + each token of the surname and given names, "p" + each
// token of the places, "y" + each year as four digits. Sorted, without repeats.
std::vector<std::string> SearchKeys(const SearchRecord& record);

// The whole-name keys of a record, by which a query of exactly the person's name ranks the
// person first: "f" + the name tokens joined by spaces, given names first and surname first
// (one key when they are the same); none for a record without name tokens.
std::vector<std::string> SearchNameKeys(const SearchRecord& record);

// A search key with the numbers (positions in the record list) of the records that carry it,
// ascending and each once.
struct SearchKeyNumbers {
  std::string key;
  std::vector<std::int32_t> numbers;
};

// Every key of the records (SearchKeys and SearchNameKeys), in byte order. Linear in the
// number of keys of the records, plus the sorting of the distinct keys.
std::vector<SearchKeyNumbers> SearchKeyLists(const std::vector<SearchRecord>& records);

// A number list as the key files hold it: each number's distance from the one before, less
// one (the first number itself), in base 26, most significant digit first, the last digit of
// each as a lower-case letter and the others as capitals: {0, 1, 2, 30} -> "aaaBb".
void AppendSearchNumbers(std::string& out, const std::vector<std::int32_t>& numbers,
                         std::size_t begin, std::size_t end);
// The numbers of a list written by AppendSearchNumbers; empty when `text` is not one.
std::vector<std::int32_t> ReadSearchNumbers(std::string_view text);

// One key file: the keys [begin, end) of the key list, or (a part) the numbers
// [number_begin, number_end) of the key `begin` alone, when that key's numbers are too many
// for one file.
struct SearchShard {
  std::size_t begin = 0, end = 0;
  bool part = false;
  std::size_t number_begin = 0, number_end = 0;
  std::size_t bytes = 0;  // the size of the file's key text
};

// Splits the keys into files of at most about `budget` bytes of key text, in key order: each
// file holds whole keys, as many as fit, and a key whose text alone exceeds the budget is
// split into parts of its own. Linear in the size of the key lists.
std::vector<SearchShard> ShardSearchKeys(const std::vector<SearchKeyNumbers>& keys,
                                         std::size_t budget);

// The JavaScript array literal of one record (its number is its place in the chunk):
// ["surname","given names","title",birth year,death year,"birth place","death place","href"].
std::string SearchRecordScript(const SearchRecord& record);

// The language tag used in the search files' names: "en", "fr", "de", "nl", "es", "da",
// "no", "it", "pt".
std::string_view SearchLanguageTag(int language);
// "kinloom-search-en.js", "kinloom-search-en-3.js" (file 3), "kinloom-search-en.htm".
std::string SearchScriptFile(int language);
std::string SearchShardFile(int language, int shard);
std::string SearchPageFile(int language, std::string_view extension);

// The key file budget: a name query loads one or two key files besides the records it shows.
inline constexpr std::size_t kSearchShardBudget = 32 * 1024;
// Records per chunk file: the results shown load their chunks, one per result at worst.
inline constexpr int kSearchChunkRecords = 128;

// Writes the language's search script, record chunks and key files into the output folder
// (modern style with family group pages only). Reads the store and the layout, writes only
// its own files, each once; holds the key lists in memory, not the records.
void WriteSearchIndex(SiteContext& site);

}  // namespace kinloom::site
