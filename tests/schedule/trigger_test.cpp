#include "schedule/trigger.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvoro {
namespace {

struct Refresh {
    int day, hour, minute, second;
    bool fires;
};

struct Sequence {
    const char* what;
    const char* entry;
    std::vector<Refresh> refreshes;  // to one fresh trigger, in turn
};

const Sequence kSequences[] = {
    {"ticks on time",
     "04:30:25",
     {{6, 4, 30, 23, false}, {6, 4, 30, 24, false}, {6, 4, 30, 25, true}, {6, 4, 30, 26, false}}},
    {"a late tick catches up once",
     "04:30:25",
     {{6, 4, 30, 24, false}, {6, 4, 30, 27, true}, {6, 4, 30, 28, false}}},
    {"two ticks in one second",
     "04:30:25",
     {{6, 4, 30, 24, false}, {6, 4, 30, 25, true}, {6, 4, 30, 25, false}}},
    {"catch-up across midnight", "00:00:00", {{6, 23, 59, 59, false}, {7, 0, 0, 2, true}}},
    {"catch-up of the day's last second", "23:59:59", {{7, 23, 59, 58, false}, {8, 0, 0, 1, true}}},
    {"five seconds is still a late tick",
     "04:30:24",
     {{6, 4, 30, 20, false}, {6, 4, 30, 25, true}}},
    {"six seconds is a gap", "04:30:24", {{6, 4, 30, 19, false}, {6, 4, 30, 25, false}}},
    {"no firing for seconds passed in a gap",
     "04:30:25",
     {{6, 4, 30, 19, false}, {6, 4, 30, 26, false}, {6, 3, 0, 0, false}, {6, 5, 0, 0, false}}},
    {"a gap ending in the entered second", "04:30:25", {{6, 1, 0, 0, false}, {6, 4, 30, 25, true}}},
    {"clock set back",
     "04:30:25",
     {{6, 4, 30, 24, false},
      {6, 4, 30, 25, true},
      {6, 4, 30, 20, false},
      {6, 4, 30, 27, false},
      {6, 4, 30, 25, true}}},
    {"the first refresh needs an exact match", "04:30:25", {{6, 4, 30, 26, false}}},
    {"the first refresh in the entered second", "04:30:25", {{6, 4, 30, 25, true}}},
    {"empty entry", "", {{6, 4, 30, 24, false}, {6, 4, 30, 25, false}}},
    {"short entry", "4:30:25", {{6, 4, 30, 24, false}, {6, 4, 30, 25, false}}},
    {"hour 24", "24:30:25", {{6, 4, 30, 24, false}, {6, 4, 30, 25, false}}},
    {"trailing blank", "04:30:25 ", {{6, 4, 30, 24, false}, {6, 4, 30, 25, false}}},
};

TEST(Trigger, FiresOnceForEachEnteredSecondThatARefreshReaches) {
    for (const Sequence& sequence : kSequences) {
        Trigger trigger;
        for (const Refresh& r : sequence.refreshes) {
            EXPECT_EQ(
                trigger.Reached(sequence.entry, {2026, 12, r.day, r.hour, r.minute, r.second, 10}),
                r.fires)
                << sequence.what << " at " << r.hour << ':' << r.minute << ':' << r.second;
        }
    }
}

}  // namespace
}  // namespace kalvoro
