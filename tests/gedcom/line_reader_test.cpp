#include "gedcom/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/gedcom_fixture.h"

namespace kinloom::gedcom {
namespace {

using testing::MemoryFile;

struct Line {
  int level;
  std::string token;
  int code;
  std::string value;
  bool operator==(const Line&) const = default;
};

std::vector<Line> ReadAll(const std::string& text, std::size_t chunk) {
  MemoryFile file(text, chunk);
  LineReader reader(file);
  std::vector<Line> lines;
  for (int level = reader.ReadGedcomLine(false); level != kEndOfInput;
       level = reader.ReadGedcomLine(false)) {
    Line line{level, reader.ReadToken(), 0, ""};
    line.code = reader.LookupTag(line.token);
    line.value = reader.ReadValue();
    lines.push_back(line);
    if (lines.size() > 100) break;  // a reader that never ends
  }
  return lines;
}

TEST(LineReaderTest, EveryLineEndReadsTheSameAtEveryChunkSize) {
  const std::string lf = "0 @I1@ INDI\n1 NAME  Ann /Lee/\n1 BIRTH\n2 DATE 1 MAY 1900\n0 TRLR";
  const std::vector<Line> expected = {{0, "@I1@", 69, "INDI"},
                                      {1, "NAME", 78, " Ann /Lee/"},
                                      {1, "BIRTH", 19, ""},
                                      {2, "DATE", 42, "1 MAY 1900"},
                                      {0, "TRLR", 125, ""}};
  std::string crlf, cr;
  for (char c : lf) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  for (std::size_t chunk : {1u, 2u, 3u, 7u, 4096u}) {
    EXPECT_EQ(ReadAll(lf, chunk), expected) << "LF, chunk " << chunk;
    EXPECT_EQ(ReadAll(crlf, chunk), expected) << "CR LF, chunk " << chunk;
    EXPECT_EQ(ReadAll(cr, chunk), expected) << "CR, chunk " << chunk;
    EXPECT_EQ(ReadAll(crlf + "\r\n", chunk), expected) << "final CR LF, chunk " << chunk;
  }
}

// The line end is found sixteen bytes at a time: lines of every length up to past two such
// blocks, each kind of line end after each length, read as they were written.
TEST(LineReaderTest, LineEndsAtEveryPlaceOfABlockOfBytes) {
  const char* ends[] = {"\n", "\r\n", "\r"};
  std::string text;
  std::vector<Line> expected;
  for (std::size_t n = 0; n <= 40; ++n) {
    const std::string value(n, static_cast<char>('a' + n % 26));
    text += "1 NOTE " + value + ends[n % 3];
    expected.push_back({1, "NOTE", kTagNote, value});
  }
  EXPECT_EQ(ReadAll(text, 4096), expected);
  EXPECT_EQ(ReadAll(text, 5), expected);
}

TEST(LineReaderTest, PeekDeliversTheSameLineAgain) {
  MemoryFile file("0 HEAD\n1 CHAR ANSI\n");
  LineReader reader(file);
  EXPECT_EQ(reader.ReadGedcomLine(true), 0);
  EXPECT_EQ(reader.line(), "0 HEAD");
  EXPECT_EQ(reader.ReadGedcomLine(false), 0);
  EXPECT_EQ(reader.line(), "0 HEAD");
  EXPECT_EQ(reader.ReadGedcomLine(true), 1);
  EXPECT_EQ(reader.ReadGedcomLine(true), 1);
  EXPECT_EQ(reader.ReadGedcomLine(false), 1);
  EXPECT_EQ(reader.ReadToken(), "CHAR");
  EXPECT_EQ(reader.ReadGedcomLine(true), kEndOfInput);
  EXPECT_EQ(reader.ReadGedcomLine(false), kEndOfInput);
}

TEST(LineReaderTest, LevelsTokensAndValuesAtTheEdges) {
  const std::vector<Line> lines =
      ReadAll("10 NAME x\n\n   \nNAME without level\n  2 CONT\n1 birt\n3 SEX   M\n", 5);
  ASSERT_EQ(lines.size(), 7u);
  // Two digits: the token is taken one character too early and comes out empty.
  EXPECT_EQ(lines[0].level, 10);
  EXPECT_EQ(lines[0].token, "");
  EXPECT_EQ(lines[1].level, kNoLevel);  // blank line
  EXPECT_EQ(lines[2].level, kNoLevel);  // blanks only
  EXPECT_EQ(lines[3].level, kNoLevel);
  // Leading blanks before the level are skipped.
  EXPECT_EQ(lines[4], (Line{2, "CONT", 36, ""}));
  EXPECT_EQ(lines[5].code, 0);  // tags are case-sensitive
  EXPECT_EQ(lines[6].value, "  M");
}

TEST(LineReaderTest, LongLinesAreReadWhole) {
  const std::string value(20000, 'n');
  const std::vector<Line> lines = ReadAll("1 NOTE " + value + "\r\n1 CONT end\r\n", 8096);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].value, value);
  EXPECT_EQ(lines[1].value, "end");
}

