#include "gedcom/encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "platform/text_encoding.h"

namespace kinloom::gedcom {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct ComposePair {
  char32_t base;
  char32_t mark;
  char32_t composed;
};
constexpr ComposePair kComposeTable[] = {
#include "gedcom/compose_table.inc"
};

// ANSEL (ANSI Z39.47) spacing characters 0xA1 … 0xCF, 0 where unassigned.
constexpr char32_t kAnselSpacing[0xD0 - 0xA0] = {
    0,      0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9,  // A0-A7
    0x00B7, 0x266D, 0x00AE, 0x00B1, 0x01A0, 0x01AF, 0x02BC, 0,       // A8-AF
    0x02BB, 0x0142, 0x00F8, 0x0111, 0x00FE, 0x00E6, 0x0153, 0x02BA,  // B0-B7
    0x0131, 0x00A3, 0x00F0, 0,      0x01A1, 0x01B0, 0x25A1, 0x25A0,  // B8-BF
    0x00B0, 0x2113, 0x2117, 0x00A9, 0x266F, 0x00BF, 0x00A1, 0x00DF,  // C0-C7
    0x20AC, 0,      0,      0,      0,      0x0065, 0x006F, 0x00DF,  // C8-CF
};

// ANSEL combining marks 0xE0 … 0xFE, written before the letter they belong to.
constexpr char32_t kAnselCombining[0xFF - 0xE0] = {
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307,  // E0-E7
    0x0308, 0x030C, 0x030A, 0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310,  // E8-EF
    0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333, 0x0332, 0x0326,  // F0-F7
    0x031C, 0x032E, 0xFE22, 0xFE23, 0,      0,      0x0313,          // F8-FE
};

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Calls `take` with each line of an 8-bit (or UTF-8) header, leading blanks removed, until
// it returns true or the header ends; returns whether it did.
template <typename Take>
bool AnyHeaderLine(std::string_view head, Take take) {
  std::size_t pos = 0;
  while (pos < head.size()) {
    std::size_t end = head.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = head.size();
    std::string_view line = head.substr(pos, end - pos);
    pos = end + 1;
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string_view::npos) continue;
    line.remove_prefix(i);
    if (take(line)) return true;
    if (line.size() >= 2 && line[0] == '0' && line[1] == ' ' &&
        UpperAscii(line).find("HEAD") == std::string::npos)
      break;  // the header has ended
  }
  return false;
}

// The value of the first "1 CHAR" line of the header, upper-cased.
std::string CharValue(std::string_view head) {
  std::string found;
  AnyHeaderLine(head, [&](std::string_view line) {
    if (!(line.size() >= 6 && line.substr(0, 2) == "1 " && UpperAscii(line.substr(2, 4)) == "CHAR"))
      return false;
    std::string_view value = line.substr(6);
    std::size_t b = value.find_first_not_of(" \t");
    if (b != std::string_view::npos) {
      value.remove_prefix(b);
      found = UpperAscii(value.substr(0, value.find_last_not_of(" \t") + 1));
    }
    return true;
  });
  return found;
}

// Whether the header says "1 GEDC" then "2 VERS 7..." (GEDCOM 7, which is always UTF-8).
bool DeclaresGedcom7(std::string_view head) {
  bool in_gedc = false;
  return AnyHeaderLine(head, [&](std::string_view line) {
    if (line.substr(0, 2) == "1 ") in_gedc = line.substr(2, 4) == "GEDC";
    return in_gedc && line.substr(0, 8) == "2 VERS 7";
  });
}

}  // namespace

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | (cp >> 6));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out += static_cast<char>(0xE0 | (cp >> 12));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (cp >> 18));
    *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t Compose(char32_t base, char32_t mark) {
  const ComposePair* begin = std::begin(kComposeTable);
  const ComposePair* end = std::end(kComposeTable);
  const ComposePair* it = std::lower_bound(
      begin, end, ComposePair{base, mark, 0}, [](const ComposePair& a, const ComposePair& b) {
        return a.base != b.base ? a.base < b.base : a.mark < b.mark;
      });
  return it != end && it->base == base && it->mark == mark ? it->composed : 0;
}

