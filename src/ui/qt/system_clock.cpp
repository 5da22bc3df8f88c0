#include "ui/qt/system_clock.h"

#include <QDateTime>

namespace kalvoro::qt {

LocalTime SystemClock::now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(),   date.month(),  date.day(), time.hour(),
            time.minute(), time.second(), time.msec()};
}

}  // namespace kalvoro::qt
