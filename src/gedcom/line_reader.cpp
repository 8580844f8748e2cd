#include "gedcom/line_reader.h"

#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "lang/tag_labels.h"

namespace kinloom::gedcom {

namespace {

constexpr std::size_t kBlockSize = 256 * 1024;
// The encoding is recognised from at least this many bytes of the file (or all of it).
constexpr std::size_t kDetectionBytes = 64 * 1024;

// Long forms of the tag table by code; nullptr where a tag has none.
constexpr const char* kLongForms[lang::kLastTagCode + 1] = {
    nullptr,           "ABBREVIATION",    "ADDRESS",       "ADDRESS1",
    "ADDRESS2",        "ADOPTION",        nullptr,         nullptr,
    "AGENCY",          "ALIAS",           "ANCESTORS",     "ANCES_INTEREST",
    "ANNULMENT",       "ASSOCIATES",      "AUTHOR",        "BAPTISM-LDS",
    "BAPTISM",         "BAR_MITZVAH",     "BAS_MITZVAH",   "BIRTH",
    "BLESSING",        "BINARY_OBJECT",   "BURIAL",        "CALL_NUMBER",
    "CASTE",           "CAUSE",           "CENSUS",        "CHANGE",
    "CHARACTER",       "CHILD",           "CHRISTENING",   "ADULT_CHRISTENING",
    nullptr,           "CONCATENATION",   "CONFIRMATION",  "CONFIRMATION_L",
    "CONTINUED",       "COPYRIGHT",       "CORPORATE",     "CREMATION",
    "COUNTRY",         nullptr,           nullptr,         "DEATH",
    "DESCENDANTS",     "DESCENDANT_INT",  "DESTINATION",   "DIVORCE",
    "DIVORCE_FILED",   "PHY_DESCRIPTION", "EDUCATION",     "EMIGRATION",
    "ENDOWMENT",       "ENGAGEMENT",      "EVENT",         "FAMILY",
    "FAMILY_CHILD",    "FAMILY_FILE",     "FAMILY_SPOUSE", "FIRST_COMMUNION",
    nullptr,           "FORMAT",          "GEDCOM",        "GIVEN_NAME",
    "GRADUATION",      "HEADER",          "HUSBAND",       "IDENT_NUMBER",
    "IMMIGRATION",     "INDIVIDUAL",      "LANGUAGE",      "LEGATEE",
    "MARRIAGE_BANN",   "MARR_CONTRACT",   "MARR_LICENSE",  "MARRIAGE",
    "MARR_SETTLEMENT", "MEDIA",           nullptr,         "NATIONALITY",
    "NATURALIZATION",  "CHILDREN_COUNT",  "NICKNAME",      "MARRIAGE_COUNT",
    nullptr,           "NAME_PREFIX",     "NAME_SUFFIX",   "OBJECT",
    "OCCUPATION",      "ORDINANCE",       "ORDINATION",    nullptr,
    "PEDIGREE",        "PHONE",           "PLACE",         "POSTAL_CODE",
    "PROBATE",         "PROPERTY",        "PUBLICATION",   "QUALITY_OF_DATA",
    "REFERENCE",       "RELATIONSHIP",    "RELIGION",      "REPOSITORY",
    "RESIDENCE",       "RESTRICTION",     "RETIREMENT",    "REC_FILE_NUMBER",
    "REC_ID_NUMBER",   nullptr,           nullptr,         "SEALING_CHILD",
    "SEALING_SPOUSE",  "SOURCE",          "SURN_PREFIX",   "SOC_SEC_NUMBER",
    "STATE",           "STATUS",          "SUBMITTER",     "SUBMISSION",
    "SURNAME",         "TEMPLE",          nullptr,         nullptr,
    "TITLE",           "TRAILER",         nullptr,         "VERSION",
    nullptr,           nullptr,
};

using TagMap = std::unordered_map<std::string_view, int>;

const TagMap& Tags() {
  static const TagMap map = [] {
    TagMap m;
    for (int code = 1; code <= lang::kLastTagCode; ++code) {
      m.emplace(lang::TagName(code), code);
      if (kLongForms[code] != nullptr) m.emplace(kLongForms[code], code);
    }
    // GEDCOM 7's reference to a shared note, "1 SNOTE @N1@", is read as a NOTE reference.
    m.emplace("SNOTE", kTagNote);
    return m;
  }();
  return map;
}

bool IsLineStop(char c) { return c == '\0' || c == '\r' || c == '\n'; }

struct Keyword {
  std::string_view text;
  int code;
};
constexpr Keyword kRecordKeywords[] = {{"INDI", kTagIndi},
                                       {"FAM", kTagFam},
                                       {"SOUR", kTagSour},
                                       {"NOTE", kTagNote},
                                       {"REPO", kTagRepo},
                                       // GEDCOM 7's shared note, read as a NOTE record
                                       {"SNOTE", kTagNote}};

}  // namespace

std::size_t FindLineEnd(std::string_view text, std::size_t from) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t i = from;
#if defined(__SSE2__)
  // Sixteen bytes at a time: the byte mask of both comparisons gives the first line end.
  const __m128i carriage_returns = _mm_set1_epi8('\r');
  const __m128i line_feeds = _mm_set1_epi8('\n');
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const int ends = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, carriage_returns),
                                                    _mm_cmpeq_epi8(bytes, line_feeds)));
    if (ends != 0)
      return i + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(ends)));
  }