SourceEncoding DetectEncoding(std::string_view head) {
  auto starts = [&](std::string_view bom) { return head.substr(0, bom.size()) == bom; };
  if (starts("\xEF\xBB\xBF")) return SourceEncoding::kUtf8;
  if (starts("\xFF\xFE")) return SourceEncoding::kUtf16Le;
  if (starts("\xFE\xFF")) return SourceEncoding::kUtf16Be;
  // UTF-16 without a mark: "0 HEAD" has a zero byte beside every letter.
  if (head.size() >= 2 && head[0] == '0' && head[1] == '\0') return SourceEncoding::kUtf16Le;
  if (head.size() >= 2 && head[0] == '\0' && head[1] == '0') return SourceEncoding::kUtf16Be;
  if (DeclaresGedcom7(head)) return SourceEncoding::kUtf8;
  std::string value = CharValue(head);
  if (value == "UTF-8" || value == "UTF8") return SourceEncoding::kUtf8;
  // Without a mark and without zero bytes the text is 8-bit: files that declare UNICODE
  // that way are UTF-8 files, and reading them as UTF-16 would turn every pair of letters
  // into one unrelated character.
  if (value == "UNICODE" || value == "UTF-16" || value == "UTF16") return SourceEncoding::kUtf8;
  if (value == "ANSEL") return SourceEncoding::kAnsel;
  return SourceEncoding::kWindows1252;
}

SiteEncoding SiteEncodingFor(SourceEncoding source) {
  switch (source) {
    case SourceEncoding::kUtf8:
    case SourceEncoding::kUtf16Le:
    case SourceEncoding::kUtf16Be:
      return SiteEncoding::kUtf8;
    default:
      return SiteEncoding::kWindows1252;
  }
}

platform::TextEncoding TextEncodingFor(SourceEncoding source) {
  return source == SourceEncoding::kWindows1252 ? platform::TextEncoding::kWindows1252
                                                : platform::TextEncoding::kUtf8;
}

void InputDecoder::Decode(std::string_view bytes, bool last, std::string* out) {
  switch (encoding_) {
    case SourceEncoding::kWindows1252:
      out->append(bytes);
      return;
    case SourceEncoding::kUtf8:
      DecodeUtf8(bytes, last, out);
      return;
    case SourceEncoding::kUtf16Le:
    case SourceEncoding::kUtf16Be:
      DecodeUtf16(bytes, last, out);
      return;
    case SourceEncoding::kAnsel:
      DecodeAnsel(bytes, last, out);
      return;
  }
}

void InputDecoder::DecodeUtf8(std::string_view bytes, bool last, std::string* out) {
  // The bytes held back from the chunk before go first; without them the chunk is read
  // where it is.
  std::string joined;
  std::string_view data = bytes;
  if (!pending_.empty()) {
    joined = std::move(pending_);
    joined.append(bytes);
    data = joined;
    pending_.clear();
  }
  std::size_t i = 0;
  if (at_start_) {
    if (data.size() < 3 && !last &&
        std::string_view("\xEF\xBB\xBF").substr(0, data.size()) == data) {
      pending_ = std::string(data);
      return;
    }
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    at_start_ = false;
  }
  while (i < data.size()) {
    unsigned char c = static_cast<unsigned char>(data[i]);
    if (c < 0x80) {
      // A run of ASCII is copied as it stands.
      std::size_t end = i + 1;
      while (end < data.size() && static_cast<unsigned char>(data[end]) < 0x80) ++end;
      const std::string_view run = data.substr(i, end - i);
      out->append(run);
      lines_ += std::count(run.begin(), run.end(), '\n');
      i = end;
      continue;
    }
    std::size_t len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || c == 0xC0 || c == 0xC1 || c > 0xF4) {
      DecodeStrayByte(c, out);
      ++i;
      continue;
    }
    if (i + len > data.size()) {
      // Possibly a sequence split across chunks: keep it when its bytes so far are valid.
      bool continuation_ok = true;
      for (std::size_t k = i + 1; k < data.size(); ++k)
        if ((static_cast<unsigned char>(data[k]) & 0xC0) != 0x80) continuation_ok = false;
      if (!last && continuation_ok) {
        pending_ = std::string(data.substr(i));
        return;
      }
      DecodeStrayByte(c, out);
      ++i;
      continue;
    }
    char32_t cp = c & (0x7F >> len);
    bool valid = true;
    for (std::size_t k = 1; k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(data[i + k]);
      if ((cc & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      DecodeStrayByte(c, out);
      ++i;
      continue;
    }
    out->append(data.substr(i, len));
    i += len;
  }
}

// A byte that is not part of valid UTF-8: files that declare UTF-8 often hold
// Windows-1252 text, so the byte is read as that code page's letter, and counted.
void InputDecoder::DecodeStrayByte(unsigned char byte, std::string* out) {
  AppendUtf8(platform::Cp1252ToCodePoint(byte), out);
  if (stray_bytes_++ == 0) first_stray_line_ = lines_ + 1;
}

void InputDecoder::DecodeUtf16(std::string_view bytes, bool last, std::string* out) {
  std::string data = pending_;
  data.append(bytes);
  pending_.clear();
  const bool little = encoding_ == SourceEncoding::kUtf16Le;
  auto unit_at = [&](std::size_t i) -> char32_t {
    unsigned char a = static_cast<unsigned char>(data[i]);
    unsigned char b = static_cast<unsigned char>(data[i + 1]);
    return little ? static_cast<char32_t>(a | (b << 8)) : static_cast<char32_t>((a << 8) | b);
  };
  std::size_t i = 0;
  if (at_start_ && data.size() >= 2) {
    if (unit_at(0) == 0xFEFF) i = 2;
    at_start_ = false;
  }
  while (i + 1 < data.size()) {
    char32_t unit = unit_at(i);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 3 >= data.size()) {
        if (!last) break;
        AppendUtf8(kReplacement, out);
        i += 2;
        continue;
      }
      char32_t low = unit_at(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), out);
        i += 4;
      } else {
        AppendUtf8(kReplacement, out);
        i += 2;
      }
      continue;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) unit = kReplacement;
    AppendUtf8(unit, out);
    i += 2;
  }
  pending_ = data.substr(i);
  if (last && !pending_.empty()) {
    AppendUtf8(kReplacement, out);  // an odd byte count or a lone high surrogate
    pending_.clear();
  }
}

