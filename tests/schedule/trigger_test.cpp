#include "schedule/trigger.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

// Feeds a trigger with refreshes on one day (or the next) and reports which fired.
class TriggerTest : public ::testing::Test {
  protected:
    bool RefreshAt(int hour, int minute, int second, int day = 6) {
        return trigger.Reached(entry, {2026, 12, day, hour, minute, second, 10});
    }
    Trigger trigger;
    std::string entry = "04:30:25";
};

TEST_F(TriggerTest, FiresOnlyInTheEnteredSecondWithTicksOnTime) {
    EXPECT_FALSE(RefreshAt(4, 30, 23));
    EXPECT_FALSE(RefreshAt(4, 30, 24));
    EXPECT_TRUE(RefreshAt(4, 30, 25));
    EXPECT_FALSE(RefreshAt(4, 30, 26));
}

TEST_F(TriggerTest, LateTickCatchesUpOnce) {
    EXPECT_FALSE(RefreshAt(4, 30, 24));
    EXPECT_TRUE(RefreshAt(4, 30, 27));  // 25 went by without a tick
    EXPECT_FALSE(RefreshAt(4, 30, 28));
}

TEST_F(TriggerTest, TwoTicksInOneSecondFireOnce) {
    EXPECT_FALSE(RefreshAt(4, 30, 24));
    EXPECT_TRUE(RefreshAt(4, 30, 25));
    EXPECT_FALSE(RefreshAt(4, 30, 25));
}

TEST_F(TriggerTest, CatchesUpAcrossMidnight) {
    entry = "00:00:00";
    EXPECT_FALSE(RefreshAt(23, 59, 59, 6));
    EXPECT_TRUE(RefreshAt(0, 0, 2, 7));
    entry = "23:59:59";
    EXPECT_FALSE(RefreshAt(23, 59, 58, 7));
    EXPECT_TRUE(RefreshAt(0, 0, 1, 8));
}

TEST_F(TriggerTest, CatchUpIsBoundedToShortIntervals) {
    entry = "04:30:24";
    Trigger fiveSeconds;
    EXPECT_FALSE(fiveSeconds.Reached(entry, {2026, 12, 6, 4, 30, 20, 0}));
    EXPECT_TRUE(fiveSeconds.Reached(entry, {2026, 12, 6, 4, 30, 25, 0}));
    Trigger sixSeconds;
    EXPECT_FALSE(sixSeconds.Reached(entry, {2026, 12, 6, 4, 30, 19, 0}));
    EXPECT_FALSE(sixSeconds.Reached(entry, {2026, 12, 6, 4, 30, 25, 0}));
}

TEST_F(TriggerTest, LongGapDoesNotFireForSecondsPassedMeanwhile) {
    EXPECT_FALSE(RefreshAt(4, 30, 19));
    EXPECT_FALSE(RefreshAt(4, 30, 26));  // 7 s: slept or clock set forward
    EXPECT_FALSE(RefreshAt(3, 0, 0));
    EXPECT_FALSE(RefreshAt(5, 0, 0));  // an hour asleep across the entered second
}

TEST_F(TriggerTest, LongGapEndingInTheEnteredSecondFires) {
    EXPECT_FALSE(RefreshAt(1, 0, 0));
    EXPECT_TRUE(RefreshAt(4, 30, 25));
}

TEST_F(TriggerTest, ClockSetBackFiresAgainOnlyOnExactMatch) {
    EXPECT_FALSE(RefreshAt(4, 30, 24));
    EXPECT_TRUE(RefreshAt(4, 30, 25));
    EXPECT_FALSE(RefreshAt(4, 30, 20));  // set back over the entered second
    EXPECT_FALSE(RefreshAt(4, 30, 27));  // forward 7 s: no catch-up
    EXPECT_TRUE(RefreshAt(4, 30, 25));   // set back right into it
}

TEST_F(TriggerTest, FirstRefreshNeedsAnExactMatch) {
    EXPECT_FALSE(RefreshAt(4, 30, 26));
    Trigger fresh;
    EXPECT_TRUE(fresh.Reached(entry, {2026, 12, 6, 4, 30, 25, 900}));
}

TEST_F(TriggerTest, MalformedEntryNeverFires) {
    for (const char* malformed : {"", "4:30:25", "24:30:25", "04:30:25 "}) {
        Trigger fresh;
        entry = malformed;
        EXPECT_FALSE(fresh.Reached(entry, {2026, 12, 6, 4, 30, 24, 0})) << malformed;
        EXPECT_FALSE(fresh.Reached(entry, {2026, 12, 6, 4, 30, 25, 0})) << malformed;
    }
}

}  // namespace
}  // namespace kalvoro
