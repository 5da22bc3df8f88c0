#include "ui/win32/main_window.h"

#include <windowsx.h>

#include <cstdint>
#include <optional>

#include "resource_ids.h"
#include "ui/form1_bindings.h"
#include "ui/win32/popup_menu.h"
#include "ui/win32/screen.h"
#include "ui/win32/white_button.h"
#include "win32_text/text.h"

namespace kalvoro::win32 {

namespace {

using layout::ControlId;

constexpr wchar_t kClassName[] = L"Kalvoro XP";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed, close box only
constexpr UINT_PTR kClockTimer = 1;

// A label's STN_CLICKED has the code of a button's BN_CLICKED.
static_assert(STN_CLICKED == BN_CLICKED);

// The button that the layout makes the window's default.
ControlId DefaultButtonOf(const layout::WindowLayout& layout) {
    for (const layout::Control& control : layout.controls) {
        if (control.flags & layout::kDefaultButton) {
            return control.id;
        }
    }
    return ControlId::Activer;
}

HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KALVORO), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), 0));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Program& program)
    : instance_(instance),
      program_(program),
      dpi_(ScreenDpi()),
      icon_(LoadProgramIcon(instance, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON)),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      controls_(layout::LayoutOf(WindowId::Form1)),
      defaultButton_(DefaultButtonOf(layout::LayoutOf(WindowId::Form1))) {}

MainWindow::~MainWindow() {
    Close();
}

void MainWindow::Open() {
    background_.Load(instance_, IDR_FOND, dpi_);
    RegisterWindowClass(instance_, kClassName, icon_, smallIcon_);
    Create(instance_, kClassName, layout::LayoutOf(WindowId::Form1), kStyle, 0, dpi_);
}

void MainWindow::Close() {
    Destroy();
    if (taskListOwner_ != nullptr) {
        DestroyWindow(taskListOwner_);
        taskListOwner_ = nullptr;
    }
}

void MainWindow::Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void MainWindow::Refresh() {
    const Form1& form = program_.form1();
    clock_.Show(form.TxtHeure());
    writingEntry_ = true;
    entry_.Show(form.TxTChoix());
    writingEntry_ = false;
    verdict_.Show(form.Conforme());
    if (form.SelectedOption() != shownOption_) {
        shownOption_ = form.SelectedOption();
        for (const OptionBinding& option : kForm1Options) {
            SendMessageW(controls_[option.control], BM_SETCHECK,
                         option.action == shownOption_ ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void MainWindow::ArmClockTimer(std::chrono::milliseconds delay) {
    SetTimer(hwnd(), kClockTimer, static_cast<UINT>(delay.count()), nullptr);
}

void MainWindow::AddIcon(const IconRecord& record) {
    notifyIcon_.Add(hwnd(), smallIcon_, record);
}

void MainWindow::DeleteIcon(const IconRecord& record) {
    notifyIcon_.Delete(hwnd(), record);
}

void MainWindow::HideFromTaskList() {
    // An owned window has no taskbar button; the owner is never shown.
    if (taskListOwner_ == nullptr) {
        taskListOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                         instance_, nullptr);
    }
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(taskListOwner_));
}

LRESULT MainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_) {
        notifyIcon_.AddAgain();
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_ERASEBKGND:
            background_.Paint(hwnd(), reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush = controls_.Colour(reinterpret_cast<HDC>(wParam),
                                                reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            return Default(message, wParam, lParam);
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            DrawWhiteButton(item, static_cast<int>(item.CtlID) == DefaultButtonId());
            if (item.itemAction == ODA_FOCUS) {  // the default button follows the focus
                InvalidateRect(controls_[defaultButton_], nullptr, FALSE);
            }
            return TRUE;
        }
        case DM_GETDEFID:
            return MAKELRESULT(DefaultButtonId(), DC_HASDEFID);
        case WM_COMMAND:
            OnCommand(static_cast<ControlId>(LOWORD(wParam)), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            program_.form1().Timer1_Timer();
            // Hidden, the window is left as it is: a clock tick sets no text
            // that nobody sees. The event that shows it again refreshes it.
            if (IsWindowVisible(hwnd())) {
                AfterEvent();
            }
            return 0;
        case WM_MOUSEMOVE:
            if (const std::optional<unsigned> mouseMessage =
                    IconMouseMessage(static_cast<std::uintptr_t>(lParam), PointerAtMessage())) {
                program_.form1().Form_MouseMove(*mouseMessage);
                AfterEvent();
            }
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            program_.CloseBox(WindowId::Form1);
            return 0;
        case WM_ENDSESSION:
            if (wParam) {
                program_.Quit();
            }
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void MainWindow::OnCreate() {
    controls_.Create(hwnd(), dpi_);
    const Form1& form = program_.form1();
    clock_.Attach(controls_[ControlId::TxtHeure], form.TxtHeure());
    entry_.Attach(controls_[ControlId::TxTChoix], form.TxTChoix());
    verdict_.Attach(controls_[ControlId::Conforme], form.Conforme());
    shownOption_ = form.SelectedOption();
    lastFocus_ = controls_[ControlId::TxtHeure];

    HWND entry = controls_[ControlId::TxTChoix];
    SetWindowLongPtrW(entry, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    entryProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        entry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::EntryProcedure)));
}

void MainWindow::OnCommand(ControlId id, WORD code) {
    Form1& form = program_.form1();
    if (id == ControlId::TxTChoix) {
        if (code == EN_CHANGE && !writingEntry_) {
            std::string text = WindowTextUtf8(controls_[id]);
            form.TxTChoix_Change(text);
            entry_.Adopt(std::move(text));
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    for (const ClickBinding& click : kForm1Clicks) {
        if (click.control == id) {
            (form.*click.handler)();
        }
    }
    for (const OptionBinding& option : kForm1Options) {
        if (option.control == id) {
            form.SelectOption(option.action);
        }
    }
    AfterEvent();
}

void MainWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd(), focus)) {
            lastFocus_ = focus;
        }
    } else {
        SetFocus(lastFocus_);
    }
}

void MainWindow::OnEntryClick() {
    program_.form1().TxTChoix_Click();
    AfterEvent();
}

ClientPoint MainWindow::PointerAtMessage() const {
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(hwnd(), &point);
    return {point.x, point.y};
}

void MainWindow::AfterEvent() {
    // The event may have closed the window and ended the program.
    if (IsOpen()) {
        Refresh();
    }
}

int MainWindow::DefaultButtonId() const {
    // Enter presses the push button that has the focus, otherwise the default one.
    const layout::Control* focused = controls_.Find(GetFocus());
    if (focused != nullptr && focused->kind == layout::ControlKind::PushButton) {
        return static_cast<int>(focused->id);
    }
    return static_cast<int>(defaultButton_);
}

LRESULT CALLBACK MainWindow::EntryProcedure(HWND entry, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(entry, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(self->entryProcedure_, entry, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN) {
        self->OnEntryClick();
    }
    return result;
}

}  // namespace kalvoro::win32
