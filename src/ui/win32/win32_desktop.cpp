#include "ui/win32/win32_desktop.h"

#include <algorithm>

#include "ui/win32/popup_menu.h"
#include "win32_text/text.h"

namespace kalvoro::win32 {

int Win32Desktop::Run(Program& program) {
    program_ = &program;
    main_ = std::make_unique<MainWindow>(instance_, program);
    for (std::size_t i = 0; i < countdowns_.size(); ++i) {
        countdowns_[i] =
            std::make_unique<CountdownWindow>(instance_, program, static_cast<WindowId>(i + 1));
    }
    main_->Open();
    program.Start();

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogKey(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

bool Win32Desktop::IsDialogKey(MSG& message) {
    if (message.hwnd == nullptr) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const bool ours = root == main_->hwnd() || std::any_of(countdowns_.begin(), countdowns_.end(),
                                                           [root](const auto& countdown) {
                                                               return root == countdown->hwnd();
                                                           });
    return ours && IsDialogMessageW(root, &message);
}

AppWindow& Win32Desktop::WindowOf(WindowId window) {
    if (window == WindowId::Form1) {
        return *main_;
    }
    return CountdownOf(window);
}

CountdownWindow& Win32Desktop::CountdownOf(WindowId window) {
    return *countdowns_[static_cast<std::size_t>(window) - 1];
}

void Win32Desktop::Load(WindowId window) {
    CountdownOf(window).Open();
}

void Win32Desktop::Unload(WindowId window) {
    if (window == WindowId::Form1) {
        main_->Close();
    } else {
        CountdownOf(window).Destroy();
    }
}

void Win32Desktop::Show(WindowId window) {
    WindowOf(window).Show();
}

void Win32Desktop::ShowWithoutActivating(WindowId window) {
    CountdownOf(window).ShowWithoutActivating();
}

void Win32Desktop::Hide(WindowId window) {
    WindowOf(window).Hide();
}

void Win32Desktop::SetTopmost(WindowId window) {
    WindowOf(window).SetTopmost();
}

void Win32Desktop::Present(WindowId window) {
    WindowOf(window).Present();
}

void Win32Desktop::ArmClockTimer(std::chrono::milliseconds delay) {
    main_->ArmClockTimer(delay);
}

void Win32Desktop::StartTimer(WindowId window, CountdownTimer timer) {
    CountdownOf(window).StartTimer(timer);
}

void Win32Desktop::StopTimer(WindowId window, CountdownTimer timer) {
    CountdownOf(window).StopTimer(timer);
}

void Win32Desktop::ShowMessage(std::string_view prompt, std::string_view title, int style) {
    MessageBoxW(main_->hwnd(), Wide(prompt).c_str(), Wide(title).c_str(), static_cast<UINT>(style));
}

void Win32Desktop::AddIcon(const IconRecord& record) {
    main_->AddIcon(record);
}

void Win32Desktop::DeleteIcon(const IconRecord& record) {
    main_->DeleteIcon(record);
}

void Win32Desktop::HideFromTaskList() {
    main_->HideFromTaskList();
}

std::optional<MenuCommand> Win32Desktop::PopUpMenu(const Menu1Items& items,
                                                   MenuCommand defaultItem) {
    return PopUpMenu1(main_->hwnd(), items, defaultItem);
}

void Win32Desktop::EndProgram() {
    PostQuitMessage(0);
}

}  // namespace kalvoro::win32
