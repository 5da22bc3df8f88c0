#include "countdown_checks.h"

#include "checks.h"
#include "expected_texts.h"

namespace e2e {

namespace {

std::string Seen(const RECT& rect) {
    return "left " + std::to_string(rect.left) + ", top " + std::to_string(rect.top) + ", " +
           std::to_string(WidthOf(rect)) + " x " + std::to_string(HeightOf(rect));
}

}  // namespace

void CheckJustOpened(Report& report, const CountdownKind& kind, const ProgramUnderTest& program) {
    // The texts first: the number stays "12" for a second only.
    CheckText(report, About(kind, "the number starts at \"12\""),
              program.CountdownControl(ControlId::Number), L"12");
    CheckText(report, About(kind, "the wide sentence is shown"),
              program.CountdownControl(ControlId::Sentence),
              Sentence(kind.opening, kind.wideBlanks));
    CheckText(report, About(kind, "the button reads \"&Annuler\""),
              program.CountdownControl(ControlId::Annuler), kAnnulerCaption);

    HWND window = program.Countdown();
    const RECT client = ClientRectOnScreen(window);
    report.Check(client.left == kCountdownClientLeft && client.top == kind.clientTop &&
                     WidthOf(client) == kCountdownClientWidth &&
                     HeightOf(client) == kCountdownClientHeight,
                 About(kind, "the window's client area stands in the top-left corner, 476 x 54"),
                 Seen(client));
    report.Check(
        TextOf(window).empty() && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0,
        About(kind, "the window is an untitled tool window"));
    report.Check(IsTopmost(window), About(kind, "the window is topmost"));
    const RECT number = PlaceInParent(program.CountdownControl(ControlId::Number));
    const RECT sentence = PlaceInParent(program.CountdownControl(ControlId::Sentence));
    report.Check(number.left == kind.numberLeft && WidthOf(sentence) == kind.sentenceWidth,
                 About(kind, "the number stands over the sentence's gap of blanks"),
                 "number " + Seen(number) + "; sentence " + Seen(sentence));
    report.Check(!IsShown(program.Main()), About(kind, "the main window is hidden"));
}

int BarWidth(const ProgramUnderTest& program) {
    return WidthOf(WindowRectOf(program.CountdownControl(ControlId::Bar)));
}

}  // namespace e2e
