// The line reader over files in every encoding: the encoding is recognised from the start of
// the file, the text is decoded before lines are split, and malformed bytes become U+FFFD.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/line_reader.h"

namespace kinloom::gedcom {
namespace {

// A file that hands out its bytes `chunk` at a time, as a slow device would.
class MemoryFile : public platform::InputFile {
 public:
  MemoryFile(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
  int Read(char* buffer, std::size_t size, std::size_t* got) override {
    std::size_t n = std::min({size, chunk_, bytes_.size() - position_});
    bytes_.copy(buffer, n, position_);
    position_ += n;
    *got = n;
    return 0;
  }
  int Close() override { return 0; }

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t position_ = 0;
};

struct Line {
  int level;
  std::string token, value;
  bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Line& l) {
  return os << l.level << " [" << l.token << "] [" << l.value << "]";
}

std::vector<Line> ReadAll(const std::string& bytes, std::size_t chunk,
                          SourceEncoding* encoding = nullptr) {
  MemoryFile file(bytes, chunk);
  LineReader reader(file);
  std::vector<Line> lines;
  for (int level = reader.ReadGedcomLine(false); level != kEndOfInput;
       level = reader.ReadGedcomLine(false)) {
    std::string token = reader.ReadToken();
    lines.push_back({level, token, reader.ReadValue()});
  }
  if (encoding) *encoding = reader.encoding();
  return lines;
}

std::string Utf16Le(const std::u16string& text, bool mark) {
  std::string out = mark ? "\xFF\xFE" : "";
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

std::string Utf16Be(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    out += static_cast<char>(c >> 8);
    out += static_cast<char>(c & 0xFF);
  }
  return out;
}

const std::vector<Line> kUnicodeLines = {{0, "HEAD", ""},
                                         {1, "CHAR", "UNICODE"},
                                         {0, "@I1@", "INDI"},
                                         {1, "NAME", "Zo\xC3\xAB /Bront\xC3\xAB/"},
                                         {2, "PLAC", "\xE5\x8C\x97\xE4\xBA\xAC \xF0\x9F\x98\x80"}};

TEST(LineReaderEncodingTest, Utf16IsDecodedBeforeLinesAreSplit) {
  const std::u16string text =
      u"0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n1 NAME Zo\u00EB /Bront\u00EB/\r\n"
      u"2 PLAC \u5317\u4EAC \U0001F600\r\n";
  // Whole blocks, and blocks that split every character and the CR LF pairs.
  for (std::size_t chunk : {std::size_t{1} << 20, std::size_t{1}, std::size_t{3}}) {
    SourceEncoding encoding;
    EXPECT_EQ(ReadAll(Utf16Le(text, true), chunk, &encoding), kUnicodeLines) << chunk;
    EXPECT_EQ(encoding, SourceEncoding::kUtf16Le);
    EXPECT_EQ(ReadAll(Utf16Le(text, false), chunk, &encoding), kUnicodeLines) << chunk;
    EXPECT_EQ(ReadAll(Utf16Be(text), chunk, &encoding), kUnicodeLines) << chunk;
    EXPECT_EQ(encoding, SourceEncoding::kUtf16Be);
  }
}

TEST(LineReaderEncodingTest, Utf8AnselAndWindows1252Text) {
  SourceEncoding encoding;
  // The byte-order mark does not reach the first line.
  EXPECT_EQ(
      ReadAll("\xEF\xBB\xBF"
              "0 HEAD\n1 CHAR UTF-8\n1 NAME Bront\xC3\xAB\n",
              2, &encoding),
      (std::vector<Line>{{0, "HEAD", ""}, {1, "CHAR", "UTF-8"}, {1, "NAME", "Bront\xC3\xAB"}}));
  EXPECT_EQ(encoding, SourceEncoding::kUtf8);
  // ANSEL: the acute before its letter becomes one precomposed character.
  EXPECT_EQ(
      ReadAll("0 HEAD\n1 CHAR ANSEL\n1 NAME Ren\xE2"
              "e /\xA1ukasz/\n",
              1 << 20, &encoding),
      (std::vector<Line>{
          {0, "HEAD", ""}, {1, "CHAR", "ANSEL"}, {1, "NAME", "Ren\xC3\xA9 /\xC5\x81ukasz/"}}));
  EXPECT_EQ(encoding, SourceEncoding::kAnsel);
  // Windows-1252 bytes pass unchanged; so does a file without a CHAR line.
  EXPECT_EQ(ReadAll("0 HEAD\n1 CHAR ANSI\n1 NAME Br\xEBnte \x80\n", 5, &encoding).back(),
            (Line{1, "NAME", "Br\xEBnte \x80"}));
  EXPECT_EQ(encoding, SourceEncoding::kWindows1252);
  EXPECT_EQ(ReadAll("0 HEAD\n1 NAME Br\xEBnte\n", 5, &encoding).back(),
            (Line{1, "NAME", "Br\xEBnte"}));
  EXPECT_EQ(encoding, SourceEncoding::kWindows1252);
}

TEST(LineReaderEncodingTest, MalformedBytesKeepTheirLettersOrBecomeReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  // Bytes that are not valid UTF-8, a sequence cut off by the end of the file included, are
  // read as the Windows-1252 letters they stand for: \xFF ÿ, \xC3 Ã, \xE2 â, \x82 ‚.
  EXPECT_EQ(ReadAll("0 HEAD\n1 CHAR UTF-8\n1 NAME A\xFF"
                    "B\xC3\n1 NOTE x\xE2\x82",
                    1),
            (std::vector<Line>{{0, "HEAD", ""},
                               {1, "CHAR", "UTF-8"},
                               {1, "NAME",
                                "A\xC3\xBF"
                                "B\xC3\x83"},
                               {1, "NOTE", "x\xC3\xA2\xE2\x80\x9A"}}));
  // UTF-16 with an odd byte count: the lone last byte becomes one replacement character.
  std::string odd = Utf16Le(u"0 HEAD\r\n1 NAME Ann", true) + "X";
  EXPECT_EQ(ReadAll(odd, 4).back(), (Line{1, "NAME", "Ann" + fffd}));
  // A lone surrogate in UTF-16.
  EXPECT_EQ(ReadAll(Utf16Le(u"0 HEAD\n1 NAME A\xD800"
                            u"B\n",
                            true),
                    1 << 20)
                .back(),
            (Line{1, "NAME", "A" + fffd + "B"}));
  // ANSEL: a diacritic with no letter after it on its line, or at the end of the file,
  // stands on its own; an unassigned byte is replaced.
  EXPECT_EQ(ReadAll("0 HEAD\n1 CHAR ANSEL\n1 NAME Ren\xE2\r\n1 NOTE \xAF\xE8", 1),
            (std::vector<Line>{{0, "HEAD", ""},
                               {1, "CHAR", "ANSEL"},
                               {1, "NAME", "Ren\xCC\x81"},
                               {1, "NOTE", fffd + "\xCC\x88"}}));
}

}  // namespace
}  // namespace kinloom::gedcom
