#include "schedule/trigger.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace kalvoro {
namespace {

struct Sequence {
    const char* what;
    const char* entry;
    // Refreshes to one fresh trigger, in turn: "h:m:s" on 6 December 2026,
    // "day/h:m:s" on another day; "*" marks those at which it must fire.
    const char* refreshes;
};

const Sequence kSequences[] = {
    {"ticks on time", "04:30:25", "4:30:23 4:30:24 4:30:25* 4:30:26"},
    {"a late tick catches up once", "04:30:25", "4:30:24 4:30:27* 4:30:28"},
    {"two ticks in one second", "04:30:25", "4:30:24 4:30:25* 4:30:25"},
    {"catch-up across midnight", "00:00:00", "23:59:59 7/0:0:2*"},
    {"catch-up of the day's last second", "23:59:59", "7/23:59:58 8/0:0:1*"},
    {"five seconds is still a late tick", "04:30:24", "4:30:20 4:30:25*"},
    {"six seconds is a gap", "04:30:24", "4:30:19 4:30:25"},
    {"no firing for seconds passed in a gap", "04:30:25", "4:30:19 4:30:26 3:0:0 5:0:0"},
    {"a gap ending in the entered second", "04:30:25", "1:0:0 4:30:25*"},
    {"clock set back", "04:30:25", "4:30:24 4:30:25* 4:30:20 4:30:27 4:30:25*"},
    {"the first refresh needs an exact match", "04:30:25", "4:30:26"},
    {"the first refresh in the entered second", "04:30:25", "4:30:25*"},
    {"empty entry", "", "4:30:24 4:30:25"},
    {"short entry", "4:30:25", "4:30:24 4:30:25"},
    {"hour 24", "24:30:25", "4:30:24 4:30:25"},
    {"trailing blank", "04:30:25 ", "4:30:24 4:30:25"},
};

TEST(Trigger, FiresOnceForEachEnteredSecondThatARefreshReaches) {
    for (const Sequence& sequence : kSequences) {
        Trigger trigger;
        std::istringstream refreshes{sequence.refreshes};
        for (std::string refresh; refreshes >> refresh;) {
            int day = 6, hour = 0, minute = 0, second = 0;
            const std::string time = refresh.substr(refresh.find('/') + 1);
            if (time.size() != refresh.size()) {
                day = std::stoi(refresh);
            }
            ASSERT_EQ(std::sscanf(time.c_str(), "%d:%d:%d", &hour, &minute, &second), 3);
            EXPECT_EQ(trigger.Reached(sequence.entry, {2026, 12, day, hour, minute, second, 10}),
                      refresh.back() == '*')
                << sequence.what << " at " << refresh;
        }
    }
}

}  // namespace
}  // namespace kalvoro
