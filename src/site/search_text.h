// The text rules of the site search, shared by the index the program writes and the script
// that answers queries in the browser: how a name, place or query is folded into search
// tokens, and how a text is spelled as a JavaScript string literal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kinloom::site {

// The search tokens of a UTF-8 text, in order: ASCII letters lower-cased, the accented Latin
// letters of the Western European languages folded to ASCII (é -> e, ß -> ss, æ -> ae,
// ø -> o, þ -> th, Œ -> oe …), apostrophes dropped so that "O'Brien" is one token, digits
// kept, every other ASCII character, the Latin-1 signs, general punctuation and bytes that
// are not UTF-8 separating tokens. Other characters (Greek, Cyrillic …) are kept as they are.
std::vector<std::string> SearchTokens(std::string_view utf8);

// The same tokens one at a time, without a list: for the index, which splits every name and
// place of the site.
class SearchTokenReader {
 public:
  explicit SearchTokenReader(std::string_view utf8) : text_(utf8) {}
  // Puts the next token in `token`, replacing what it held; false after the last.
  bool Next(std::string& token);

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

// The folded letters as a JavaScript object literal {code point: "folded", …}, written into
// the search script so that the browser folds a query exactly as SearchTokens does.
std::string SearchFoldTableScript();

// `text` (UTF-8) as a double-quoted JavaScript string literal that only holds printable
// ASCII: quotes, backslashes, "<", ">" and "&" and every character outside printable ASCII as
// \uXXXX escapes (surrogate pairs beyond the Basic Multilingual Plane), bytes that are not
// UTF-8 as U+FFFD. The literal cannot end a string, a script element or a line.
std::string JsStringLiteral(std::string_view text);
// The same literal appended to `out`.
void AppendJsStringLiteral(std::string& out, std::string_view text);

// The first year of a date text as a number: the first run of three or four digits that is
// not part of a longer number ("ABT 12 MAR 1819" -> 1819, "1750/51" -> 1750); 0 for none.
int YearOfDate(std::string_view date);

}  // namespace kinloom::site
