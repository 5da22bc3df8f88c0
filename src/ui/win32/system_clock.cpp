#include "ui/win32/system_clock.h"

#include <windows.h>

namespace kalvoro::win32 {

LocalTime SystemClock::now() const {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return {time.wYear,   time.wMonth,  time.wDay,         time.wHour,
            time.wMinute, time.wSecond, time.wMilliseconds};
}

}  // namespace kalvoro::win32
