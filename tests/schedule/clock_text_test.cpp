#include "schedule/clock_text.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

LocalTime At(int hour, int minute, int second, int millisecond = 0) {
    return {2026, 12, 6, hour, minute, second, millisecond};
}

TEST(ClockText, IsTwentyFourHourWithLeadingZeros) {
    EXPECT_EQ(ClockText(At(4, 30, 25)).view(), "04:30:25");
    EXPECT_EQ(ClockText(At(16, 5, 9)).view(), "16:05:09");
    EXPECT_EQ(ClockText(At(0, 0, 0)).view(), "00:00:00");
    EXPECT_EQ(ClockText(At(23, 59, 59)).view(), "23:59:59");
}

// The next tick lands just past the next second boundary; the first one also
// waits half a second at least, so the placeholder is seen for about a second.
TEST(ClockText, TicksLandJustAfterASecondBoundary) {
    for (int millisecond = 0; millisecond < 1000; ++millisecond) {
        const auto next = millisecond + NextTickDelay(At(4, 30, 25, millisecond)).count();
        EXPECT_GT(next, 1000) << millisecond;
        EXPECT_LE(next, 1020) << millisecond;
        const auto first = FirstTickDelay(At(4, 30, 25, millisecond)).count();
        EXPECT_GE(first, 500) << millisecond;
        EXPECT_LE(first, 1500) << millisecond;
        EXPECT_GT((millisecond + first) % 1000, 0) << millisecond;
        EXPECT_LE((millisecond + first) % 1000, 20) << millisecond;
    }
}

TEST(LocalTime, CountsSecondsAcrossMidnightAndMonthEnds) {
    EXPECT_EQ(LocalSeconds({1970, 1, 1, 0, 0, 0, 0}), 0);
    EXPECT_EQ(LocalSeconds({2026, 12, 7, 0, 0, 0, 0}) - LocalSeconds({2026, 12, 6, 23, 59, 59, 0}),
              1);
    EXPECT_EQ(LocalSeconds({2024, 3, 1, 0, 0, 0, 0}) - LocalSeconds({2024, 2, 29, 0, 0, 0, 0}),
              kSecondsPerDay);
    EXPECT_EQ(LocalSeconds({2027, 1, 1, 0, 0, 0, 0}) - LocalSeconds({2026, 12, 31, 23, 59, 59, 0}),
              1);
}

}  // namespace
}  // namespace kalvoro