void InputDecoder::EmitAnselCharacter(char32_t base, std::string* out) {
  // ANSEL writes the marks before their letter; Unicode after it. Compose what can be
  // composed (innermost mark first) and append the rest as combining characters.
  char32_t composed = base;
  std::u32string rest;
  for (auto it = marks_.rbegin(); it != marks_.rend(); ++it) {
    char32_t c = rest.empty() ? Compose(composed, *it) : 0;
    if (c != 0)
      composed = c;
    else
      rest += *it;
  }
  AppendUtf8(composed, out);
  for (char32_t m : rest) AppendUtf8(m, out);
  marks_.clear();
}

void InputDecoder::DecodeAnsel(std::string_view bytes, bool last, std::string* out) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (marks_.empty()) {
      // With no diacritic waiting, a run of ASCII is copied as it stands.
      std::size_t end = i;
      while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80) ++end;
      out->append(bytes.substr(i, end - i));
      i = end;
      if (i == bytes.size()) break;
    }
    const unsigned char c = static_cast<unsigned char>(bytes[i++]);
    if (c >= 0xE0 && c <= 0xFE && kAnselCombining[c - 0xE0] != 0) {
      if (marks_.size() < 8) marks_ += kAnselCombining[c - 0xE0];
      continue;
    }
    char32_t cp;
    if (c < 0x80)
      cp = c;
    else if (c >= 0xA1 && c <= 0xCF && kAnselSpacing[c - 0xA0] != 0)
      cp = kAnselSpacing[c - 0xA0];
    else if (c == 0x88 || c == 0x89 || c == 0x8D || c == 0x8E)
      continue;  // sort and join marks
    else
      cp = kReplacement;
    if (!marks_.empty() && (cp == '\n' || cp == '\r')) {
      // A diacritic with no letter after it on its line stands alone.
      for (char32_t m : marks_) AppendUtf8(m, out);
      marks_.clear();
    }
    if (marks_.empty())
      AppendUtf8(cp, out);
    else
      EmitAnselCharacter(cp, out);
  }
  if (last && !marks_.empty()) {
    for (char32_t m : marks_) AppendUtf8(m, out);
    marks_.clear();
  }
}

std::size_t AppendCp1252Character(std::string_view utf8, std::size_t i, std::string* out) {
  unsigned char c = static_cast<unsigned char>(utf8[i]);
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
    return i + 1;
  }
  std::size_t len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
  char32_t cp = len == 1 ? kReplacement : static_cast<char32_t>(c & (0x7F >> len));
  if (i + len > utf8.size()) {
    cp = kReplacement;
    len = 1;
  }
  for (std::size_t k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
    if ((cc & 0xC0) != 0x80) {
      cp = kReplacement;
      len = k;
      break;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  int byte = platform::CodePointToCp1252(cp);
  if (byte >= 0 && !(cp >= 0x80 && cp < 0xA0)) {
    out->push_back(static_cast<char>(byte));
  } else {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned long>(cp)).ptr;
    out->append("&#", 2);
    out->append(digits, static_cast<std::size_t>(end - digits));
    out->push_back(';');
  }
  return i + len;
}

std::string Utf8ToSiteText(std::string_view utf8, SiteEncoding site) {
  if (site == SiteEncoding::kUtf8) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t run = i;
    while (i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80) ++i;
    out.append(utf8, run, i - run);
    if (i < utf8.size()) i = AppendCp1252Character(utf8, i, &out);
  }
  return out;
}

std::string ProgramTextToSite(std::string_view cp1252, SiteEncoding site) {
  if (site == SiteEncoding::kWindows1252) return std::string(cp1252);
  return platform::Cp1252ToUtf8(cp1252);
}

std::string_view CharsetMetaTag(SiteEncoding site) {
  return site == SiteEncoding::kUtf8
             ? "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
             : "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
}

}  // namespace kinloom::gedcom
