#include "gedcom/encoding.h"

#include <gtest/gtest.h>

namespace kinloom::gedcom {
namespace {

std::string DecodeAll(SourceEncoding e, std::string_view bytes) {
  InputDecoder d(e);
  std::string out;
  d.Decode(bytes, true, &out);
  return out;
}

// Feeds the bytes one at a time, as a reader whose blocks split every character would.
std::string DecodeBytewise(SourceEncoding e, std::string_view bytes) {
  InputDecoder d(e);
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) d.Decode(bytes.substr(i, 1), false, &out);
  d.Decode({}, true, &out);
  return out;
}

TEST(DetectEncodingTest, ByteOrderMarksAndCharLines) {
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF"
                           "0 HEAD\n1 CHAR ANSEL\n"),
            SourceEncoding::kUtf8);
  EXPECT_EQ(DetectEncoding(std::string_view("\xFF\xFE"
                                            "0\0",
                                            4)),
            SourceEncoding::kUtf16Le);
  EXPECT_EQ(DetectEncoding(std::string_view("\xFE\xFF"
                                            "\0"
                                            "0",
                                            4)),
            SourceEncoding::kUtf16Be);
  EXPECT_EQ(DetectEncoding(std::string_view("0\0 \0H\0", 6)), SourceEncoding::kUtf16Le);
  EXPECT_EQ(DetectEncoding("0 HEAD\r\n1 SOUR X\r\n1 CHAR utf8\r\n"), SourceEncoding::kUtf8);
  EXPECT_EQ(DetectEncoding("0 HEAD\n1 CHAR UTF-8\n"), SourceEncoding::kUtf8);
  EXPECT_EQ(DetectEncoding("0 HEAD\n1 CHAR ANSEL\n"), SourceEncoding::kAnsel);
  EXPECT_EQ(DetectEncoding("0 HEAD\n1 CHAR IBMPC\n"), SourceEncoding::kWindows1252);
  EXPECT_EQ(DetectEncoding("0 HEAD\n1 CHAR IBM WINDOWS\n"), SourceEncoding::kWindows1252);
  EXPECT_EQ(DetectEncoding("0 HEAD\n1 CHAR ANSI\n"), SourceEncoding::kWindows1252);
  // A CHAR line outside the header (after the next record) does not count.
  EXPECT_EQ(DetectEncoding("0 HEAD\n0 @I1@ INDI\n1 CHAR UTF-8\n"), SourceEncoding::kWindows1252);
  EXPECT_EQ(DetectEncoding(""), SourceEncoding::kWindows1252);
  // A UNICODE CHAR line that reads as 8-bit text is in an 8-bit file: UTF-8, not UTF-16.
  EXPECT_EQ(DetectEncoding("0 HEAD\n1 CHAR UNICODE\n"), SourceEncoding::kUtf8);
  EXPECT_EQ(TextEncodingFor(SourceEncoding::kAnsel), platform::TextEncoding::kUtf8);
  EXPECT_EQ(TextEncodingFor(SourceEncoding::kWindows1252), platform::TextEncoding::kWindows1252);
  EXPECT_EQ(SiteEncodingFor(SourceEncoding::kUtf16Be), SiteEncoding::kUtf8);
  EXPECT_EQ(SiteEncodingFor(SourceEncoding::kAnsel), SiteEncoding::kWindows1252);
}

TEST(InputDecoderTest, Utf8KeepsValidTextDropsTheMarkAndReadsStrayBytesAsWindows1252) {
  EXPECT_EQ(DecodeAll(SourceEncoding::kUtf8,
                      "\xEF\xBB\xBF"
                      "Bront\xC3\xAB"),
            "Bront\xC3\xAB");
  EXPECT_EQ(DecodeBytewise(SourceEncoding::kUtf8,
                           "\xEF\xBB\xBF"
                           "a\xE2\x82\xAC"
                           "b"),
            "a\xE2\x82\xAC"
            "b");
  // A lone continuation byte, an overlong form, a surrogate and a truncated tail: each of
  // their bytes is the Windows-1252 letter it stands for (\x80 is the euro sign).
  const std::string bad =
      "a\x80"
      "b\xC0\xAF"
      "c\xED\xA0\x80"
      "d\xE2\x82";
  const std::string read =
      "a\xE2\x82\xAC"
      "b\xC3\x80\xC2\xAF"
      "c\xC3\xAD\xC2\xA0\xE2\x82\xAC"
      "d\xC3\xA2\xE2\x80\x9A";
  EXPECT_EQ(DecodeAll(SourceEncoding::kUtf8, bad), read);
  EXPECT_EQ(DecodeBytewise(SourceEncoding::kUtf8, bad), read);
  // The decoder counts such bytes and knows the line of the first.
  InputDecoder decoder(SourceEncoding::kUtf8);
  std::string out;
  decoder.Decode(
      "0 HEAD\n1 NAME Jos\xC3\xA9\n1 NAME Jos\xE9 N\xFA\xF1"
      "ez\n",
      true, &out);
  EXPECT_EQ(out,
            "0 HEAD\n1 NAME Jos\xC3\xA9\n1 NAME Jos\xC3\xA9 N\xC3\xBA\xC3\xB1"
            "ez\n");
  EXPECT_EQ(decoder.stray_bytes(), 3);
  EXPECT_EQ(decoder.first_stray_line(), 3);
  InputDecoder clean(SourceEncoding::kUtf8);
  clean.Decode("Bront\xC3\xAB\n", true, &out);
  EXPECT_EQ(clean.stray_bytes(), 0);
  EXPECT_EQ(clean.first_stray_line(), 0);
}

