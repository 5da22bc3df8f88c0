#include "schedule/time_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvoro {
namespace {

TEST(TimeEntry, AcceptsWellFormedTimesOfDay) {
    for (const char* entry : {"04:30:25", "00:00:00", "23:59:59", "12:07:09"}) {
        EXPECT_EQ(VerifierHeure(entry), "OUI") << entry;
    }
}

TEST(TimeEntry, RefusesHoursAbove23) {
    // Such an entry could never equal the clock, so arming it would be a lie.
    for (const char* entry : {"24:00:00", "45:00:00", "59:59:59", "99:00:00"}) {
        EXPECT_EQ(VerifierHeure(entry), "") << entry;
    }
}

TEST(TimeEntry, RefusesMalformedEntries) {
    const std::string refused[] = {
        "04:60:00",
        "04:30:60",
        "4:30:25",
        "04:30:25 ",
        " 04:30:25",
        "04.30.25",
        "04:30-25",
        "0a:30:25",
        "04:30:2:",
        "04:3a:25",
        "+4:30:25",
        " 4:30:25",
        "04: 0:25",
        "-1:30:25",
        "04:30:2",
        "04:30:255",
        "",
        "::::::::",
        std::string(kEntryInvitation),
        std::string(kExampleEntry),
        std::string("04:30:2\0", 8),
    };
    for (const std::string& entry : refused) {
        EXPECT_EQ(VerifierHeure(entry), "") << '"' << entry << '"';
    }
}

TEST(TimeEntry, NamesTheSecondOfTheDay) {
    EXPECT_EQ(EntrySecondOfDay("04:30:25"), 4 * 3600 + 30 * 60 + 25);
    EXPECT_EQ(EntrySecondOfDay("00:00:00"), 0);
    EXPECT_EQ(EntrySecondOfDay("23:59:59"), 86399);
    EXPECT_FALSE(EntrySecondOfDay("24:00:00").has_value());
}

TEST(TimeEntry, ExampleTextIs53Characters) {
    EXPECT_EQ(kExampleEntry.size(), 53u);
    EXPECT_EQ(kExampleEntry.substr(0, 9), "Exemple :");
    EXPECT_EQ(kExampleEntry.substr(9, 36), std::string(36, ' '));
    EXPECT_EQ(kExampleEntry.substr(45), "04:30:25");
}

}  // namespace
}  // namespace kalvoro
