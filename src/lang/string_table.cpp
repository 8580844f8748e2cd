#include "lang/string_table.h"

#include <cstdio>
#include <stdexcept>

#include "platform/resources.h"
#include "platform/text_encoding.h"

namespace kinloom::lang {

bool StringTable::Parse(std::string_view source, std::string* error) {
  std::size_t pos = 0;
  int line_number = 0;
  auto fail = [&](const std::string& why) {
    *error = "line " + std::to_string(line_number) + ": " + why;
    return false;
  };
  while (pos < source.size()) {
    std::size_t end = source.find('\n', pos);
    if (end == std::string_view::npos) end = source.size();
    std::string_view line = source.substr(pos, end - pos);
    pos = end + 1;
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size() || line[i] == '#') continue;
    int number = 0;
    std::size_t digits = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
      number = number * 10 + (line[i] - '0');
      ++i;
      if (++digits > 6) return fail("number too long");
    }
    if (digits == 0) return fail("expected a string number");
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size() || line[i] != '"') return fail("expected a quoted text");
    ++i;
    std::string utf8;
    bool closed = false;
    while (i < line.size()) {
      char c = line[i++];
      if (c == '"') {
        closed = true;
        break;
      }
      if (c == '\\') {
        if (i == line.size()) return fail("escape at end of line");
        char e = line[i++];
        switch (e) {
          case 'n': utf8 += '\n'; break;
          case 't': utf8 += '\t'; break;
          case 'r': utf8 += '\r'; break;
          case '"': utf8 += '"'; break;
          case '\\': utf8 += '\\'; break;
          default: return fail(std::string("unknown escape \\") + e);
        }
        continue;
      }
      utf8 += c;
    }
    if (!closed) return fail("unterminated text");
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i != line.size() && line[i] != '#') return fail("text after the closing quote");
    std::string text = platform::Utf8ToCp1252(utf8);
    auto [it, inserted] = texts_.emplace(number, text);
    // The same string may be given by two files as long as both say the same.
    if (!inserted && it->second != text)
      return fail("string " + std::to_string(number) + " defined twice with different texts");
  }
  return true;
}

const std::string& StringTable::Text(int n) const {
  static const std::string kEmpty;
  auto it = texts_.find(n);
  return it == texts_.end() ? kEmpty : it->second;
}

const StringTable& StringTable::Instance() {
  static const StringTable table = [] {
    StringTable t;
    for (std::string_view name : platform::ResourceNames()) {
      if (name.size() < 4 || name.substr(name.size() - 4) != ".txt") continue;
      auto data = platform::FindResource(name);
      std::string error;
      if (!t.Parse(*data, &error)) {
        // A broken data file is a build fault; say which one and stop at once.
        std::fprintf(stderr, "string table %.*s: %s\n", static_cast<int>(name.size()),
                     name.data(), error.c_str());
        throw std::logic_error("corrupt embedded string table");
      }
    }
    return t;
  }();
  return table;
}

}  // namespace kinloom::lang
