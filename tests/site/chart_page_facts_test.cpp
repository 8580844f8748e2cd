// The page facts of the chart pages: items per page, numbered page files, where an item lies
// and the page titles.
#include <gtest/gtest.h>

#include <climits>

#include "site/page_facts.h"

namespace kinloom::site {
namespace {

TEST(ChartPageFactsTest, ItemsPerPageCountsZeroAsOneAndStaysPositive) {
  EXPECT_EQ(ItemsPerPage(0), 1);
  EXPECT_EQ(ItemsPerPage(1), 1);
  EXPECT_EQ(ItemsPerPage(25), 25);
  EXPECT_EQ(ItemsPerPage(0x80000000u), INT_MAX);
  EXPECT_EQ(ItemsPerPage(0xFFFFFFFFu), INT_MAX);
}

TEST(ChartPageFactsTest, NumberedPageFilesCountInLowerCaseHexadecimal) {
  EXPECT_EQ(NumberedPageFile("d", 0, "htm"), "d_0.htm");
  EXPECT_EQ(NumberedPageFile("fk", 10, "html"), "fk_a.html");
  EXPECT_EQ(NumberedPageFile("e", 31, "htm"), "e_1f.htm");
  EXPECT_EQ(NumberedPageFile("tp", 256, "htm"), "tp_100.htm");
}

TEST(ChartPageFactsTest, AnItemLiesOnItsPageAtItsPlace) {
  EXPECT_EQ(PageOfItem(0, 10), 0);
  EXPECT_EQ(PlaceOnPage(0, 10), 0);
  EXPECT_EQ(PageOfItem(37, 10), 3);
  EXPECT_EQ(PlaceOnPage(37, 10), 7);
  EXPECT_EQ(PageOfItem(9, 10), 0);
  EXPECT_EQ(PlaceOnPage(9, 10), 9);
  EXPECT_EQ(ItemTarget("k", 37, 10, "htm"), "k_3.htm#7");
  EXPECT_EQ(ItemTarget("e", 165, 10, "html"), "e_10.html#5");
  EXPECT_EQ(ItemTarget("e", 4, 1, "htm"), "e_4.htm#0");
}

TEST(ChartPageFactsTest, ChartTitlesCountPagesFromOne) {
  EXPECT_EQ(ChartPageTitle("Descendants", 0, "of the file"), "Descendants 1 of the file");
  EXPECT_EQ(ChartPageTitle("Ped", 15, "(X)"), "Ped 16 (X)");
  // Empty page texts keep their blanks.
  EXPECT_EQ(ChartPageTitle("", 1, ""), " 2 ");
  EXPECT_EQ(ExtendedChartPageTitle("Descendants", "Extended", 0, "of the file"),
            "Descendants Extended 1 of the file");
  EXPECT_EQ(ExtendedChartPageTitle("A", "", 2, "B"), "A  3 B");
}

}  // namespace
}  // namespace kinloom::site
