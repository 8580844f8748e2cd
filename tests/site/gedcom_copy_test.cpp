#include "site/gedcom_copy.h"

#include <gtest/gtest.h>

#include <string>

namespace kinloom::site {
namespace {

using gedcom::SourceEncoding;

// Feeds `bytes` in chunks of `chunk` bytes and returns the whole output.
std::string Filter(SourceEncoding encoding, const WithheldRecords& withheld,
                   const std::string& bytes, std::size_t chunk) {
  PrivacyFilter filter(encoding, withheld);
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += chunk)
    filter.Feed(std::string_view(bytes).substr(i, chunk), false, &out);
  filter.Feed({}, true, &out);
  return out;
}

WithheldRecords Living() {
  WithheldRecords w;
  w.individuals = {"I1"};
  w.families = {"F1"};
  return w;
}

// One living individual and a family of hers, and a dead man with the same kinds of lines.
// `end` is the line end; the last line has none.
std::string Sample(const std::string& end, bool withheld_lines) {
  std::string s = "0 HEAD" + end + "0 @I1@ INDI" + end + "1 NAME Ann /Lee/" + end + "1 BIRTH" + end;
  if (withheld_lines) s += "2 DATE 12 MAR 1961" + end + "3 TIME 10:00" + end;
  s += "2 PLAC Leeds" + end + "1 BAPM" + end;
  if (withheld_lines) s += "2 DATE 1962" + end;
  s += "1 DEAT Y" + end + "2 DATE 2020" + end + "0 @I2@ INDI" + end + "1 BIRT" + end +
       "2 DATE 1900" + end + "0 @F1@ FAM" + end + "1 MARR" + end;
  if (withheld_lines) s += "2 DATE 1980" + end;
  s += "2 PLAC Hull" + end + "1 NOTE 2 DATE 1999" + end + "0 @F2@ FAM" + end + "1 MARR" + end +
       "2 DATE 1930" + end + "0 TRLR";
  return s;
}

std::string Utf16(const std::string& ascii, bool little_endian) {
  std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : ascii) {
    if (little_endian) {
      out += c;
      out += '\0';
    } else {
      out += '\0';
      out += c;
    }
  }
  return out;
}

TEST(PrivacyFilter, LeavesOutTheWithheldDatesAndKeepsEveryOtherByteWhateverTheChunks) {
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    for (std::size_t chunk : {1u, 2u, 7u, 4096u}) {
      SCOPED_TRACE(::testing::Message() << "chunk " << chunk << ", end " << end.size());
      EXPECT_EQ(Filter(SourceEncoding::kWindows1252, Living(), Sample(end, true), chunk),
                Sample(end, false));
    }
  }
}

TEST(PrivacyFilter, Utf16KeepsItsByteOrderMarkAndUnits) {
  for (bool little : {true, false}) {
    SCOPED_TRACE(little ? "little-endian" : "big-endian");
    const SourceEncoding encoding = little ? SourceEncoding::kUtf16Le : SourceEncoding::kUtf16Be;
    for (std::size_t chunk : {1u, 3u, 4096u}) {
      EXPECT_EQ(Filter(encoding, Living(), Utf16(Sample("\r\n", true), little), chunk),
                Utf16(Sample("\r\n", false), little));
    }
  }
}

TEST(PrivacyFilter, NothingWithheldLeavesTheFileAsItIs) {
  const std::string text = Sample("\r\n", true) + "\r\n\r\n  junk without a level\n\x1A";
  EXPECT_EQ(Filter(SourceEncoding::kUtf8, WithheldRecords{}, "\xEF\xBB\xBF" + text, 5),
            "\xEF\xBB\xBF" + text);
}

TEST(PrivacyFilter, IdsAreMatchedWholeAndOnlyForTheirRecordKind) {
  // "I1" withheld must not touch "I10", nor a family that happens to be called I1.
  const std::string text =
      "0 @I10@ INDI\n1 BIRT\n2 DATE 1970\n0 @I1@ FAM\n1 MARR\n2 DATE 1990\n0 TRLR\n";
  EXPECT_EQ(Filter(SourceEncoding::kWindows1252, Living(), text, 4096), text);
}

// Lines of printable ASCII and lines with other bytes (accented values, a tab before the
// level) side by side, in each 8-bit encoding: the withheld dates go whichever kind of line
// holds them, and every other byte stays.
TEST(PrivacyFilter, LinesWithOtherBytesAreReadLikePlainOnes) {
  const std::string kept_head = "0 HEAD\n0 @I1@ INDI\n1 NAME Zo\xC3\xAB /Lee/\n1 BIRT\n";
  const std::string withheld = "\t2 DATE 12 M\xC3\xA4R 1961\n3 TIME 10:00 \xE2\x80\x94 noon\n";
  const std::string kept_tail =
      "2 PLAC K\xC3\xB6ln\n\t1 CHR\n2 DATE 1962\n0 @I2@ INDI\n1 BIRT\n2 DATE 1900 \xE9t\xE9\n0 TRLR\n";
  const std::string tail_kept = "2 PLAC K\xC3\xB6ln\n\t1 CHR\n0 @I2@ INDI\n1 BIRT\n2 DATE 1900 \xE9t\xE9\n0 TRLR\n";
  for (SourceEncoding encoding :
       {SourceEncoding::kWindows1252, SourceEncoding::kUtf8, SourceEncoding::kAnsel}) {
    for (std::size_t chunk : {1u, 5u, 17u, 4096u}) {
      SCOPED_TRACE(::testing::Message() << "encoding " << static_cast<int>(encoding) << ", chunk "
                                        << chunk);
      EXPECT_EQ(Filter(encoding, Living(), kept_head + withheld + kept_tail, chunk),
                kept_head + tail_kept);
    }
  }
}

}  // namespace
}  // namespace kinloom::site