TEST(InputDecoderTest, Utf16BothByteOrdersSurrogatesAndOddLength) {
  const std::string le(
      "\xFF\xFE"
      "A\0\xE9\0=\xD8\x00\xDE",
      10);  // A é U+1F600
  EXPECT_EQ(DecodeAll(SourceEncoding::kUtf16Le, le), "A\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeBytewise(SourceEncoding::kUtf16Le, le), "A\xC3\xA9\xF0\x9F\x98\x80");
  const std::string be("\xFE\xFF\0A\0\xE9", 6);
  EXPECT_EQ(DecodeAll(SourceEncoding::kUtf16Be, be), "A\xC3\xA9");
  // An odd byte count ends in one replacement character; a lone low surrogate too.
  EXPECT_EQ(DecodeAll(SourceEncoding::kUtf16Le, std::string("A\0B", 3)), "A\xEF\xBF\xBD");
  EXPECT_EQ(DecodeAll(SourceEncoding::kUtf16Le, std::string("\x00\xDC"
                                                            "A\0",
                                                            4)),
            "\xEF\xBF\xBD"
            "A");
}

TEST(InputDecoderTest, AnselCombiningMarksPrecedeAndComposeWithTheirLetter) {
  // e acute, A ring, c cedilla, s caron; the mark comes before the letter in ANSEL.
  EXPECT_EQ(DecodeAll(SourceEncoding::kAnsel,
                      "\xE2"
                      "e \xEA"
                      "A \xF0"
                      "c \xE9"
                      "s"),
            "\xC3\xA9 \xC3\x85 \xC3\xA7 \xC5\xA1");
  EXPECT_EQ(DecodeBytewise(SourceEncoding::kAnsel,
                           "Ren\xE2"
                           "e"),
            "Ren\xC3\xA9");
  // Spacing characters: Polish L stroke, AE ligature, sharp s, pound sign.
  EXPECT_EQ(DecodeAll(SourceEncoding::kAnsel, "\xA1\xA5\xCF\xB9"),
            "\xC5\x81\xC3\x86\xC3\x9F\xC2\xA3");
  // Two marks on one letter: the composable one joins it, the other follows as a mark.
  EXPECT_EQ(DecodeAll(SourceEncoding::kAnsel,
                      "\xE2\xF2"
                      "a"),
            "\xE1\xBA\xA1\xCC\x81");
  // A diacritic with nothing after it, at the end of a line and at the end of the input.
  EXPECT_EQ(DecodeAll(SourceEncoding::kAnsel, "x\xE2\ny\xE8"), "x\xCC\x81\ny\xCC\x88");
  // Unassigned bytes become replacement characters.
  EXPECT_EQ(DecodeAll(SourceEncoding::kAnsel, "\xAF\x90"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(InputDecoderTest, Windows1252PassesThroughUnchanged) {
  EXPECT_EQ(DecodeAll(SourceEncoding::kWindows1252, "Br\xEBnte \x80"), "Br\xEBnte \x80");
}

TEST(SiteTextTest, Windows1252SitesGetReferencesForWhatTheCodePageLacks) {
  EXPECT_EQ(Utf8ToSiteText("Bront\xC3\xAB \xE2\x82\xAC \xC5\x81"
                           "\xC2\x81",
                           SiteEncoding::kWindows1252),
            "Bront\xEB \x80 &#321;&#129;");
  EXPECT_EQ(Utf8ToSiteText("\xC5\x81", SiteEncoding::kUtf8), "\xC5\x81");
  EXPECT_EQ(ProgramTextToSite("KINLOOM\xA9", SiteEncoding::kUtf8), "KINLOOM\xC2\xA9");
  EXPECT_EQ(ProgramTextToSite("KINLOOM\xA9", SiteEncoding::kWindows1252), "KINLOOM\xA9");
  EXPECT_EQ(CharsetMetaTag(SiteEncoding::kUtf8),
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
}

}  // namespace
}  // namespace kinloom::gedcom
