#include <gtest/gtest.h>

#include <string>

#include "lang/ui_text.h"

namespace kinloom::lang {
namespace {

// Texts are formatted in one pass when short and in two when long: every length around the
// switch, and texts with NUL-free binary bytes, come out whole.
TEST(FormatTextTest, ShortAndLongTextsComeOutWhole) {
  for (std::size_t n : {0u, 1u, 510u, 511u, 512u, 513u, 9000u}) {
    const std::string body(n, 'x');
    const std::string out = FormatText("<%s>%d", body.c_str(), 7);
    EXPECT_EQ(out, "<" + body + ">7") << n;
  }
  EXPECT_EQ(FormatText("%s", ""), "");
  EXPECT_EQ(FormatText("\xA9 %s \xE9", "a"), "\xA9 a \xE9");
}

}  // namespace
}  // namespace kinloom::lang
