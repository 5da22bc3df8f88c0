#include "power/windows/power_log_file.h"

#include <cwchar>
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

LoggedPowerActions::LoggedPowerActions() {
    wchar_t refusal[16] = {};
    GetEnvironmentVariableW(L"KALVORO_E2E_REFUSE", refusal, 16);
    refusal_ = std::wcstoul(refusal, nullptr, 10);
}

void LoggedPowerActions::EteindreXP() {
    log_.EteindreXP();
    Settle(PowerRequest::PowerOff);
}

void LoggedPowerActions::RebootXP() {
    log_.RebootXP();
    Settle(PowerRequest::Restart);
}

void LoggedPowerActions::VeilleXP() {
    log_.VeilleXP();
    Settle(PowerRequest::Standby);
}

void LoggedPowerActions::Settle(PowerRequest request) {
    SetLastError(refusal_);
    answers_.Settle(request, refusal_ == ERROR_SUCCESS);
}

}  // namespace kalvoro
