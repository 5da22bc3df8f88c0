// The main window as the program starts, and its clock.
#include <cstdlib>

#include "checks.h"
#include "expected_texts.h"
#include "local_clock.h"
#include "suite.h"
#include "utf8.h"

namespace e2e {

namespace {

// The first tick can come at any point of the first second; the driver may
// look a moment too late. Each start is a fresh chance to see the placeholder.
constexpr int kStartsToSeeThePlaceholder = 3;
constexpr milliseconds kQuickPoll{1};
constexpr int kMainClientWidth = 363;
constexpr int kMainClientHeight = 155;
constexpr milliseconds kTickPatience{2500};

// The clock text first read as soon as the main window is shown.
std::wstring FirstClockText(const ProgramUnderTest& program) {
    HWND clock = nullptr;
    WaitUntil(
        [&] {
            clock = program.MainControl(ControlId::TxtHeure);
            return IsShown(program.Main());
        },
        kPatience, kQuickPoll);
    return TextOf(clock);
}

bool IsCurrentClockText(std::wstring_view text) {
    // Read just after a second begins, the clock may still show the last one.
    const int now = ReadClock().secondOfDay;
    return text == ClockText(now) || text == ClockText(now - 1);
}

void CheckClockTicks(Report& report, const ProgramUnderTest& program) {
    HWND clock = program.MainControl(ControlId::TxtHeure);
    for (int tick = 1; tick <= 2; ++tick) {
        const std::wstring before = TextOf(clock);
        std::wstring after;
        const bool changed = WaitUntil(
            [&] {
                after = TextOf(clock);
                return after != before;
            },
            kTickPatience);
        report.Check(
            changed && IsCurrentClockText(after),
            "the clock changes to the current time, hh:mm:ss (tick " + std::to_string(tick) + ")",
            "read \"" + Utf8(after) + "\" after \"" + Utf8(before) + "\"");
    }
}

}  // namespace

void StartUp(Suite& suite) {
    Report& report = suite.report;
    std::unique_ptr<ProgramUnderTest> program;
    std::wstring firstClock;
    for (int start = 0; start < kStartsToSeeThePlaceholder && firstClock != kClockPlaceholder;
         ++start) {
        program = suite.Launch(L"start-up");
        firstClock = FirstClockText(*program);
    }
    report.Check(firstClock == kClockPlaceholder,
                 "the clock reads \"Heure Système\" until its first tick",
                 "first read \"" + Utf8(firstClock) + "\"");

    HWND main = program->Main();
    report.Check(IsShown(main) && IsTopmost(main), "the main window is shown and topmost");
    CheckText(report, "the main window is titled \"Kalvoro XP\"", main, kProgramTitle);
    const RECT client = ClientRectOnScreen(main);
    const RECT frame = WindowRectOf(main);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    report.Check(WidthOf(client) == kMainClientWidth && HeightOf(client) == kMainClientHeight,
                 "its client area is 363 x 155",
                 std::to_string(WidthOf(client)) + " x " + std::to_string(HeightOf(client)));
    report.Check(std::abs(frame.left + frame.right - screenWidth) <= 1 &&
                     std::abs(frame.top + frame.bottom - screenHeight) <= 1,
                 "it is centred on the screen");
    CheckText(report, "the entry shows its invitation", program->MainControl(ControlId::TxTChoix),
              kEntryInvitation);
    CheckText(report, "the verdict is empty", program->MainControl(ControlId::Conforme), L"");
    CheckSelectedOption(report, "\"Arrêter\" is selected", *program, ControlId::Arreter);
    report.Check(suite.tray.IconCount(main) == 0, "there is no icon");
    CheckClockTicks(report, *program);
}

}  // namespace e2e
