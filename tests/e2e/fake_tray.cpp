#include "fake_tray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "actions.h"

namespace e2e {

namespace {

constexpr wchar_t kTrayClass[] = L"Shell_TrayWnd";
constexpr DWORD kStartTimeoutMs = 10000;

// The leading fields of the record that Wine's shell sends.
struct RecordHead {
    std::int32_t window;
    std::uint32_t id;
    std::uint32_t flags;
    std::uint32_t callbackMessage;
};

class Locked {
  public:
    explicit Locked(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
    ~Locked() { LeaveCriticalSection(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    CRITICAL_SECTION& lock_;
};

}  // namespace

FakeTray::FakeTray() {
    InitializeCriticalSection(&lock_);
    if (FindWindowW(kTrayClass, nullptr) != nullptr) {
        return;  // the system has a notification area of its own
    }
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &FakeTray::Thread, this, 0, nullptr);
    if (thread_ != nullptr) {
        WaitForSingleObject(ready_, kStartTimeoutMs);
    }
}

FakeTray::~FakeTray() {
    if (thread_ != nullptr) {
        if (window_ != nullptr) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        WaitForSingleObject(thread_, kStartTimeoutMs);
        CloseHandle(thread_);
    }
    if (ready_ != nullptr) {
        CloseHandle(ready_);
    }
    DeleteCriticalSection(&lock_);
}

int FakeTray::IconCount(HWND owner) const {
    Locked locked(lock_);
    return static_cast<int>(std::count_if(
        icons_.begin(), icons_.end(), [owner](const Icon& icon) { return icon.owner == owner; }));
}

std::vector<FakeTray::Request> FakeTray::RequestsOf(HWND owner) const {
    Locked locked(lock_);
    std::vector<Request> requests;
    for (const Logged& logged : requests_) {
        if (logged.owner == owner) {
            requests.push_back(logged.request);
        }
    }
    return requests;
}

void FakeTray::Restart() {
    {
        Locked locked(lock_);
        icons_.clear();
    }
    BroadcastTaskbarCreated();
}

DWORD WINAPI FakeTray::Thread(void* parameter) {
    auto* self = static_cast<FakeTray*>(parameter);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &FakeTray::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTrayClass;
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
    SetEvent(self->ready_);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}

LRESULT CALLBACK FakeTray::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FakeTray*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_COPYDATA: {
            const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            return self != nullptr &&
                   self->Handle(static_cast<DWORD>(data.dwData), data.lpData, data.cbData);
        }
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool FakeTray::Handle(DWORD message, const void* record, DWORD size) {
    if (record == nullptr || size < sizeof(RecordHead)) {
        return false;
    }
    RecordHead head{};
    std::memcpy(&head, record, sizeof head);
    HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(head.window));
    Locked locked(lock_);
    const auto icon = std::find_if(icons_.begin(), icons_.end(), [&](const Icon& known) {
        return known.owner == owner && known.id == head.id;
    });
    const bool present = icon != icons_.end();
    bool granted = false;
    switch (message) {
        case NIM_ADD:
            granted = !present;
            if (granted) {
                icons_.push_back({owner, head.id});
            }
            break;
        case NIM_MODIFY:
            granted = present;
            break;
        case NIM_DELETE:
            granted = present;
            if (granted) {
                icons_.erase(icon);
            }
            break;
        default:
            break;
    }
    requests_.push_back({owner, {message, head.id, head.flags, head.callbackMessage, granted}});
    return granted;
}

}  // namespace e2e
