// The three countdowns, armed for a second just ahead and run to their end,
// and each one cancelled.
#include "actions.h"
#include "checks.h"
#include "countdown_checks.h"
#include "expected_texts.h"
#include "local_clock.h"
#include "steps.h"
#include "suite.h"
#include "utf8.h"

namespace e2e {

namespace {

using std::chrono::seconds;

// The bar needs 1312 ticks of 10 ms: about 13 s, more on a loaded machine.
constexpr milliseconds kCountdownLength = seconds{40};
constexpr std::size_t kRestartLineLength = 164;

void CheckRestartLine(Report& report, const ProgramUnderTest& program) {
    const std::vector<std::string> log = program.PowerLog();
    const std::wstring line = log.empty() ? L"" : CommandLineOfRestartLine(log.front());
    report.Check(line == RestartCommandLine() && line.size() == kRestartLineLength,
                 "restart: the logged restart command line is the exact 164-character one",
                 "read \"" + Utf8(line) + "\", " + std::to_string(line.size()) + " characters");
}

// The end of the bar for each kind.
void CheckFinish(Report& report, const CountdownKind& kind, ProgramUnderTest& program) {
    switch (kind.action) {
        case Action::PowerOff:
            CheckEnds(report, "power off: the program ends at the end of the bar", program,
                      kCountdownLength);
            CheckPowerLog(report, "power off: EteindreXP was called, once", program,
                          {std::string{kPowerOffLine}});
            return;
        case Action::Restart:
            CheckEnds(report, "restart: the program ends at the end of the bar", program,
                      kCountdownLength);
            CheckPowerLog(report, "restart: nothing is logged after the restart line", program,
                          LogAtOpening(kind));
            return;
        case Action::Standby:
            break;
    }
    CheckTextSoon(report, "standby: the button reads \"Fin\" at the end of the bar",
                  program.CountdownControl(ControlId::Annuler), kFinCaption, kCountdownLength);
    CheckText(report, "standby: the sentence reads \"Mode mise en veille terminé\"",
              program.CountdownControl(ControlId::Sentence), kStandbyFinished);
    report.Check(!IsShown(program.CountdownControl(ControlId::Number)),
                 "standby: the number is hidden");
    report.Check(BarWidth(program) >= kCountdownClientWidth, "standby: the bar spans the window",
                 std::to_string(BarWidth(program)) + " pixels");
    CheckPowerLog(report, "standby: VeilleXP was called, once", program,
                  {std::string{kStandbyLine}});
    report.Check(program.Alive() && IsShown(program.Countdown()) && !IsShown(program.Main()),
                 "standby: the program lives on, its window open, the main window hidden");
    Click(program.CountdownControl(ControlId::Annuler));
    CheckEnds(report, "standby: \"Fin\" ends the program", program);
    CheckPowerLog(report, "standby: \"Fin\" logs nothing more", program,
                  {std::string{kStandbyLine}});
}

// The three ways of pressing "&Annuler", one for each window.
struct CancelPress {
    Action action;
    std::string_view how;
    bool (*press)(HWND button);
};
const CancelPress kCancelPresses[] = {
    {Action::PowerOff, "a click on \"&Annuler\"", &Click},
    {Action::Restart, "Alt+A", [](HWND button) { return PressAltKey(button, L'a'); }},
    {Action::Standby, "Enter", &PressEnter},
};

// What a countdown shows around its third number tick.
struct Midway {
    bool sawTen = false;
    std::wstring sentenceAtTen;
    bool sawNine = false;
    std::wstring sentenceAtNine;
    int barAtNine = 0;

    void Watch(const ProgramUnderTest& program) {
        if (sawNine) {
            return;
        }
        // The sentence is read before the number at "10" and after it at "9",
        // so a tick between the two reads cannot mislead.
        HWND sentence = program.CountdownControl(ControlId::Sentence);
        const std::wstring sentenceBefore = TextOf(sentence);
        const std::wstring number = TextOf(program.CountdownControl(ControlId::Number));
        if (number == L"10" && !sawTen) {
            sawTen = true;
            sentenceAtTen = sentenceBefore;
        } else if (number == L"9") {
            sawNine = true;
            sentenceAtNine = TextOf(sentence);
            barAtNine = BarWidth(program);
        }
    }
};

}  // namespace

void CountdownsRunToTheirEnd(Suite& suite) {
    Report& report = suite.report;
    // The three run side by side, so their seconds of waiting overlap.
    std::vector<std::unique_ptr<ProgramUnderTest>> owned;
    std::vector<const ProgramUnderTest*> programs;
    for (const CountdownKind& kind : kCountdownKinds) {
        owned.push_back(suite.Start(FromUtf8(kind.name)));
        programs.push_back(owned.back().get());
        ClickInside(owned.back()->MainControl(kind.chosenBy));
        CheckSelectedOption(report, About(kind, "a click selects its option"), *owned.back(),
                            kind.option);
    }

    const int second = EnterSecondSoon(programs, [](const ProgramUnderTest& program) {
        Click(program.MainControl(ControlId::Activer));
    });
    report.Note("armed for " + Utf8(ClockText(second)));
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const CountdownKind& kind = kCountdownKinds[i];
        report.Check(
            !IsShown(programs[i]->Main()) && suite.tray.IconCount(programs[i]->Main()) == 1,
            About(kind, "\"Activer\" hides the main window behind one icon"));
    }

