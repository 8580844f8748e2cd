// Windows-1252 text turned into UTF-8: ASCII as it is, the Latin-1 bytes and the code page's
// own characters of 0x80 … 0x9F as their UTF-8 sequences, wherever they stand in the text.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace kinloom::platform {
namespace {

TEST(Cp1252ToUtf8Test, ConvertsEveryByteWhereverItStands) {
  EXPECT_EQ(Cp1252ToUtf8(""), "");
  EXPECT_EQ(Cp1252ToUtf8("plain ASCII, \"quoted\" <b>\n"), "plain ASCII, \"quoted\" <b>\n");
  // Letters at the start, in the middle and at the end of ASCII runs, and side by side.
  EXPECT_EQ(Cp1252ToUtf8("\xD8" "deg\xE5rd"), "\xC3\x98" "deg\xC3\xA5rd");
  EXPECT_EQ(Cp1252ToUtf8("Gro\xDF"), "Gro\xC3\x9F");
  EXPECT_EQ(Cp1252ToUtf8("\xE9\xE8"), "\xC3\xA9\xC3\xA8");
  // The code page's own characters, and an undefined byte kept as its C1 control.
  EXPECT_EQ(Cp1252ToUtf8("\x80 \x8C\x9F \x83"), "\xE2\x82\xAC \xC5\x92\xC5\xB8 \xC6\x92");
  EXPECT_EQ(Cp1252ToUtf8("a\x81z"), "a\xC2\x81z");
  EXPECT_EQ(Cp1252ToUtf8(std::string("nul\0byte\xFF", 9)), std::string("nul\0byte\xC3\xBF", 10));
}

}  // namespace
}  // namespace kinloom::platform
