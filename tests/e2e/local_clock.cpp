#include "local_clock.h"

#include <windows.h>

#include <cwchar>

namespace e2e {

ClockReading ReadClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wHour * 3600 + now.wMinute * 60 + now.wSecond, now.wMilliseconds};
}

std::wstring ClockText(int secondOfDay) {
    const int second = ((secondOfDay % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
    wchar_t text[9];
    std::swprintf(text, 9, L"%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
    return text;
}

int SecondSoonAhead() {
    const ClockReading now = ReadClock();
    return (now.secondOfDay + (now.millisecond < 500 ? 2 : 3)) % kSecondsPerDay;
}

bool IsStillAhead(int secondOfDay) {
    const int distance =
        ((secondOfDay - ReadClock().secondOfDay) % kSecondsPerDay + kSecondsPerDay) %
        kSecondsPerDay;
    return distance > 0 && distance < kSecondsPerDay / 2;
}

}  // namespace e2e
