#pragma once

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"
#include "win32_text/text.h"

// What the driver does to the program and reads of it, by window messages.
namespace e2e {

using kalvoro::layout::ControlId;
using kalvoro::win32::Utf8;
using kalvoro::win32::Wide;
using std::chrono::milliseconds;

inline std::wstring Environment(const wchar_t* name) {
    wchar_t value[256] = {};
    GetEnvironmentVariableW(name, value, 256);
    return value;
}

// A file, whole; empty where there is none.
inline std::string ReadWhole(const std::wstring& path) {
    std::string text;
    if (std::FILE* file = _wfopen(path.c_str(), L"rb")) {
        char block[4096];
        for (std::size_t read; (read = std::fread(block, 1, sizeof block, file)) > 0;) {
            text.append(block, read);
        }
        std::fclose(file);
    }
    return text;
}

// Every time limit stretches by the whole factor in KALVORO_E2E_SLOWDOWN, which
// the script sets where the program runs under an emulated loader.
inline int Slowdown() {
    static const int factor = std::max(_wtoi(Environment(L"KALVORO_E2E_SLOWDOWN").c_str()), 1);
    return factor;
}

inline constexpr UINT kHandledWithinMs = 5000;

// Waits are for conditions, never for a fixed time: poll often, give up late.
inline constexpr milliseconds kPatience{8000};
template <class Condition>
bool WaitUntil(Condition holds, milliseconds timeout = kPatience, DWORD pollMs = 20) {
    const auto deadline = std::chrono::steady_clock::now() + timeout * Slowdown();
    for (; !holds(); Sleep(pollMs)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
    return true;
}

inline std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

inline std::string Seen(const RECT& rect) {
    return "left " + std::to_string(rect.left) + ", top " + std::to_string(rect.top) + ", " +
           std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

// A window as the driver sees it from outside; a null one answers nothing.
struct Window {
    HWND handle = nullptr;

    // A sent message has been handled when this returns true; a posted one only delivered.
    bool Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* out = nullptr) const {
        DWORD_PTR result = 0;
        const bool sent =
            handle != nullptr &&
            SendMessageTimeoutW(handle, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                kHandledWithinMs * static_cast<UINT>(Slowdown()), &result) != 0;
        if (out != nullptr) {
            *out = static_cast<LRESULT>(result);
        }
        return sent;
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return handle != nullptr && PostMessageW(handle, message, wParam, lParam);
    }
    std::wstring Text() const {
        LRESULT length = 0;
        if (!Send(WM_GETTEXTLENGTH, 0, 0, &length)) {
            return {};
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &length);
        text.resize(static_cast<std::size_t>(length));
        return text;
    }
    bool SetText(std::wstring_view text) const {
        const std::wstring terminated{text};
        return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
    }
    bool Shown() const { return handle != nullptr && IsWindowVisible(handle); }
    // A mouse click on a label (STN_CLICKED) or into an edit field.
    bool ClickInside() const {
        return Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)) &&
               Send(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    LONG Style(int which) const { return GetWindowLongW(handle, which); }
    // The frame and the client area on the screen, the frame in the parent's client area.
    RECT Frame() const {
        RECT rect{};
        GetWindowRect(handle, &rect);
        return rect;
    }
    RECT Client() const {
        RECT rect{};
        GetClientRect(handle, &rect);
        MapWindowPoints(handle, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    RECT Place() const {
        RECT rect = Frame();
        MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    int Width() const { return Frame().right - Frame().left; }
};

// The local wall clock as the program reads it, in seconds of the day.
inline constexpr int kSecondsPerDay = 24 * 60 * 60;
inline int SecondOfDay(int* millisecond = nullptr) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (millisecond != nullptr) {
        *millisecond = now.wMilliseconds;
    }
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

inline std::wstring ClockText(int secondOfDay) {  // "hh:mm:ss", wrapping at midnight
    const int second = (secondOfDay % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    wchar_t text[9];
    std::swprintf(text, 9, L"%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
    return text;
}

inline bool IsStillAhead(int secondOfDay) {
    const int distance = (secondOfDay - SecondOfDay() + kSecondsPerDay) % kSecondsPerDay;
    return distance > 0 && distance < kSecondsPerDay / 2;
}

// One line per check, then "N passed, N failed".
class Report {
  public:
    bool Check(bool ok, std::string_view what, std::string_view why = {}) {
        (ok ? passed_ : failed_) += 1;
        Line((ok ? "ok   " : "FAIL ") + std::string{what} +
             (ok || why.empty() ? "" : ": " + std::string{why}));
        return ok;
    }
    void Line(std::string_view line) {
        std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
        std::fflush(stdout);  // the script shows progress as it comes
    }
    int Summary() {  // the exit code
        Line(std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed");
        return failed_ == 0 ? 0 : 1;
    }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

// One run of the program in a working directory of its own, where its power
// log is its alone, and the stand-in shutdown.exe's too; ended if still
// running when it goes.
inline constexpr wchar_t kPowerLog[] = L"kalvoro-power.log";
inline constexpr wchar_t kStandInLog[] = L"shutdown-stand-in.log";
class Program {
  public:
    Program(const std::wstring& executable, const std::wstring& directory) : directory_(directory) {
        CreateDirectoryW(directory.c_str(), nullptr);
        for (const wchar_t* log : {kPowerLog, kStandInLog}) {  // an earlier round's
            DeleteFileW((directory + L"\\" + log).c_str());
        }
        std::wstring commandLine = L"\"" + executable + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       directory.c_str(), &startup, &process_);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() {
        TerminateProcess(process_.hProcess, 1);
        WaitForExit(milliseconds{kHandledWithinMs});
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool WaitForExit(milliseconds timeout) const {
        return WaitForSingleObject(process_.hProcess,
                                   static_cast<DWORD>(timeout.count() * Slowdown())) ==
               WAIT_OBJECT_0;
    }
    bool Alive() const { return process_.hProcess != nullptr && !WaitForExit(milliseconds{0}); }
    std::vector<HWND> Windows(const wchar_t* className) const {  // top-level, in Z order
        std::vector<HWND> found;
        for (HWND window = nullptr;
             (window = FindWindowExW(nullptr, window, className, nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId) {
                found.push_back(window);
            }
        }
        return found;
    }
    Window First(const wchar_t* className) const {
        const std::vector<HWND> found = Windows(className);
        return {found.empty() ? nullptr : found.front()};
    }
    Window Main() const { return First(L"Kalvoro XP"); }
    Window Countdown() const { return First(L"Kalvoro XP countdown"); }
    Window Menu() const { return First(L"#32768"); }
    Window Box() const { return First(L"#32770"); }
    // A control of the main window (ids 1001...) or of the countdown (2001...).
    Window Control(ControlId id) const {
        const HWND parent = (id < ControlId::Sentence ? Main() : Countdown()).handle;
        return {parent == nullptr ? nullptr : GetDlgItem(parent, static_cast<int>(id))};
    }
    bool WaitUntilReady() const {  // the main window's clock has ticked once
        return WaitUntil([this] {
            const std::wstring clock = Control(ControlId::TxtHeure).Text();
            return !clock.empty() && clock != L"Heure Système";
        });
    }
    // A file of its working directory, whole.
    std::string Read(const wchar_t* name) const { return ReadWhole(directory_ + L"\\" + name); }
    std::vector<std::string> PowerLog() const {
        std::vector<std::string> lines;  // without their "\r\n"
        const std::string log = Read(kPowerLog);
        for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            lines.push_back(log.substr(start, end - start));
        }
        return lines;
    }

    // The icon's menu, opened by a right release; its items are chosen by position.
    bool Choose(int downPresses) const {
        Main().Post(WM_MOUSEMOVE, 0, WM_RBUTTONUP);  // the icon's callback
        Window menu;
        WaitUntil([&] { return (menu = Menu()).Shown(); });
        for (int i = 0; i < downPresses; ++i) {
            menu.Post(WM_KEYDOWN, VK_DOWN);
        }
        return menu.Post(WM_KEYDOWN, VK_RETURN) && WaitUntil([this] { return !Menu().Shown(); });
    }
    bool PressOk() const {
        return Window{GetDlgItem(Box().handle, IDOK)}.Send(BM_CLICK) &&
               WaitUntil([this] { return Box().handle == nullptr; });
    }

  private:
    std::wstring directory_;
    PROCESS_INFORMATION process_{};
};

// Types a second two or three seconds ahead into each program's entry, arming
// each by the button (if any); a slow machine gets a later second. Returns it.
inline int EnterSecondSoon(const std::vector<const Program*>& programs, ControlId button = {}) {
    int second = 0;
    for (int attempt = 0; attempt < 3 && (attempt == 0 || !IsStillAhead(second)); ++attempt) {
        int millisecond = 0;
        second = (SecondOfDay(&millisecond) + (millisecond < 500 ? 2 : 3)) % kSecondsPerDay;
        for (const Program* program : programs) {
            program->Control(ControlId::TxTChoix).SetText(ClockText(second));
            if (attempt == 0 && button != ControlId{}) {
                program->Control(button).Send(BM_CLICK);
            }
        }
    }
    return second;
}

// The notification area, played by the driver where Wine has none (its null
// display driver): Wine's Shell_NotifyIcon hands each request to the window of
// class "Shell_TrayWnd" as WM_COPYDATA, answered on a thread of the driver's
// own, as a shell would: the program never waits on the driver.
struct TrayRequest {
    HWND owner;
    DWORD message;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
    UINT id, flags, callbackMessage;
    bool granted;
    std::wstring tip;  // as the shell shows it
};
class FakeTray {
  public:
    // Whether it is the one that Shell_NotifyIcon reaches.
    static bool Start() {
        InitializeCriticalSection(&lock_);
        if (FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr) {
            return false;  // the system has a notification area of its own
        }
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        CloseHandle(CreateThread(nullptr, 0, &Serve, ready, 0, nullptr));
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
        return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
    }
    static int IconCount(HWND owner) {
        EnterCriticalSection(&lock_);
        const auto count = std::ranges::count(icons_, owner, &TrayRequest::owner);
        LeaveCriticalSection(&lock_);
        return static_cast<int>(count);
    }
    static std::vector<TrayRequest> RequestsOf(HWND owner) {
        std::vector<TrayRequest> requests;
        EnterCriticalSection(&lock_);
        std::ranges::copy_if(requests_, std::back_inserter(requests),
                             [owner](const auto& request) { return request.owner == owner; });
        LeaveCriticalSection(&lock_);
        return requests;
    }
    // The shell starts anew: every icon is gone, "TaskbarCreated" goes to every window.
    static void Restart() {
        EnterCriticalSection(&lock_);
        icons_.clear();
        LeaveCriticalSection(&lock_);
        // Sent with a timeout: every window has handled it when this returns.
        Window{HWND_BROADCAST}.Send(RegisterWindowMessageW(L"TaskbarCreated"));
    }

  private:
    static LRESULT CALLBACK Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        // The record's hWnd, uID, uFlags and uCallbackMessage, then its tip.
        std::uint32_t head[4];
        wchar_t tip[128];
        if (message != WM_COPYDATA || data->lpData == nullptr ||
            data->cbData < sizeof head + sizeof tip) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        std::memcpy(head, data->lpData, sizeof head);
        std::memcpy(tip, static_cast<const char*>(data->lpData) + sizeof head, sizeof tip);
        const auto owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int>(head[0])));
        const auto nim = static_cast<DWORD>(data->dwData);
        EnterCriticalSection(&lock_);
        const auto icon = std::ranges::find_if(
            icons_, [&](const auto& known) { return known.owner == owner && known.id == head[1]; });
        const bool granted =
            nim == NIM_ADD ? icon == icons_.end() : icon != icons_.end() && nim <= NIM_DELETE;
        requests_.push_back({owner, nim, head[1], head[2], head[3], granted,
                             std::wstring(tip, std::find(tip, std::end(tip), L'\0'))});
        if (granted && nim == NIM_ADD) {
            icons_.push_back(requests_.back());
        } else if (granted && nim == NIM_DELETE) {
            icons_.erase(icon);
        }
        LeaveCriticalSection(&lock_);
        return granted;
    }
    static DWORD WINAPI Serve(void* ready) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Answer;
        windowClass.lpszClassName = L"Shell_TrayWnd";
        RegisterClassW(&windowClass);
        CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        nullptr, nullptr);
        SetEvent(ready);
        for (MSG message{}; GetMessageW(&message, nullptr, 0, 0) > 0;) {
            DispatchMessageW(&message);
        }
        return 0;
    }

    static inline CRITICAL_SECTION lock_;
    static inline std::vector<TrayRequest> requests_;
    static inline std::vector<TrayRequest> icons_;  // the granted adds still standing
};

// The suite (driver.cpp): the program to start, where each start works, the
// screen's density that the pixels follow, and where pictures go.
struct RunSetting {
    std::wstring program;
    std::wstring workRoot;
    int dpi = 96;
    std::wstring screenshots;
};
// Runs the rows named, or every row that suits the density (the tour only on
// request); one line per check, then the summary. Returns the exit code.
int RunRows(const RunSetting& setting, const std::vector<std::string>& chosen);

}  // namespace e2e
