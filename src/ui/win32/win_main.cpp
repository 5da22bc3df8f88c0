#include <windows.h>

#include <commctrl.h>

#include "power/windows/power_choice.h"
#include "ui/program.h"
#include "ui/win32/system_clock.h"
#include "ui/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The manifest asks for common controls 6: load them so the controls are themed.
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    kalvoro::win32::SystemClock clock;
    // Each executable names its backend where it is put together (CMakeLists.txt).
    const std::unique_ptr<kalvoro::PowerActions> power =
        kalvoro::MakePowerActions(kalvoro::PowerBackend::KALVORO_POWER_BACKEND);
    kalvoro::win32::Win32Desktop desktop(instance);
    kalvoro::Program program(desktop, clock, *power);
    return desktop.Run(program);
}