// Names of up to eight bytes and longer ones are found alike; a name that only begins or ends
// like a tag, or differs in case, is no tag.
TEST(LookupTagTest, ShortAndLongNamesAndNearMisses) {
  EXPECT_EQ(LookupTagName("NOTE"), kTagNote);
  EXPECT_EQ(LookupTagName("SNOTE"), kTagNote);
  EXPECT_EQ(LookupTagName("MARRIAGE"), LookupTagName("MARR"));
  EXPECT_EQ(LookupTagName("CHRISTENING"), LookupTagName("CHR"));
  EXPECT_NE(LookupTagName("CHR"), kTagUnknown);
  for (std::string_view miss : std::initializer_list<std::string_view>{
           "", "N", "NOT", "NOTES", "note", "MARRIAGES", "CHRISTENINGS",
           std::string_view("NOTE\0", 5), "_CUSTOM", "\xff\xff\xff\xff\xff\xff\xff\xff"})
    EXPECT_EQ(LookupTagName(miss), kTagUnknown) << miss;
}

TEST(LookupTagTest, RecordKeywordsShortAndLongForms) {
  const std::vector<Line> lines = ReadAll(
      "0 @I1@ INDI\n0 @F1@ FAMILY\n0 @N1@ NOTE some text\n0 @S1@ SOUR\n0 @R1@ REPO\n"
      "0 @U1@ SUBM\n0 @X1@ _CUSTOM with INDI inside\n0 @N2@NOTE\n",
      4096);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0].code, 69);
  EXPECT_EQ(lines[1].code, 55);
  EXPECT_EQ(lines[2].code, 84);
  EXPECT_EQ(lines[2].value, "NOTE some text");
  EXPECT_EQ(lines[3].code, 113);
  EXPECT_EQ(lines[4].code, 103);
  EXPECT_EQ(lines[5].code, 0);
  EXPECT_EQ(lines[6].code, 69);  // found anywhere in the line
  EXPECT_EQ(lines[7].code, 84);
  EXPECT_EQ(LookupTagName("BIRTH"), 19);
  EXPECT_EQ(LookupTagName("BIRT"), 19);
  EXPECT_EQ(LookupTagName("birt"), 0);
  EXPECT_EQ(LookupTagName("CONTINUED"), 36);
  EXPECT_EQ(LookupTagName("BAPTISM-LDS"), 15);
  EXPECT_EQ(LookupTagName("WILL"), 129);
  EXPECT_EQ(LookupTagName("ABBR"), 1);
  EXPECT_EQ(LookupTagName(""), 0);
}

TEST(ExtractXrefTest, TheIdBetweenTheFirstTwoAtSigns) {
  EXPECT_EQ(ExtractXref("@I12@"), "I12");
  EXPECT_EQ(ExtractXref("x @F3@ y @F4@"), "F3");
  EXPECT_EQ(ExtractXref("no sign"), "");
  EXPECT_EQ(ExtractXref("@open"), "open");
  EXPECT_EQ(ExtractXref("@@"), "");
}

}  // namespace
}  // namespace kinloom::gedcom
