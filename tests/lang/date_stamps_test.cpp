#include "lang/date_stamps.h"

#include <gtest/gtest.h>

namespace kinloom::lang {
namespace {

constexpr std::time_t kMoment = 1796606625;  // 2026-12-07 01:23:45 UTC

TEST(DateStampsTest, AllNineLanguagesOfOneMoment) {
  int reads = 0;
  DateStamps stamps = MakeDateStamps([&] {
    ++reads;
    return kMoment;
  });
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(stamps[0], "12.07.2026 at 01:23:45 GMT ");
  EXPECT_EQ(stamps[1], "07.12.2026 um  01:23:45 MEZ ");
  EXPECT_EQ(stamps[2], "07.12.2026 um 01:23:45 MEZ ");
  EXPECT_EQ(stamps[3], "07.12.2026 om 01:23:45 GMT ");
  EXPECT_EQ(stamps[4], "07.12.2026 a las GMT 01:23:45 ");
  EXPECT_EQ(stamps[5], "07.12.2026 - 01:23:45 GMT ");
  EXPECT_EQ(stamps[6], "07.12.2026 kl 01:23:45 GMT ");
  EXPECT_EQ(stamps[7], "07.12.2026 alle 01:23:45 GMT ");
  EXPECT_EQ(stamps[8], "07/12/2026 \xE0s 01:23:45 GMT ");
}

TEST(DateStampsTest, UtcWhateverTheLocalZone) {
  // Midnight UTC on 1 January: a local-time conversion east or west would change the day.
  DateStamps stamps = MakeDateStampsAt(1767225600);  // 2026-01-01 00:00:00 UTC
  EXPECT_EQ(stamps[0], "01.01.2026 at 00:00:00 GMT ");
  EXPECT_EQ(stamps[2], "01.01.2026 um 00:00:00 MEZ ");
}

TEST(DateStampsTest, SystemClockGivesNineStampsEndingInABlank) {
  DateStamps stamps = MakeDateStamps();
  for (const std::string& stamp : stamps) {
    ASSERT_FALSE(stamp.empty());
    EXPECT_EQ(stamp.back(), ' ');
    EXPECT_LT(stamp.size(), 128u);
  }
}

}  // namespace
}  // namespace kinloom::lang
