#include "schedule/time_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvoro {
namespace {

TEST(TimeEntry, WellFormedEntriesNameTheirSecondOfTheDay) {
    const std::pair<std::string_view, int> accepted[] = {
        {"04:30:25", 4 * 3600 + 30 * 60 + 25},
        {"00:00:00", 0},
        {"23:59:59", 86399},
        {"12:07:09", 12 * 3600 + 7 * 60 + 9},
    };
    for (const auto& [entry, second] : accepted) {
        EXPECT_EQ(EntrySecondOfDay(entry), second) << entry;
        EXPECT_EQ(VerifierHeure(entry), "OUI") << entry;
    }
}

TEST(TimeEntry, MalformedEntriesHaveAnEmptyVerdict) {
    // Hours above 23 never equal the clock: arming them would be a lie.
    std::vector<std::string> refused{"24:00:00", "45:00:00", "59:59:59",  "99:00:00",  "04:60:00",
                                     "04:30:60", "4:30:25",  "04:30:25 ", " 04:30:25", "04.30.25",
                                     "04:30-25", "0a:30:25", "04:30:2:",  "04:3a:25",  "+4:30:25",
                                     " 4:30:25", "04: 0:25", "-1:30:25",  "04:30:2",   "04:30:255",
                                     "",         "::::::::"};
    refused.insert(refused.end(), {std::string(kEntryInvitation), std::string(kExampleEntry),
                                   std::string("04:30:2\0", 8)});
    for (const std::string& entry : refused) {
        EXPECT_FALSE(EntrySecondOfDay(entry).has_value()) << '"' << entry << '"';
        EXPECT_EQ(VerifierHeure(entry), "") << '"' << entry << '"';
    }
}

}  // namespace
}  // namespace kalvoro
