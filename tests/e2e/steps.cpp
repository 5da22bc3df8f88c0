#include "steps.h"

#include "actions.h"
#include "local_clock.h"

namespace e2e {

namespace {

constexpr int kAttemptsToStayAhead = 3;
constexpr int kSecondsPerHour = 3600;
constexpr wchar_t kMalformedEntry[] = L"--:--:--";

int SecondOfClockText(std::wstring_view text) {
    if (text.size() != 8 || text[2] != L':' || text[5] != L':') {
        return -1;
    }
    const auto field = [&text](std::size_t at) {
        return (text[at] - L'0') * 10 + (text[at + 1] - L'0');
    };
    return field(0) * 3600 + field(3) * 60 + field(6);
}

}  // namespace

HWND OpenMenu(const ProgramUnderTest& program) {
    HWND menu = nullptr;
    PostIconCallback(program.Main(), WM_RBUTTONUP);
    WaitUntil([&] {
        menu = program.Menu();
        return IsShown(menu);
    });
    return IsShown(menu) ? menu : nullptr;
}

bool ChooseMenuItem(const ProgramUnderTest& program, MenuItem item, int downPresses) {
    HWND menu = OpenMenu(program);
    const int presses = downPresses >= 0 ? downPresses : static_cast<int>(item);
    for (int i = 0; i < presses; ++i) {
        PressMenuKeys(menu, {VK_DOWN});
    }
    return PressMenuKeys(menu, {VK_RETURN}) && WaitForMenuClosed(program);
}

bool WaitForMenuClosed(const ProgramUnderTest& program) {
    return WaitUntil([&] { return !IsShown(program.Menu()); });
}

bool ArmingItemEnabled(const ProgramUnderTest& program, MenuItem item, int downPresses) {
    HWND entry = program.MainControl(ControlId::TxTChoix);
    const std::wstring kept = TextOf(entry);
    SetText(entry, kMalformedEntry);
    ChooseMenuItem(program, item, downPresses);
    // The item's handler runs before the menu call returns, so once a
    // message sent now has come back, its box (if any) is open.
    Answers(program.Main());
    const bool refused = program.MessageBox() != nullptr;
    if (refused) {
        PressOk(program);
    }
    SetText(entry, kept);
    return refused;
}

bool PressOk(const ProgramUnderTest& program) {
    HWND box = program.MessageBox();
    return box != nullptr && Click(GetDlgItem(box, IDOK)) &&
           WaitUntil([&] { return program.MessageBox() == nullptr; });
}

std::wstring TimeFarAhead() {
    return ClockText(ReadClock().secondOfDay + kSecondsPerHour);
}

int EnterSecondSoon(const std::vector<const ProgramUnderTest*>& programs,
                    const std::function<void(const ProgramUnderTest&)>& arm) {
    int second = SecondSoonAhead();
    for (int attempt = 0; attempt < kAttemptsToStayAhead; ++attempt) {
        for (const ProgramUnderTest* program : programs) {
            SetText(program->MainControl(ControlId::TxTChoix), ClockText(second));
            if (arm && attempt == 0) {
                arm(*program);
            }
        }
        if (IsStillAhead(second)) {
            break;
        }
        second = SecondSoonAhead();
    }
    return second;
}

std::vector<Arrival> AwaitCountdowns(const std::vector<const ProgramUnderTest*>& programs,
                                     int second, milliseconds timeout) {
    std::vector<Arrival> arrivals(programs.size());
    WaitUntil(
        [&] {
            bool all = true;
            for (std::size_t i = 0; i < programs.size(); ++i) {
                if (arrivals[i].window != nullptr) {
                    continue;
                }
                HWND window = programs[i]->Countdown();
                if (IsShown(window)) {
                    arrivals[i] = {window, IsStillAhead(second)};
                } else {
                    all = false;
                }
            }
            return all;
        },
        timeout);
    return arrivals;
}

bool WaitForClockPast(const ProgramUnderTest& program, int second) {
    return WaitUntil([&] {
        const int shown = SecondOfClockText(TextOf(program.MainControl(ControlId::TxtHeure)));
        const int after = ((shown - second) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
        return shown >= 0 && after > 0 && after < kSecondsPerDay / 2;
    });
}

}  // namespace e2e
