#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// The notification area, played by the driver where Wine has none (its null
// display driver). Wine's Shell_NotifyIcon hands each request to the window
// of class "Shell_TrayWnd" as WM_COPYDATA: the NIM_ message in dwData, the
// record starting with hWnd, uID, uFlags and uCallbackMessage as 32-bit
// values. This window answers on a thread of its own, as a shell would, so
// the program never waits on the driver, and keeps the icons and the requests.
class FakeTray {
  public:
    struct Request {
        DWORD message;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
        UINT id;
        UINT flags;
        UINT callbackMessage;
        bool granted;
    };

    FakeTray();
    FakeTray(const FakeTray&) = delete;
    FakeTray& operator=(const FakeTray&) = delete;
    ~FakeTray();

    // Whether this tray is the one that Shell_NotifyIcon reaches.
    bool Running() const { return window_ != nullptr; }
    // The icons of one window, as the shell shows them now.
    int IconCount(HWND owner) const;
    // Every request made for that window's icons, in order.
    std::vector<Request> RequestsOf(HWND owner) const;
    // The shell starts anew: every icon is gone, and "TaskbarCreated" is sent
    // to every top-level window.
    void Restart();

  private:
    struct Icon {
        HWND owner;
        UINT id;
    };
    struct Logged {
        HWND owner;
        Request request;
    };
    static DWORD WINAPI Thread(void* self);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Handle(DWORD message, const void* record, DWORD size);

    mutable CRITICAL_SECTION lock_;
    std::vector<Icon> icons_;
    std::vector<Logged> requests_;
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace e2e