#endif
  for (; i < size; ++i)
    if (data[i] == '\r' || data[i] == '\n') return i;
  return std::string_view::npos;
}


namespace {

// The names of up to eight bytes, most tags, packed into a number each and kept in a table
// of their own: a line's tag is found with one multiplication and a probe or two.
class ShortTagTable {
 public:
  ShortTagTable() {
    for (const auto& [name, code] : Tags()) {
      if (name.empty() || name.size() > 8 || name.find('\0') != std::string_view::npos) continue;
      std::size_t slot = Slot(Pack(name));
      while (keys_[slot] != 0) slot = (slot + 1) % kSlots;
      keys_[slot] = Pack(name);
      codes_[slot] = code;
    }
  }
  // The code of a name of one to eight bytes without NUL; kTagUnknown when it is no tag's.
  int Find(std::string_view name) const {
    const std::uint64_t key = Pack(name);
    for (std::size_t slot = Slot(key); keys_[slot] != 0; slot = (slot + 1) % kSlots)
      if (keys_[slot] == key) return codes_[slot];
    return kTagUnknown;
  }

 private:
  static constexpr std::size_t kSlots = 1024;  // more than four times the names
  static std::uint64_t Pack(std::string_view name) {
    std::uint64_t key = 0;
    std::memcpy(&key, name.data(), name.size());
    return key;
  }
  static std::size_t Slot(std::uint64_t key) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 54);
  }
  std::array<std::uint64_t, kSlots> keys_{};
  std::array<int, kSlots> codes_{};
};

}  // namespace

int LookupTagName(std::string_view token) {
  if (!token.empty() && token.size() <= 8 && token.find('\0') == std::string_view::npos) {
    static const ShortTagTable table;
    return table.Find(token);
  }
  const TagMap& map = Tags();
  auto it = map.find(token);
  return it == map.end() ? kTagUnknown : it->second;
}

std::string ExtractXref(std::string_view text) {
  std::size_t first = text.find('@');
  if (first == std::string_view::npos) return {};
  std::size_t second = text.find('@', first + 1);
  if (second == std::string_view::npos) return std::string(text.substr(first + 1));
  return std::string(text.substr(first + 1, second - first - 1));
}

LineReader::LineReader(platform::InputFile& file) : file_(file) {}

LineReader::LineReader(platform::InputFile& file, SourceEncoding encoding)
    : file_(file), detect_(false), decoder_(encoding) {}

bool LineReader::ReadBlock(std::string* raw) {
  std::size_t old_size = raw->size();
  raw->resize(old_size + kBlockSize);
  std::size_t got = 0;
  int error = file_.Read(raw->data() + old_size, kBlockSize, &got);
  if (error != 0 || got == 0 || got > kBlockSize) {
    raw->resize(old_size);
    return false;
  }
  raw->resize(old_size + got);
  return true;
}

