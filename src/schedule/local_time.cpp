#include "schedule/local_time.h"

namespace kalvoro {

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::int64_t LocalSeconds(const LocalTime& time) {
    const std::int64_t secondOfDay =
        std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
    return DaysFromCivil(time.year, time.month, time.day) * kSecondsPerDay + secondOfDay;
}

}  // namespace kalvoro
