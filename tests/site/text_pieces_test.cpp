#include "site/text_pieces.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace kinloom::site {
namespace {

std::string Printf(const char* format, long long value, int width) {
  char text[64];
  std::snprintf(text, sizeof text, format, width, value);
  return text;
}

std::string PrintfUnsigned(const char* format, unsigned long long value, int width) {
  char text[64];
  std::snprintf(text, sizeof text, format, width, value);
  return text;
}

// The numbers spell as the printf conversions they replace on the page paths: anchors and
// page numbers ("%d", "%li", "%lli"), page numbers in file names ("%x", "%llx"), colours
// ("%06X", "%06lx"), the refresh seconds ("%llu") and the copyright year ("%04d").
TEST(NumberTextTest, SpellsAsPrintfDoes) {
  const long long values[] = {0,          1,         -1,        7,         9,
                              10,         15,        16,        99,        100,
                              255,        4095,      65535,     0xFFFFFF,  0x1000000,
                              123456789,  INT_MAX,   INT_MIN,   -2026,     2026,
                              LLONG_MAX,  LLONG_MIN, -99999,    1LL << 40, -(1LL << 40)};
  for (long long v : values) {
    for (int width : {0, 1, 4, 6, 21}) {
      SCOPED_TRACE("value " + std::to_string(v) + " width " + std::to_string(width));
      EXPECT_EQ(std::string(NumberText::Decimal(v, width)), Printf("%0*lld", v, width));
      const auto u = static_cast<unsigned long long>(v);
      EXPECT_EQ(std::string(NumberText::Hex(u, width)), PrintfUnsigned("%0*llx", u, width));
      EXPECT_EQ(std::string(NumberText::Hex(u, width, true)), PrintfUnsigned("%0*llX", u, width));
    }
    const auto u = static_cast<unsigned long long>(v);
    EXPECT_EQ(std::string(NumberText::UnsignedDecimal(u)), PrintfUnsigned("%*llu", u, 0));
  }
  EXPECT_EQ(std::string(NumberText::UnsignedDecimal(ULLONG_MAX)), "18446744073709551615");
}

TEST(NumberTextTest, PiecesJoinInOrder) {
  EXPECT_EQ(JoinPieces({}), "");
  EXPECT_EQ(JoinPieces({"f", "_", NumberText::Hex(26), ".", "htm", "#", NumberText::Decimal(7)}),
            "f_1a.htm#7");
  std::string out = "<a name=\"";
  AppendPieces(&out, {NumberText::Decimal(-3), "\">", std::string(300, 'x')});
  EXPECT_EQ(out, "<a name=\"-3\">" + std::string(300, 'x'));
}

// Every length up to past the longest short piece is copied whole, and not a byte more.
TEST(NumberTextTest, PiecesOfEveryLengthCopyExactlyTheirBytes) {
  std::string source;
  for (int k = 0; k < 40; ++k) source += static_cast<char>('A' + k);
  for (std::size_t n = 0; n <= 40; ++n) {
    std::string target(48, '.');
    CopyPiece(target.data() + 3, source.data(), n);
    EXPECT_EQ(target, std::string(3, '.') + source.substr(0, n) + std::string(45 - n, '.')) << n;
  }
}

}  // namespace
}  // namespace kinloom::site