bool LineReader::FillBuffer() {
  if (at_end_) return false;
  std::string raw;
  bool more = ReadBlock(&raw);
  if (detect_) {
    while (more && raw.size() < kDetectionBytes) more = ReadBlock(&raw);
    decoder_ = InputDecoder(DetectEncoding(raw));
    detect_ = false;
  }
  std::size_t old_size = buffer_.size();
  // At the end the decoder gives up what it holds back (an incomplete sequence, a
  // diacritic without its letter), so that no byte is lost silently.
  decoder_.Decode(raw, !more, &buffer_);
  if (!more) at_end_ = true;
  return more || buffer_.size() > old_size;
}

int LineReader::ReadGedcomLine(bool peek) {
  line_.clear();
  position_ = 0;
  if (start_ > 0 && start_ * 2 >= buffer_.size()) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  // Find the line end, reading more until one is there or the input ends. A CR at the end
  // of the bytes read so far may be the first half of CR LF, so it needs one more read.
  std::size_t scanned = start_;
  std::size_t end = std::string::npos;
  for (;;) {
    std::size_t found = FindLineEnd(buffer_, scanned);
    if (found != std::string::npos && (buffer_[found] == '\n' || found + 1 < buffer_.size())) {
      end = found;
      break;
    }
    if (found != std::string::npos)
      scanned = found;  // lone CR at the end of the bytes
    else
      scanned = buffer_.size();
    if (!FillBuffer()) {
      end = found;  // a final CR, or npos for a last line without a line end
      break;
    }
  }
  std::size_t line_end = end == std::string::npos ? buffer_.size() : end;
  if (line_end == start_ && end == std::string::npos) {
    start_ = buffer_.size();
    return kEndOfInput;
  }
  line_.assign(buffer_, start_, line_end - start_);
  if (!peek) {
    std::size_t next = line_end;
    if (end != std::string::npos) {
      next = end + 1;
      if (buffer_[end] == '\r' && next < buffer_.size() && buffer_[next] == '\n') ++next;
    }
    start_ = next;
  }

  std::size_t i = 0;
  while (i < line_.size() && line_[i] != '\0' && !(line_[i] >= '0' && line_[i] <= '9')) ++i;
  if (i >= line_.size() || line_[i] == '\0') return kNoLevel;
  position_ = i;
  long long level = 0;
  for (; i < line_.size() && line_[i] >= '0' && line_[i] <= '9'; ++i) {
    level = level * 10 + (line_[i] - '0');
    if (level > INT_MAX) level = INT_MAX;
  }
  return static_cast<int>(level);
}

std::string LineReader::ReadToken() {
  std::size_t i = position_ + 2;
  if (i > line_.size()) {
    position_ = line_.size();
    return {};
  }
  std::size_t begin = i;
  while (i < line_.size() && line_[i] != ' ' && !IsLineStop(line_[i])) ++i;
  position_ = i;
  return line_.substr(begin, i - begin);
}

std::string LineReader::ReadValue() {
  if (position_ >= line_.size() || IsLineStop(line_[position_])) return {};
  std::size_t begin = position_ + 1;
  std::size_t i = begin;
  while (i < line_.size() && !IsLineStop(line_[i])) ++i;
  position_ = i < line_.size() ? i + 1 : i;
  return line_.substr(begin, i - begin);
}

int LineReader::LookupTag(std::string_view token) const {
  if (!token.empty() && token.front() == '@') {
    std::string_view line(line_);
    std::size_t first = line.find('@');
    std::size_t second = first == std::string_view::npos ? first : line.find('@', first + 1);
    if (second != std::string_view::npos && second + 2 <= line.size()) {
      std::string_view keyword = line.substr(second + 2);
      for (const Keyword& k : kRecordKeywords)
        if (keyword.substr(0, k.text.size()) == k.text) return k.code;
    }
    for (const Keyword& k : kRecordKeywords)
      if (line.find(k.text) != std::string_view::npos) return k.code;
  }
  return LookupTagName(token);
}

}  // namespace kinloom::gedcom
