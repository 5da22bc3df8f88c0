// Malformed entries, and times that no clock shows, are refused with the
// message box and the example text; a well-formed time is taken.
#include "actions.h"
#include "checks.h"
#include "expected_texts.h"
#include "steps.h"
#include "suite.h"
#include "utf8.h"

namespace e2e {

namespace {

struct Malformed {
    std::wstring_view entry;
    ControlId button;  // the entry itself: Enter there presses the default button
};

// The example text left by a refusal is itself malformed: it comes last.
const Malformed kMalformed[] = {
    {kEntryInvitation, ControlId::Activer}, {L"4:30:25", ControlId::TxTChoix},
    {L"04:60:00", ControlId::Suspendre},    {L"04.30.25", ControlId::Activer},
    {L"04:30:25 ", ControlId::Activer},     {L"", ControlId::Suspendre},
    {L"24:00:00", ControlId::Activer},      {L"59:59:59", ControlId::Suspendre},
};

std::string Label(std::wstring_view entry, ControlId button) {
    const std::string pressed = button == ControlId::TxTChoix    ? "Enter in the entry"
                                : button == ControlId::Suspendre ? "\"Suspendre\""
                                                                 : "\"Activer\"";
    return "\"" + Utf8(entry) + "\" with " + pressed;
}

void CheckRefused(Report& report, const ProgramUnderTest& program, std::wstring_view entry,
                  ControlId button) {
    const std::string label = Label(entry, button);
    SetText(program.MainControl(ControlId::TxTChoix), entry);
    // The box is modal: the press is posted, not waited for.
    if (button == ControlId::TxTChoix) {
        PressEnter(program.MainControl(button));
    } else {
        PostClick(program.MainControl(button));
    }
    HWND box = nullptr;
    WaitUntil([&] {
        box = program.MessageBox();
        return IsShown(box);
    });
    const std::wstring title = TextOf(box);
    const std::wstring prompt = TextOf(GetDlgItem(box, kMessageBoxPromptId));
    report.Check(title == kRefusalTitle && prompt == kRefusalPrompt &&
                     IsShown(GetDlgItem(box, IDOK)) && !IsShown(GetDlgItem(box, IDCANCEL)),
                 label + " is refused with the message and a single OK button",
                 "box \"" + Utf8(title) + "\": \"" + Utf8(prompt) + "\"");
    report.Check(PressOk(program), label + ": OK closes the message");
    CheckTextSoon(report, label + ": the entry then shows the example",
                  program.MainControl(ControlId::TxTChoix), EntryExample());
}

}  // namespace

void Refusal(Suite& suite) {
    Report& report = suite.report;
    auto program = suite.Start(L"refusal");
    for (const Malformed& malformed : kMalformed) {
        CheckRefused(report, *program, malformed.entry, malformed.button);
    }
    CheckRefused(report, *program, EntryExample(), ControlId::Activer);

    HWND main = program->Main();
    report.Check(IsShown(main) && program->Countdown() == nullptr &&
                     suite.tray.IconCount(main) == 0 && program->PowerLog().empty(),
                 "after the refusals the main window is shown, with no icon and no countdown");
    CheckText(report, "after the refusals the verdict is empty",
              program->MainControl(ControlId::Conforme), L"");

    HWND entry = program->MainControl(ControlId::TxTChoix);
    ClickInside(entry);
    CheckText(report, "a click into the entry empties it", entry, L"");

    report.Check(RetireToIcon(*program, ControlId::Activer, TimeFarAhead()) &&
                     suite.tray.IconCount(main) == 1,
                 "a well-formed time is taken: the main window goes to the icon");
    CheckText(report, "the verdict is \"OUI\"", program->MainControl(ControlId::Conforme), L"OUI");
}

}  // namespace e2e
