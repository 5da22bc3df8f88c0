#include "power/windows/windows_power_actions.h"

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "power/command_lines.h"
#include "win32_text/text.h"

namespace kalvoro {

namespace {

constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;
static_assert(kTokenAccess == 0x28);
constexpr UINT kPowerOffFlags = EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF;
static_assert(kPowerOffFlags == 0x0D);
constexpr WORD kMinimizedActive = SW_SHOWMINIMIZED;
static_assert(kMinimizedActive == 2);
constexpr LPARAM kMonitorOff = 2;
constexpr UINT kBroadcastTimeoutMs = 1000;
constexpr DWORD kPlannedOtherReason =
    SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

// TOKEN_PRIVILEGES with room for two entries; only the first is used.
struct TwoPrivileges {
    DWORD PrivilegeCount;
    LUID_AND_ATTRIBUTES Privileges[2];
};
static_assert(offsetof(TwoPrivileges, Privileges) == offsetof(TOKEN_PRIVILEGES, Privileges));
// The length passed with the previous state: 4 + 12 × the one privilege.
constexpr DWORD kPreviousStateLength = sizeof(TOKEN_PRIVILEGES);
static_assert(kPreviousStateLength == 16);

// Enables the shutdown privilege in the process's token. Nothing is checked:
// the power request that follows is made whatever happened here.
void PrivilegeXP() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), kTokenAccess, &token);
    TwoPrivileges newState{};
    LookupPrivilegeValueA("", "SeShutdownPrivilege", &newState.Privileges[0].Luid);
    newState.PrivilegeCount = 1;
    newState.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TwoPrivileges previousState{};
    DWORD length = 0;
    AdjustTokenPrivileges(token, FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&newState),
                          kPreviousStateLength, reinterpret_cast<TOKEN_PRIVILEGES*>(&previousState),
                          &length);
    if (token != nullptr) {
        CloseHandle(token);
    }
}

// shutdown.exe as the follow-up of a restart watches it; one that could not
// be started has failed.
class ShutdownProcess final : public StartedCommand {
  public:
    explicit ShutdownProcess(HANDLE process) : process_(process) {}
    ShutdownProcess(const ShutdownProcess&) = delete;
    ShutdownProcess& operator=(const ShutdownProcess&) = delete;
    ~ShutdownProcess() override {
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    CommandEnd End() const override {
        if (process_ == nullptr) {
            return CommandEnd::Failed;
        }
        DWORD exitCode = 0;
        if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
            return CommandEnd::Running;
        }
        GetExitCodeProcess(process_, &exitCode);
        return exitCode == 0 ? CommandEnd::Succeeded : CommandEnd::Failed;
    }

  private:
    HANDLE process_;
};

// Starts shutdown.exe from the system directory, never by a bare name that
// would be looked for in the current directory first, and does not wait.
std::unique_ptr<StartedCommand> StartShutdownCommand(std::string_view commandLine) {
    wchar_t directory[MAX_PATH] = {};
    GetSystemDirectoryW(directory, MAX_PATH);
    const std::wstring program = std::wstring{directory} + L"\\shutdown.exe";

    std::wstring line = win32::Wide(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = kMinimizedActive;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
    }
    return std::make_unique<ShutdownProcess>(process.hProcess);
}

std::chrono::milliseconds SteadyNow() {
    LARGE_INTEGER count{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return std::chrono::milliseconds{count.QuadPart / (frequency.QuadPart / 1000)};
}

// True where the machine has a sleep state (S1 to S3) or where it cannot
// tell. A machine with Modern Standby (S0 low-power idle, AoAc) has none;
// there SetSystemPowerState may hibernate or do nothing. powrprof.dll is
// loaded when needed so the executable's imports stay those of Windows XP.
bool HasSleepState() {
    HMODULE powrprof = LoadLibraryW(L"powrprof.dll");
    if (powrprof == nullptr) {
        return true;
    }
    using GetCapabilities = BOOLEAN(WINAPI*)(PSYSTEM_POWER_CAPABILITIES);
    const auto getCapabilities = reinterpret_cast<GetCapabilities>(
        reinterpret_cast<void (*)()>(GetProcAddress(powrprof, "GetPwrCapabilities")));
    SYSTEM_POWER_CAPABILITIES capabilities{};
    const bool known = getCapabilities != nullptr && getCapabilities(&capabilities) != FALSE;
    FreeLibrary(powrprof);
    if (!known) {
        return true;
    }
    // MinGW's header names Hiberboot, WakeAlarmPresent and AoAc spare2[0..2].
    const bool alwaysOnAlwaysConnected = capabilities.spare2[2] != FALSE;
    return capabilities.SystemS1 || capabilities.SystemS2 || capabilities.SystemS3 ||
           !alwaysOnAlwaysConnected;
}

}  // namespace

void WindowsPowerActions::EteindreXP() {
    PrivilegeXP();
    answers_.Settle(PowerRequest::PowerOff, ExitWindowsEx(kPowerOffFlags, 0));
}

// The restart that the command refused, asked of the system itself as the
// command would have: this computer, the same comment, applications not
// forced closed (no -f), a restart after the shutdown.
void WindowsPowerActions::HandOver(std::chrono::seconds delay) {
    PrivilegeXP();
    std::wstring comment = win32::Wide(RestartComment());
    answers_.Settle(
        PowerRequest::Restart,
        InitiateSystemShutdownExW(nullptr, comment.data(), static_cast<DWORD>(delay.count()), FALSE,
                                  TRUE, kPlannedOtherReason));
}

bool WindowsPowerActions::Poll() {
    return followUp_.Poll(SteadyNow());
}

WindowsPowerActions::~WindowsPowerActions() = default;

void WindowsPowerActions::RebootXP() {
    followUp_.Started(StartShutdownCommand(RestartCommandLine()), SteadyNow());
    followUpTimer_.Start();
}

void WindowsPowerActions::AnnulerRebootXP() {
    followUp_.Cancelled();
    StartShutdownCommand(kCancelRestartCommandLine);
    // "Shutdown -a" withdraws any pending restart; one the program asked for
    // itself is withdrawn by the program too, should the command not start.
    if (followUp_.HandedOver()) {
        AbortSystemShutdownW(nullptr);
    }
}

void WindowsPowerActions::VeilleXP() {
    if (!HasSleepState()) {
        // No program call enters Modern Standby: the system enters it when
        // the display is turned off, as by the power button.
        SendMessageTimeoutW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff,
                            SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, nullptr);
        answers_.Settle(PowerRequest::Standby, TRUE);
        return;
    }
    PrivilegeXP();
    // TRUE asks for standby, which every text of the program promises;
    // FALSE would hibernate.
    answers_.Settle(PowerRequest::Standby, SetSystemPowerState(TRUE, FALSE));
}

}  // namespace kalvoro
