#include "power/windows/power_log_file.h"

#include <windows.h>

#include <string>

namespace kalvoro {

void AppendToPowerLogFile(std::string_view line) {
    HANDLE file =
        CreateFileW(L"kalvoro-power.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string record = std::string{line} + "\r\n";
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace kalvoro
