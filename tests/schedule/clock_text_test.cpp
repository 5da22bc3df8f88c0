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

TEST(ClockText, NextTickLandsJustAfterTheNextSecondBoundary) {
    for (int millisecond = 0; millisecond < 1000; ++millisecond) {
        const auto landing = millisecond + NextTickDelay(At(4, 30, 25, millisecond)).count();
        EXPECT_GT(landing, 1000) << millisecond;
        EXPECT_LE(landing, 1020) << millisecond;
    }
}

TEST(ClockText, FirstTickComesAboutASecondAfterStartOnABoundary) {
    for (int millisecond = 0; millisecond < 1000; ++millisecond) {
        const auto delay = FirstTickDelay(At(4, 30, 25, millisecond)).count();
        EXPECT_GE(delay, 500) << millisecond;
        EXPECT_LE(delay, 1500) << millisecond;
        const auto pastBoundary = (millisecond + delay) % 1000;
        EXPECT_GT(pastBoundary, 0) << millisecond;
        EXPECT_LE(pastBoundary, 20) << millisecond;
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
