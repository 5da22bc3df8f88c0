#pragma once

#include <windows.h>

#include <chrono>

#include "tray/icon_callback.h"
#include "ui/layout.h"
#include "ui/program.h"
#include "ui/win32/app_window.h"
#include "ui/win32/background_picture.h"
#include "ui/win32/controls.h"
#include "ui/win32/notify_icon.h"
#include "ui/win32/shown_text.h"

namespace kalvoro::win32 {

// Form1: window class and title "Kalvoro XP". Its controls carry the ids of
// layout::ControlId; it also owns the notification icon, whose mouse
// messages arrive as WM_MOUSEMOVE.
class MainWindow final : public AppWindow {
  public:
    MainWindow(HINSTANCE instance, Program& program);
    ~MainWindow() override;

    void Open();  // created hidden, centred on the screen
    void Close();
    void Show() override;
    void Refresh() override;
    void ArmClockTimer(std::chrono::milliseconds delay);
    void AddIcon(const IconRecord& record);
    void DeleteIcon(const IconRecord& record);
    // No taskbar button from now on, also when shown again.
    void HideFromTaskList();

  private:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate();
    void OnCommand(layout::ControlId id, WORD code);
    void OnActivate(bool active);
    void OnEntryClick();
    // Where the pointer stood when the message being handled was posted.
    ClientPoint PointerAtMessage() const;
    void AfterEvent();
    int DefaultButtonId() const;
    static LRESULT CALLBACK EntryProcedure(HWND entry, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    Program& program_;
    const int dpi_;
    HICON icon_;
    HICON smallIcon_;
    const UINT taskbarCreated_;
    ControlSet controls_;
    const layout::ControlId defaultButton_;
    BackgroundPicture background_;
    NotifyIcon notifyIcon_;
    HWND taskListOwner_ = nullptr;
    WNDPROC entryProcedure_ = nullptr;
    HWND lastFocus_ = nullptr;

    ShownText clock_;
    ShownText entry_;
    ShownText verdict_;
    ActionKind shownOption_ = ActionKind::PowerOff;
    bool writingEntry_ = false;  // EN_CHANGE of the program's own writes is not the user's
};

}  // namespace kalvoro::win32
