// The program's string table: every user-interface text (the 2000 block in English, the
// 3000 block in French, the 100 block of allowed-character sets) and every web-page label
// (12352 … 12643 in English, plus 1000 for each further output language).
//
// The texts live as readable UTF-8 source files in src/lang/data, one line per string:
//     NUMBER "TEXT"
// with the escapes \n \t \" \\ inside the quotes; lines starting with '#' and blank lines
// are ignored. A number may appear in two files only with the same text. Every embedded
// ".txt" file belongs to the table. They are embedded at build time and converted to Windows-1252 when loaded.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace kinloom::lang {

class StringTable {
 public:
  // The table built from every embedded data file. Built once, then read-only.
  static const StringTable& Instance();

  // Parses one data file into the table. Returns false and sets *error ("line N: …") on a
  // malformed line or a number defined twice.
  bool Parse(std::string_view source, std::string* error);

  // The text of string n in Windows-1252, or the empty text when n has none.
  const std::string& Text(int n) const;
  bool Has(int n) const { return texts_.count(n) != 0; }
  std::size_t size() const { return texts_.size(); }

 private:
  std::unordered_map<int, std::string> texts_;
};

}  // namespace kinloom::lang
