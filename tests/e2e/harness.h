#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"

// What the driver does to the program and reads of it, by window messages.
namespace e2e {

using kalvoro::layout::ControlId;
using std::chrono::milliseconds;

// Waits are for conditions, never for a fixed time: poll often, give up late.
inline constexpr milliseconds kPatience{8000};
template <class Condition>
bool WaitUntil(Condition holds, milliseconds timeout = kPatience, DWORD pollMs = 20) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (; !holds(); Sleep(pollMs)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
    return true;
}

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);
std::string Quoted(std::wstring_view text);
std::string Seen(const RECT& rect);

// A window as the driver sees it from outside; a null one answers nothing.
struct Window {
    HWND handle = nullptr;

    // A sent message has been handled when this returns true; a posted one only delivered.
    bool Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* out = nullptr) const;
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return handle != nullptr && PostMessageW(handle, message, wParam, lParam);
    }
    std::wstring Text() const;
    bool SetText(std::wstring_view text) const {
        const std::wstring terminated{text};
        return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
    }
    bool Shown() const { return handle != nullptr && IsWindowVisible(handle); }
    bool Checked() const {
        LRESULT state = 0;
        return Send(BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
    }
    // A mouse click on a label (STN_CLICKED) or into an edit field.
    bool ClickInside() const {
        return Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)) &&
               Send(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    LONG Style(int which) const { return GetWindowLongW(handle, which); }
    RECT Frame() const;   // on the screen
    RECT Client() const;  // on the screen
    RECT Place() const;   // in its parent's client area
    int Width() const { return Frame().right - Frame().left; }
};

// The local wall clock as the program reads it, in seconds of the day.
inline constexpr int kSecondsPerDay = 24 * 60 * 60;
int SecondOfDay(int* millisecond = nullptr);
std::wstring ClockText(int secondOfDay);  // "hh:mm:ss", wrapping at midnight
bool IsStillAhead(int secondOfDay);

// One line per check, then "N passed, N failed".
class Report {
  public:
    bool Check(bool ok, std::string_view what, std::string_view why = {});
    void Line(std::string_view line);
    int Summary();  // the exit code

  private:
    int passed_ = 0;
    int failed_ = 0;
};

// One run of the program in a working directory of its own, where its power
// log (kalvoro-power.log) is its alone; ended if still running when it goes.
class Program {
  public:
    Program(const std::wstring& executable, const std::wstring& directory);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    bool WaitForExit(milliseconds timeout) const {
        return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) ==
               WAIT_OBJECT_0;
    }
    bool Alive() const { return process_.hProcess != nullptr && !WaitForExit(milliseconds{0}); }
    std::vector<HWND> Windows(const wchar_t* className) const;  // top-level, in Z order
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
    bool WaitUntilReady() const;  // the main window's clock has ticked once
    std::vector<std::string> PowerLog() const;

    // The icon's menu, opened by a right release; its items are chosen by position.
    Window OpenMenu() const;
    bool Choose(int downPresses) const;
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
int EnterSecondSoon(const std::vector<const Program*>& programs, ControlId button = {});

// The notification area, played by the driver where Wine has none (its null
// display driver). Wine's Shell_NotifyIcon hands each request to the window of
// class "Shell_TrayWnd" as WM_COPYDATA: the NIM_ message in dwData, the record
// starting with hWnd, uID, uFlags and uCallbackMessage as 32-bit values. It
// answers on a thread of its own, as a shell would: the program never waits on
// the driver.
struct TrayRequest {
    HWND owner;
    DWORD message;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
    UINT id, flags, callbackMessage;
    bool granted;
};
bool StartFakeTray();  // whether it is the one that Shell_NotifyIcon reaches
int IconCount(HWND owner);
std::vector<TrayRequest> RequestsOf(HWND owner);
// The shell starts anew: every icon is gone, "TaskbarCreated" goes to every window.
void RestartTray();

}  // namespace e2e
