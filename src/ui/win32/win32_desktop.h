#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "ui/desktop.h"
#include "ui/program.h"
#include "ui/win32/countdown_window.h"
#include "ui/win32/main_window.h"

namespace kalvoro::win32 {

// The core's window operations carried out on the program's Win32 windows.
class Win32Desktop final : public Desktop {
  public:
    explicit Win32Desktop(HINSTANCE instance) : instance_(instance) {}

    // Opens the main window, starts the program and runs the message loop
    // until the program ends; returns the exit code.
    int Run(Program& program);

    void Load(WindowId window) override;
    void Unload(WindowId window) override;
    void Show(WindowId window) override;
    void ShowWithoutActivating(WindowId window) override;
    void Hide(WindowId window) override;
    void SetTopmost(WindowId window) override;
    void Present(WindowId window) override;
    void ArmClockTimer(std::chrono::milliseconds delay) override;
    void StartTimer(WindowId window, CountdownTimer timer) override;
    void StopTimer(WindowId window, CountdownTimer timer) override;
    void ShowMessage(std::string_view prompt, std::string_view title, int style) override;
    void AddIcon(const IconRecord& record) override;
    void DeleteIcon(const IconRecord& record) override;
    void HideFromTaskList() override;
    std::optional<MenuCommand> PopUpMenu(const Menu1Items& items, MenuCommand defaultItem) override;
    void EndProgram() override;

  private:
    AppWindow& WindowOf(WindowId window);
    CountdownWindow& CountdownOf(WindowId window);
    // Keyboard navigation (Tab, Enter, access keys) for the program's windows.
    bool IsDialogKey(MSG& message);

    HINSTANCE instance_;
    Program* program_ = nullptr;
    std::unique_ptr<MainWindow> main_;
    std::array<std::unique_ptr<CountdownWindow>, 3> countdowns_;  // Form2, Form3, Form4
};

}  // namespace kalvoro::win32
