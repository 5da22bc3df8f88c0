#include "harness.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace e2e {

namespace {

constexpr UINT kHandledWithinMs = 5000;

}  // namespace

std::string Utf8(std::wstring_view text) {
    std::string out(text.size() * 3, '\0');
    out.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

std::wstring Wide(std::string_view utf8) {
    std::wstring out(utf8.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                            static_cast<int>(out.size()))));
    return out;
}

std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

std::string Seen(const RECT& rect) {
    return "left " + std::to_string(rect.left) + ", top " + std::to_string(rect.top) + ", " +
           std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

bool Window::Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* out) const {
    DWORD_PTR result = 0;
    const bool sent =
        handle != nullptr && SendMessageTimeoutW(handle, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                                 kHandledWithinMs, &result) != 0;
    if (out != nullptr) {
        *out = static_cast<LRESULT>(result);
    }
    return sent;
}

std::wstring Window::Text() const {
    LRESULT length = 0;
    if (!Send(WM_GETTEXTLENGTH, 0, 0, &length)) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &length);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

RECT Window::Frame() const {
    RECT rect{};
    GetWindowRect(handle, &rect);
    return rect;
}

RECT Window::Client() const {
    RECT rect{};
    GetClientRect(handle, &rect);
    MapWindowPoints(handle, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT Window::Place() const {
    RECT rect = Frame();
    MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int SecondOfDay(int* millisecond) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (millisecond != nullptr) {
        *millisecond = now.wMilliseconds;
    }
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

std::wstring ClockText(int secondOfDay) {
    const int second = (secondOfDay % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    wchar_t text[9];
    std::swprintf(text, 9, L"%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
    return text;
}

bool IsStillAhead(int secondOfDay) {
    const int distance = (secondOfDay - SecondOfDay() + kSecondsPerDay) % kSecondsPerDay;
    return distance > 0 && distance < kSecondsPerDay / 2;
}

bool Report::Check(bool ok, std::string_view what, std::string_view why) {
    (ok ? passed_ : failed_) += 1;
    Line((ok ? "ok   " : "FAIL ") + std::string{what} +
         (ok || why.empty() ? "" : ": " + std::string{why}));
    return ok;
}

void Report::Line(std::string_view line) {
    std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
    std::fflush(stdout);  // the script shows progress as it comes
}

int Report::Summary() {
    Line(std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed");
    return failed_ == 0 ? 0 : 1;
}

Program::Program(const std::wstring& executable, const std::wstring& directory)
    : directory_(directory) {
    CreateDirectoryW(directory.c_str(), nullptr);
    DeleteFileW((directory + L"\\kalvoro-power.log").c_str());
    std::wstring commandLine = L"\"" + executable + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   directory.c_str(), &startup, &process_);
}

Program::~Program() {
    TerminateProcess(process_.hProcess, 1);
    WaitForExit(milliseconds{kHandledWithinMs});
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::vector<HWND> Program::Windows(const wchar_t* className) const {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_.dwProcessId) {
            found.push_back(window);
        }
    }
    return found;
}

bool Program::WaitUntilReady() const {
    return WaitUntil([this] {
        const std::wstring clock = Control(ControlId::TxtHeure).Text();
        return !clock.empty() && clock != L"Heure Système";
    });
}

std::vector<std::string> Program::PowerLog() const {
    std::string content;
    if (std::FILE* file = _wfopen((directory_ + L"\\kalvoro-power.log").c_str(), L"rb")) {
        char buffer[4096];
        for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            content.append(buffer, read);
        }
        std::fclose(file);
    }
    std::vector<std::string> lines;  // without their "\r\n"
    for (std::size_t start = 0, end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(content.substr(start, end - start));
    }
    return lines;
}

Window Program::OpenMenu() const {
    Main().Post(WM_MOUSEMOVE, 0, WM_RBUTTONUP);  // the icon's callback
    Window menu;
    WaitUntil([&] { return (menu = Menu()).Shown(); });
    return menu;
}

bool Program::Choose(int downPresses) const {
    const Window menu = OpenMenu();
    for (int i = 0; i < downPresses; ++i) {
        menu.Post(WM_KEYDOWN, VK_DOWN);
    }
    return menu.Post(WM_KEYDOWN, VK_RETURN) && WaitUntil([this] { return !Menu().Shown(); });
}

int EnterSecondSoon(const std::vector<const Program*>& programs, ControlId button) {
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

namespace {

CRITICAL_SECTION trayLock;
std::vector<TrayRequest> trayRequests;
std::vector<TrayRequest> trayIcons;  // the granted adds still standing

LRESULT CALLBACK TrayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::uint32_t head[4];  // hWnd, uID, uFlags, uCallbackMessage
    if (message != WM_COPYDATA || data->lpData == nullptr || data->cbData < sizeof head) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    std::memcpy(head, data->lpData, sizeof head);
    const auto nim = static_cast<DWORD>(data->dwData);
    TrayRequest request{reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int>(head[0]))),
                        nim,
                        head[1],
                        head[2],
                        head[3],
                        false};
    EnterCriticalSection(&trayLock);
    const auto icon = std::find_if(trayIcons.begin(), trayIcons.end(), [&](const auto& known) {
        return known.owner == request.owner && known.id == request.id;
    });
    request.granted =
        nim == NIM_ADD ? icon == trayIcons.end() : icon != trayIcons.end() && nim <= NIM_DELETE;
    if (request.granted && nim == NIM_ADD) {
        trayIcons.push_back(request);
    } else if (request.granted && nim == NIM_DELETE) {
        trayIcons.erase(icon);
    }
    trayRequests.push_back(request);
    LeaveCriticalSection(&trayLock);
    return request.granted;
}

DWORD WINAPI TrayThread(void* ready) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &TrayProcedure;
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

}  // namespace

bool StartFakeTray() {
    InitializeCriticalSection(&trayLock);
    if (FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr) {
        return false;  // the system has a notification area of its own
    }
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(CreateThread(nullptr, 0, &TrayThread, ready, 0, nullptr));
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

int IconCount(HWND owner) {
    EnterCriticalSection(&trayLock);
    const auto count = std::count_if(trayIcons.begin(), trayIcons.end(),
                                     [owner](const auto& icon) { return icon.owner == owner; });
    LeaveCriticalSection(&trayLock);
    return static_cast<int>(count);
}

std::vector<TrayRequest> RequestsOf(HWND owner) {
    std::vector<TrayRequest> requests;
    EnterCriticalSection(&trayLock);
    std::copy_if(trayRequests.begin(), trayRequests.end(), std::back_inserter(requests),
                 [owner](const auto& request) { return request.owner == owner; });
    LeaveCriticalSection(&trayLock);
    return requests;
}

void RestartTray() {
    EnterCriticalSection(&trayLock);
    trayIcons.clear();
    LeaveCriticalSection(&trayLock);
    // Sent with a timeout: every window has handled it when this returns.
    Window{HWND_BROADCAST}.Send(RegisterWindowMessageW(L"TaskbarCreated"));
}

}  // namespace e2e
