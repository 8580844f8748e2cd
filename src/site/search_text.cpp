#include "site/search_text.h"

#include <array>
#include <cstdint>

#include "platform/text_encoding.h"

namespace kinloom::site {
namespace {

using platform::kNotUtf8;

char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  return platform::NextUtf8CodePoint(text, i);
}

// The folded forms of U+00C0 … U+017F; " " separates, "" drops.
constexpr std::array<const char*, 0x180 - 0xC0> kLatinFolds = {
    // U+00C0 À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // U+00D0 Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    "d", "n", "o", "o", "o", "o", "o", " ", "o", "u", "u", "u", "u", "y", "th", "ss",
    // U+00E0 à á â ã ä å æ ç è é ê ë ì í î ï
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // U+00F0 ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
    "d", "n", "o", "o", "o", "o", "o", " ", "o", "u", "u", "u", "u", "y", "th", "y",
    // U+0100 Ā ā Ă ă Ą ą Ć ć Ĉ ĉ Ċ ċ Č č Ď ď
    "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d",
    // U+0110 Đ đ Ē ē Ĕ ĕ Ė ė Ę ę Ě ě Ĝ ĝ Ğ ğ
    "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g",
    // U+0120 Ġ ġ Ģ ģ Ĥ ĥ Ħ ħ Ĩ ĩ Ī ī Ĭ ĭ Į į
    "g", "g", "g", "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i",
    // U+0130 İ ı Ĳ ĳ Ĵ ĵ Ķ ķ ĸ Ĺ ĺ Ļ ļ Ľ ľ Ŀ
    "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l",
    // U+0140 ŀ Ł ł Ń ń Ņ ņ Ň ň ŉ Ŋ ŋ Ō ō Ŏ ŏ
    "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o",
    // U+0150 Ő ő Œ œ Ŕ ŕ Ŗ ŗ Ř ř Ś ś Ŝ ŝ Ş ş
    "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s",
    // U+0160 Š š Ţ ţ Ť ť Ŧ ŧ Ũ ũ Ū ū Ŭ ŭ Ů ů
    "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u",
    // U+0170 Ű ű Ų ų Ŵ ŵ Ŷ ŷ Ÿ Ź ź Ż ż Ž ž ſ
    "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s",
};

// Characters outside U+00C0 … U+017F with a fold of their own.
struct Fold {
  char32_t code;
  const char* text;
};
constexpr Fold kOtherFolds[] = {
    {0x0192, "f"},    // ƒ (Windows-1252)
    {0x2019, ""},     // right single quotation mark, written for an apostrophe
    {0x02BC, ""},     // modifier letter apostrophe
    {0x1E9E, "ss"},   // capital sharp s
};

// What a character folds to: its fold text, or null when it is kept as it is.
const char* FoldOf(char32_t c) {
  if (c >= 0xC0 && c < 0x180) return kLatinFolds[c - 0xC0];
  for (const Fold& fold : kOtherFolds)
    if (fold.code == c) return fold.text;
  return nullptr;
}

// Characters that separate tokens besides ASCII: the Latin-1 signs, general punctuation, the
// ideographic space, the byte order mark and the replacement character.
bool Separates(char32_t c) {
  return (c >= 0x80 && c <= 0xBF) || (c >= 0x2000 && c <= 0x206F) || c == 0x3000 ||
         c == 0xFEFF || c == 0xFFFD || c == kNotUtf8;
}

void AppendUtf8(std::string& out, char32_t c) {
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

void AppendUnicodeEscape(std::string& out, unsigned value) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

bool SearchTokenReader::Next(std::string& token) {
  token.clear();
  while (at_ < text_.size()) {
    const auto lead = static_cast<unsigned char>(text_[at_]);
    if (lead < 0x80) {
      ++at_;
      if (lead >= 'A' && lead <= 'Z')
        token += static_cast<char>(lead - 'A' + 'a');
      else if ((lead >= 'a' && lead <= 'z') || (lead >= '0' && lead <= '9'))
        token += static_cast<char>(lead);
      else if (lead != '\'' && !token.empty())
        return true;
      continue;
    }
    const char32_t c = NextCodePoint(text_, at_);
    if (const char* fold = FoldOf(c)) {
      if (fold[0] != ' ')
        token += fold;
      else if (!token.empty())
        return true;
    } else if (Separates(c)) {
      if (!token.empty()) return true;
    } else {
      AppendUtf8(token, c);
    }
  }
  return !token.empty();
}

std::vector<std::string> SearchTokens(std::string_view utf8) {
  std::vector<std::string> tokens;
  SearchTokenReader reader(utf8);
  for (std::string token; reader.Next(token);) tokens.push_back(token);
  return tokens;
}

std::string SearchFoldTableScript() {
  std::string out = "{";
  bool first = true;
  auto add = [&](char32_t code, const char* text) {
    if (!first) out += ',';
    first = false;
    out += std::to_string(static_cast<unsigned long>(code));
    out += ':';
    out += JsStringLiteral(text);
  };
  for (char32_t c = 0xC0; c < 0x180; ++c) add(c, kLatinFolds[c - 0xC0]);
  for (const Fold& fold : kOtherFolds) add(fold.code, fold.text);
  out += '}';
  return out;
}

std::string JsStringLiteral(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  AppendJsStringLiteral(out, text);
  return out;
}

void AppendJsStringLiteral(std::string& out, std::string_view text) {
  // Printable ASCII that needs no escape, most of any name or place, is copied in runs.
  auto plain = [](unsigned char b) {
    return b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '<' && b != '>' && b != '&';
  };
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    std::size_t run = i;
    while (run < text.size() && plain(static_cast<unsigned char>(text[run]))) ++run;
    out.append(text.data() + i, run - i);
    i = run;
    if (i == text.size()) break;
    char32_t c = NextCodePoint(text, i);
    if (c == kNotUtf8) c = 0xFFFD;
    if (c < 0x10000) {
      AppendUnicodeEscape(out, static_cast<unsigned>(c));
    } else {
      const unsigned v = static_cast<unsigned>(c) - 0x10000;
      AppendUnicodeEscape(out, 0xD800 + (v >> 10));
      AppendUnicodeEscape(out, 0xDC00 + (v & 0x3FF));
    }
  }
  out += '"';
}

int YearOfDate(std::string_view date) {
  std::size_t i = 0;
  while (i < date.size()) {
    if (date[i] < '0' || date[i] > '9') {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < date.size() && date[end] >= '0' && date[end] <= '9') ++end;
    const std::size_t length = end - i;
    if (length == 3 || length == 4) {
      int year = 0;
      for (std::size_t k = i; k < end; ++k) year = year * 10 + (date[k] - '0');
      return year;
    }
    i = end;
  }
  return 0;
}

}  // namespace kinloom::site