    const std::vector<Arrival> arrivals = AwaitCountdowns(programs, second);
    std::vector<int> barAtOpening;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const CountdownKind& kind = kCountdownKinds[i];
        report.Check(arrivals[i].window != nullptr && !arrivals[i].early,
                     About(kind, "its countdown window opens at the entered second"),
                     arrivals[i].window == nullptr ? "it did not open" : "it opened early");
        CheckJustOpened(report, kind, *programs[i]);
        barAtOpening.push_back(BarWidth(*programs[i]));
    }
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const CountdownKind& kind = kCountdownKinds[i];
        CheckSoon(report, About(kind, "the power log holds what the opening did"),
                  [&] { return programs[i]->PowerLog() == LogAtOpening(kind); });
        if (kind.action == Action::Restart) {
            CheckRestartLine(report, *programs[i]);
        }
    }

    // All three are watched at once: each shows "10" and "9" for a second only.
    std::vector<Midway> midway(programs.size());
    WaitUntil(
        [&] {
            bool all = true;
            for (std::size_t i = 0; i < programs.size(); ++i) {
                midway[i].Watch(*programs[i]);
                all = all && midway[i].sawNine;
            }
            return all;
        },
        kCountdownLength);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const CountdownKind& kind = kCountdownKinds[i];
        report.Check(
            midway[i].sawTen && midway[i].sentenceAtTen == Sentence(kind.opening, kind.wideBlanks),
            About(kind, "at \"10\" the sentence is still the wide one"),
            "read \"" + Utf8(midway[i].sentenceAtTen) + "\"");
        report.Check(midway[i].sawNine,
                     About(kind, "after three number ticks the number reads \"9\""));
        report.Check(midway[i].sentenceAtNine == Sentence(kind.opening, kind.narrowBlanks),
                     About(kind, "with \"9\" comes the narrow sentence"),
                     "read \"" + Utf8(midway[i].sentenceAtNine) + "\"");
        report.Check(midway[i].barAtNine > barAtOpening[i], About(kind, "the bar grows"),
                     std::to_string(barAtOpening[i]) + " then " +
                         std::to_string(midway[i].barAtNine) + " pixels");
    }

    for (std::size_t i = 0; i < programs.size(); ++i) {
        CheckFinish(report, kCountdownKinds[i], *owned[i]);
        report.Check(suite.tray.IconCount(programs[i]->Main()) == 0,
                     About(kCountdownKinds[i], "the icon is gone at the end"));
    }
}

void CancelInEachCountdown(Suite& suite) {
    Report& report = suite.report;
    for (const CancelPress& press : kCancelPresses) {
        const CountdownKind& kind = KindOf(press.action);
        auto program = suite.Start(L"cancel");
        HWND main = program->Main();
        RetireToIcon(*program, ControlId::Suspendre, TimeFarAhead());
        ChooseMenuItem(*program, kind.menuItem);
        CheckSoon(report, About(kind, "its menu item opens its countdown window"),
                  [&] { return IsShown(program->Countdown()); });
        CheckJustOpened(report, kind, *program);
        CheckSoon(report, About(kind, "the power log holds what the opening did"),
                  [&] { return program->PowerLog() == LogAtOpening(kind); });
        press.press(program->CountdownControl(ControlId::Annuler));
        CheckEnds(report, About(kind, std::string{press.how} + " ends the program"), *program);
        CheckPowerLog(
            report, About(kind, "the cancel calls no power action but the withdrawal of a restart"),
            *program, LogAfterCancel(kind));
        report.Check(suite.tray.IconCount(main) == 0, About(kind, "the icon is gone"));
    }
}

}  // namespace e2e
