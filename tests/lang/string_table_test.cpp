#include "lang/string_table.h"

#include <gtest/gtest.h>

namespace kinloom::lang {
namespace {

TEST(StringTableTest, ParsesQuotedTextsWithEscapesAndConvertsToCp1252) {
  StringTable t;
  std::string error;
  ASSERT_TRUE(t.Parse("# comment\n\n2001 \"a\\tb\\n\\\"c\\\" \\\\\"\r\n12430 \"l'adresse \xc3\xa9\"\n",
                      &error))
      << error;
  EXPECT_EQ(t.Text(2001), "a\tb\n\"c\" \\");
  EXPECT_EQ(t.Text(12430), "l'adresse \xe9");
  EXPECT_EQ(t.Text(9999), "");
}

TEST(StringTableTest, RejectsMalformedLinesWithTheirLineNumber) {
  std::string error;
  StringTable a;
  EXPECT_FALSE(a.Parse("1 \"ok\"\n2 unquoted\n", &error));
  EXPECT_EQ(error, "line 2: expected a quoted text");
  StringTable b;
  EXPECT_FALSE(b.Parse("1 \"x\"\n1 \"y\"\n", &error));
  EXPECT_EQ(error, "line 2: string 1 defined twice with different texts");
  StringTable c;
  EXPECT_FALSE(c.Parse("1 \"never closed\n", &error));
}

TEST(StringTableTest, EmbeddedTableLoads) {
  EXPECT_EQ(StringTable::Instance().Text(102), "0123456789");
}

}  // namespace
}  // namespace kinloom::lang
