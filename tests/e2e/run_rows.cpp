#include "run_rows.h"

#include <shellapi.h>

#include <array>
#include <memory>

#include "actions.h"
#include "local_clock.h"
#include "steps.h"
#include "storm.h"
#include "utf8.h"

namespace e2e {

namespace {

using std::chrono::seconds;

// The bar needs 1312 ticks of 10 ms: about 13 s, more on a loaded machine.
constexpr milliseconds kCountdownLength = seconds{40};
constexpr milliseconds kTickPatience{2500};
constexpr milliseconds kKeyPatience{2000};
constexpr milliseconds kShotPatience{20000};
// The first tick can come at any point of the first second; the driver may
// look a moment too late. Each start is a fresh chance to see the placeholder.
constexpr int kStartsToSeeThePlaceholder = 3;
constexpr int kSweepRowStep = 8;  // pixels between the rows the pointer sweeps
constexpr std::size_t kRestartLineLength = 164;
constexpr ControlId kOptions[] = {ControlId::Arreter, ControlId::Reboot, ControlId::Veille};

std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

std::string Seen(const RECT& rect) {
    return "left " + std::to_string(rect.left) + ", top " + std::to_string(rect.top) + ", " +
           std::to_string(WidthOf(rect)) + " x " + std::to_string(HeightOf(rect));
}

std::string Listed(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += (out.empty() ? "[\"" : ", \"") + line + "\"";
    }
    return out.empty() ? "[]" : out + "]";
}

// Its corner and its size scaled each on its own, as the program places windows.
RECT Scaled(const RECT& twips, int dpi) {
    const int left = Pixels(twips.left, dpi);
    const int top = Pixels(twips.top, dpi);
    return {left, top, left + Pixels(twips.right - twips.left, dpi),
            top + Pixels(twips.bottom - twips.top, dpi)};
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

// Text widths in the countdowns' font, as it is drawn at this dpi.
class Measure {
  public:
    explicit Measure(int dpi)
        : dc_(CreateCompatibleDC(nullptr)),
          font_(CreateFontW(-((kCountdownFontCentipoints * dpi + 3600) / 7200), 0, 0, 0, FW_NORMAL,
                            FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            kCountdownFont)),
          old_(SelectObject(dc_, font_)) {}
    ~Measure() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int Width(std::wstring_view text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

// Whether the number drawn from `numberLeft` lies inside the sentence's gap
// of blanks, with a blank to spare on the right if asked.
struct GapFit {
    bool inside;
    std::string seen;
};
GapFit FitsTheGap(const Measure& measure, const CountdownKind& kind, int blanks,
                  std::wstring_view number, int numberLeft, int sentenceLeft, bool spare) {
    const int gapStart = sentenceLeft + measure.Width(kind.opening);
    const int gapEnd = sentenceLeft + measure.Width(Sentence(kind.opening, blanks)) -
                       measure.Width(L"seconde(s) ...");
    const int numberEnd = numberLeft + measure.Width(number) + (spare ? measure.Width(L" ") : 0);
    return {numberLeft >= gapStart && numberEnd <= gapEnd,
            Quoted(number) + " from " + std::to_string(numberLeft) + " to " +
                std::to_string(numberEnd) + (spare ? " with a blank" : "") + ", gap " +
                std::to_string(gapStart) + " to " + std::to_string(gapEnd)};
}

// A window property's name, and whether it holds a value, added to a text.
BOOL CALLBACK AddProperty(HWND, LPWSTR name, HANDLE value, ULONG_PTR text) {
    *reinterpret_cast<std::wstring*>(text) +=
        L" " +
        (IS_INTRESOURCE(name) ? std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                              : std::wstring{name}) +
        (value != nullptr ? L"=set" : L"=none");
    return TRUE;
}

// What a countdown shows as its number ticks.
struct Midway {
    bool sawTen = false;
    std::wstring sentenceAtTen;
    bool sawNine = false;
    std::wstring sentenceAtNine;
    int barAtNine = 0;
    // The number's place and the sentence's left edge when it read "9", "0", "-1".
    std::array<std::pair<RECT, int>, 3> places{};
    std::array<bool, 3> saw{};

    // Done once "-1" has been seen, or "0" and the number is gone.
    bool Watch(const ProgramUnderTest& program) {
        HWND numberLabel = program.CountdownControl(ControlId::Number);
        if (saw[2] || (saw[1] && !IsShown(numberLabel))) {
            return true;
        }
        // The sentence is read before the number at "10" and after it at "9",
        // so a tick between the two reads cannot mislead.
        HWND sentence = program.CountdownControl(ControlId::Sentence);
        const std::wstring sentenceBefore = TextOf(sentence);
        const std::wstring number = TextOf(numberLabel);
        if (number == L"10" && !sawTen) {
            sawTen = true;
            sentenceAtTen = sentenceBefore;
        }
        if (number == L"9" && !sawNine) {
            sawNine = true;
            sentenceAtNine = TextOf(sentence);
            barAtNine = WidthOf(WindowRectOf(program.CountdownControl(ControlId::Bar)));
        }
        const std::wstring_view tracked[] = {L"9", L"0", L"-1"};
        for (std::size_t i = 0; i < 3; ++i) {
            if (number == tracked[i] && !saw[i]) {
                saw[i] = true;
                places[i] = {PlaceInParent(numberLabel), PlaceInParent(sentence).left};
            }
        }
        return false;
    }
};

// One row's programs and what the steps remember between them.
class RowRun {
  public:
    RowRun(const RunSetting& setting, Report& report, FakeTray& tray)
        : setting_(setting), report_(report), tray_(tray), measure_(setting.dpi) {}

    void Run(const Step& step);

  private:
    ProgramUnderTest& Program() const { return *programs_[current_]; }
    HWND Main() const { return mains_[current_]; }
    std::vector<const ProgramUnderTest*> Started() const {
        std::vector<const ProgramUnderTest*> started;
        for (const auto& program : programs_) {
            if (program) {
                started.push_back(program.get());
            }
        }
        return started;
    }
    bool Check(bool ok, std::string_view what, std::string_view why = {}) {
        return report_.Check(ok, what, why);
    }
    std::string About(int kind, std::string_view what) const {
        return std::string{kCountdownKinds[static_cast<std::size_t>(kind)].name} + ": " +
               std::string{what};
    }

    std::unique_ptr<ProgramUnderTest> Launch();
    bool Facts(int facts, int more, std::string& why) const;
    void FirstClock(std::string_view label);
    void MainWindow();
    void ClockTicks();
    bool Selected(ControlId selected, std::string& seen) const;
    void Refused(std::wstring_view entry, ControlId button);
    void Opened(int kind);
    void WatchMidway();
    void OptionKeys();
    void OptionsAlike(std::string_view label);
    void PointerSweep(std::string_view label);
    void Shoot(HWND window, std::string_view name);

    const RunSetting& setting_;
    Report& report_;
    FakeTray& tray_;
    Measure measure_;
    std::array<std::unique_ptr<ProgramUnderTest>, 3> programs_;
    std::array<HWND, 3> mains_{};
    std::array<int, 3> barAtOpening_{};
    std::size_t current_ = 0;
    int second_ = 0;
    std::vector<Arrival> arrivals_;
    HWND menu_ = nullptr;
};

std::unique_ptr<ProgramUnderTest> RowRun::Launch() {
    static int started = 0;
    return std::make_unique<ProgramUnderTest>(
        setting_.program, setting_.workRoot + L"\\" + std::to_wstring(++started));
}

void RowRun::Run(const Step& step) {
    // Main window and countdown controls have ids of their own (1001..., 2001...).
    const auto control = [&step](const ProgramUnderTest& program) {
        const auto id = static_cast<ControlId>(step.what);
        HWND main = program.MainControl(id);
        return main != nullptr ? main : program.CountdownControl(id);
    };
    std::string why;
    switch (step.op) {
        case Op::Start:
            programs_[current_] = Launch();
            Check(Program().Started() && Program().WaitUntilReady(),
                  "the program starts and its main window's clock ticks");
            mains_[current_] = Program().Main();
            return;
        case Op::Use:
            current_ = static_cast<std::size_t>(step.what);
            return;
        case Op::Type:
            SetText(Program().MainControl(ControlId::TxTChoix),
                    step.what == kAnHourAhead ? TimeFarAhead() : std::wstring{step.text});
            return;
        case Op::Press:
            Click(control(Program()));
            return;
        case Op::PressPosted:
            PostClick(control(Program()));
            return;
        case Op::PressEnter:
            PressEnter(control(Program()));
            return;
        case Op::PressAltA:
            PressAltKey(control(Program()), L'a');
            return;
        case Op::ClickIn:
            ClickInside(control(Program()));
            return;
        case Op::CloseBox:
            PressCloseBox(step.what == 0 ? Program().Main() : Program().Countdown());
            return;
        case Op::Icon:
            PostIconCallback(Main(), static_cast<UINT>(step.what));
            return;
        case Op::IconSent:
            SendIconCallback(Main(), static_cast<UINT>(step.what));
            return;
        case Op::Choose:
            ChooseMenuItem(Program(), static_cast<MenuItem>(step.what),
                           step.more > 0 ? step.more : -1);
            return;
        case Op::OpenMenu:
            menu_ = OpenMenu(Program());
            return;
        case Op::MenuKey:
            PressMenuKeys(menu_, {static_cast<WORD>(step.what)});
            return;
        case Op::OkBox:
            PressOk(Program());
            return;
        case Op::RestartTray:
            // A broadcast sent with SendMessageTimeout has been handled when it returns.
            tray_.Restart();
            return;
        case Op::ShowMain:
            ShowWindowAsync(Main(), SW_SHOWNA);
            return;
        case Op::ArmSoon:
            second_ = EnterSecondSoon(Started(), [&step](const ProgramUnderTest& program) {
                if (step.what != 0) {
                    Click(program.MainControl(static_cast<ControlId>(step.what)));
                }
            });
            report_.Note("armed for " + Utf8(ClockText(second_)));
            return;
        case Op::AwaitCountdowns:
            arrivals_ = AwaitCountdowns(Started(), second_);
            return;
        case Op::Shoot: {
            HWND windows[] = {Program().Main(), Program().Countdown(), Program().Menu(),
                              Program().MessageBox()};
            Shoot(windows[step.what], step.label);
            return;
        }
        case Op::Holds: {
            const bool held = WaitUntil([&] { return Facts(step.what, step.more, why); }) ||
                              Facts(step.what, step.more, why);
            if (!step.label.empty()) {
                Check(held, step.label, why);
            }
            return;
        }
        case Op::FirstClock:
            FirstClock(step.label);
            return;
        case Op::MainWindow:
            MainWindow();
            return;
        case Op::ClockTicks:
            ClockTicks();
            return;
        case Op::Text: {
            HWND window = control(Program());
            WaitUntil([&] { return TextOf(window) == step.text; },
                      step.more ? kCountdownLength : kPatience);
            const std::wstring actual = TextOf(window);
            Check(actual == step.text, step.label,
                  "read " + Quoted(actual) + ", expected " + Quoted(step.text));
            return;
        }
        case Op::Selected:
            Check(Selected(static_cast<ControlId>(step.what), why), step.label, why);
            return;
        case Op::Refused:
            Refused(step.text, static_cast<ControlId>(step.what));
            return;
        case Op::Ends:
            Check(Program().WaitForExit(step.more ? kCountdownLength : kPatience), step.label,
                  "still running");
            return;
        case Op::IconAdded: {
            const auto added = tray_.RequestsOf(Main());
            Check(added.size() == 1 && added[0].message == NIM_ADD && added[0].id == 1 &&
                      added[0].flags == (NIF_MESSAGE | NIF_ICON | NIF_TIP) &&
                      added[0].callbackMessage == WM_MOUSEMOVE && added[0].granted,
                  step.label);
            return;
        }
        case Op::IconKept: {
            const auto again = tray_.RequestsOf(Main());
            Check(!IsShown(Main()) && tray_.IconCount(Main()) == 1 && again.size() == 2 &&
                      !again[1].granted,
                  step.label);
            return;
        }
        case Op::IconReadded: {
            const auto requests = tray_.RequestsOf(Main());
            Check(tray_.IconCount(Main()) == 1 && requests.size() == 2 &&
                      requests.back().message == NIM_ADD && requests.back().granted,
                  step.label);
            return;
        }
        case Op::IconDeleted: {
            const auto requests = tray_.RequestsOf(Main());
            Check(tray_.IconCount(Main()) == 0 && !requests.empty() &&
                      requests.back().message == NIM_DELETE,
                  step.label);
            return;
        }
        case Op::OnlyArming: {
            const bool activer = ArmingItemEnabled(Program(), MenuItem::Activer);
            const bool suspendre = ArmingItemEnabled(Program(), MenuItem::Suspendre);
            Check(activer == (step.what == static_cast<int>(MenuItem::Activer)) &&
                      suspendre == !activer,
                  step.label);
            return;
        }
        case Op::MenuComesRound:
            Check(ArmingItemEnabled(Program(), MenuItem::Suspendre, kMenuItemCount + 2),
                  step.label);
            return;
        case Op::SecondPasses:
            WaitForClockPast(Program(), second_);
            Check(Program().Countdown() == nullptr, step.label);
            return;
        case Op::Arrived: {
            const Arrival arrival = current_ < arrivals_.size() ? arrivals_[current_] : Arrival{};
            Check(arrival.window != nullptr && !arrival.early, step.label,
                  arrival.window == nullptr ? "it did not open" : "it opened early");
            return;
        }
        case Op::Opened:
            Opened(step.what);
            return;
        case Op::RestartLine: {
            const std::vector<std::string> log = Program().PowerLog();
            const std::wstring line = log.empty() ? L"" : CommandLineOfRestartLine(log.front());
            Check(line == RestartCommandLine() && line.size() == kRestartLineLength, step.label,
                  "read " + Quoted(line));
            return;
        }
        case Op::Midway:
            WatchMidway();
            return;
        case Op::PointerSweep:
            PointerSweep(step.label);
            return;
        case Op::OptionKeys:
            OptionKeys();
            return;
        case Op::OptionsAlike:
            OptionsAlike(step.label);
            return;
        case Op::Storm:
            e2e::Storm(report_, tray_, Program(), Main());
            return;
    }
}

bool RowRun::Facts(int facts, int more, std::string& why) const {
    const ProgramUnderTest& program = Program();
    HWND countdown = program.Countdown();
    const std::vector<std::string> log = program.PowerLog();
    const std::vector<std::string> expected = LinesOf(static_cast<Log>(more));
    const CountdownKind& kind = kCountdownKinds[static_cast<std::size_t>(more) % 3];
    struct Observed {
        int fact;
        std::string name;
        bool holds;
    };
    const Observed table[] = {
        {kMainShown, "main shown", IsShown(Main())},
        {kMainHidden, "main hidden", !IsShown(Main())},
        {kCountdownShown, "countdown shown", IsShown(countdown)},
        {kNoCountdown, "no countdown", countdown == nullptr},
        {kMenuShown, "menu shown", IsShown(program.Menu())},
        {kNoMenu, "no menu", !IsShown(program.Menu())},
        {kNoIcon, "no icon", tray_.IconCount(Main()) == 0},
        {kOneIcon, "one icon", tray_.IconCount(Main()) == 1},
        {kAlive, "alive", program.Alive()},
        {kLogIs, "power log " + Listed(log), log == expected},
        {kMainTopmost, "main topmost", IsTopmost(Main())},
        {kOneMenu, "one menu",
         TopLevelWindows(GetWindowThreadProcessId(Main(), nullptr), kMenuClass).size() <= 1},
        {kBoxShown, "message box shown", IsShown(program.MessageBox())},
        {kCountdownOfKind, std::string{kind.name} + " countdown",
         TextOf(program.CountdownControl(ControlId::Sentence)) ==
             Sentence(kind.opening, kind.wideBlanks)},
        {kNumberHidden, "number hidden", !IsShown(program.CountdownControl(ControlId::Number))},
        {kBarFull, "bar full",
         WidthOf(WindowRectOf(program.CountdownControl(ControlId::Bar))) >=
             Pixels(kCountdownClientWidth, setting_.dpi)},
    };
    why.clear();
    for (const Observed& seen : table) {
        if ((facts & seen.fact) != 0 && !seen.holds) {
            why += (why.empty() ? "not so: " : ", ") + seen.name;
        }
    }
    return why.empty();
}

void RowRun::FirstClock(std::string_view label) {
    std::wstring first;
    for (int start = 0; start < kStartsToSeeThePlaceholder && first != kClockPlaceholder; ++start) {
        programs_[current_] = Launch();
        HWND clock = nullptr;
        WaitUntil(
            [&] {
                clock = Program().MainControl(ControlId::TxtHeure);
                return IsShown(Program().Main());
            },
            kPatience, milliseconds{1});
        first = TextOf(clock);
    }
    mains_[current_] = Program().Main();
    Check(first == kClockPlaceholder, label, "first read " + Quoted(first));
}

void RowRun::MainWindow() {
    const int dpi = setting_.dpi;
    HWND main = Main();
    Check(TextOf(main) == kProgramTitle, "the main window is titled \"Kalvoro XP\"");
    const RECT client = ClientRectOnScreen(main);
    const int width = Pixels(kMainClientWidth, dpi);
    const int height = Pixels(kMainClientHeight, dpi);
    Check(WidthOf(client) == width && HeightOf(client) == height,
          "its client area is " + std::to_string(width) + " x " + std::to_string(height),
          Seen(client));
    const RECT frame = WindowRectOf(main);
    Check(std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
              std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 1,
          "it is centred on the screen", Seen(frame));
    std::string misplaced;
    for (const Place& place : kMainPlaces) {
        const RECT seen = PlaceInParent(Program().MainControl(place.id));
        if (!SameRect(seen, Scaled(place.box, dpi))) {
            misplaced += " " + std::to_string(static_cast<int>(place.id)) + " at " + Seen(seen);
        }
    }
    Check(misplaced.empty(),
          "its controls stand at their places, scaled to " + std::to_string(dpi) + " dpi",
          misplaced);
}

void RowRun::ClockTicks() {
    HWND clock = Program().MainControl(ControlId::TxtHeure);
    for (int tick = 1; tick <= 2; ++tick) {
        const std::wstring before = TextOf(clock);
        std::wstring after;
        const bool changed = WaitUntil(
            [&] {
                after = TextOf(clock);
                return after != before;
            },
            kTickPatience);
        // Read just after a second begins, the clock may still show the last one.
        const int now = ReadClock().secondOfDay;
        Check(changed && (after == ClockText(now) || after == ClockText(now - 1)),
              "the clock changes to the current time, hh:mm:ss (tick " + std::to_string(tick) + ")",
              "read " + Quoted(after) + " after " + Quoted(before));
    }
}

bool RowRun::Selected(ControlId selected, std::string& seen) const {
    bool ok = true;
    seen = "Arrêter, Reboot, Veille read ";
    for (const ControlId option : kOptions) {
        const bool checked = IsChecked(Program().MainControl(option));
        ok = ok && checked == (option == selected);
        seen += checked ? "x" : "o";
    }
    return ok;
}

void RowRun::Refused(std::wstring_view entry, ControlId button) {
    const std::string label = Quoted(entry) + " with " +
                              (button == ControlId::TxTChoix    ? "Enter in the entry"
                               : button == ControlId::Suspendre ? "\"Suspendre\""
                                                                : "\"Activer\"");
    const ProgramUnderTest& program = Program();
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
    Check(title == kRefusalTitle && prompt == kRefusalPrompt && IsShown(GetDlgItem(box, IDOK)) &&
              !IsShown(GetDlgItem(box, IDCANCEL)),
          label + " is refused with the message and a single OK button",
          "box " + Quoted(title) + ": " + Quoted(prompt));
    Check(PressOk(program), label + ": OK closes the message");
    HWND field = program.MainControl(ControlId::TxTChoix);
    WaitUntil([&] { return TextOf(field) == kEntryExample; });
    Check(TextOf(field) == kEntryExample, label + ": the entry then shows the example",
          "read " + Quoted(TextOf(field)));
}

void RowRun::Opened(int index) {
    const CountdownKind& kind = kCountdownKinds[static_cast<std::size_t>(index)];
    const ProgramUnderTest& program = Program();
    const int dpi = setting_.dpi;
    // The texts first: the number stays "12" for a second only.
    const std::wstring number = TextOf(program.CountdownControl(ControlId::Number));
    const std::wstring sentence = TextOf(program.CountdownControl(ControlId::Sentence));
    Check(number == L"12", About(index, "the number starts at \"12\""), "read " + Quoted(number));
    Check(sentence == Sentence(kind.opening, kind.wideBlanks),
          About(index, "the wide sentence is shown"), "read " + Quoted(sentence));
    Check(TextOf(program.CountdownControl(ControlId::Annuler)) == kAnnulerCaption,
          About(index, "the button reads \"&Annuler\""));

    HWND window = program.Countdown();
    const RECT client = ClientRectOnScreen(window);
    const RECT expected =
        Scaled({kCountdownClientLeft, kind.clientTop, kCountdownClientLeft + kCountdownClientWidth,
                kind.clientTop + kCountdownClientHeight},
               dpi);
    Check(SameRect(client, expected),
          About(index, "the window's client area stands in the top-left corner, " +
                           std::to_string(WidthOf(expected)) + " x " +
                           std::to_string(HeightOf(expected))),
          Seen(client));
    Check(TextOf(window).empty() && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0,
          About(index, "the window is an untitled tool window"));
    Check(IsTopmost(window), About(index, "the window is topmost"));

    // The number keeps the layout's place wherever the text fits there.
    const RECT numberBox = PlaceInParent(program.CountdownControl(ControlId::Number));
    const RECT sentenceBox = PlaceInParent(program.CountdownControl(ControlId::Sentence));
    const RECT button = PlaceInParent(program.CountdownControl(ControlId::Annuler));
    const int sentenceLeft = Pixels(kSentenceLeft, dpi);
    const int layoutLeft = Pixels(kind.numberLeft, dpi);
    const bool fitsAtLayout =
        FitsTheGap(measure_, kind, kind.wideBlanks, L"12", layoutLeft, sentenceLeft, true).inside &&
        FitsTheGap(measure_, kind, kind.narrowBlanks, L"9", layoutLeft, sentenceLeft, true)
            .inside &&
        FitsTheGap(measure_, kind, kind.narrowBlanks, L"-1", layoutLeft, sentenceLeft, false)
            .inside;
    Check((!fitsAtLayout || numberBox.left == layoutLeft) && sentenceBox.left == sentenceLeft &&
              WidthOf(sentenceBox) == Pixels(kind.sentenceWidth, dpi) &&
              SameRect(button, Scaled(kAnnulerPlace, dpi)),
          About(index,
                "the sentence and the button stand at their places, the number at the "
                "layout's where it fits the gap"),
          "number " + Seen(numberBox) + "; sentence " + Seen(sentenceBox) + "; button " +
              Seen(button));
    const GapFit twelve =
        FitsTheGap(measure_, kind, kind.wideBlanks, L"12", numberBox.left, sentenceBox.left, true);
    Check(twelve.inside, About(index, "\"12\" lies inside the gap with a blank to spare"),
          twelve.seen);
    Check(!IsShown(Main()), About(index, "the main window is hidden"));
    barAtOpening_[current_] = WidthOf(WindowRectOf(program.CountdownControl(ControlId::Bar)));
}

void RowRun::WatchMidway() {
    std::vector<const ProgramUnderTest*> programs = Started();
    std::vector<Midway> midway(programs.size());
    WaitUntil(
        [&] {
            bool all = true;
            for (std::size_t i = 0; i < programs.size(); ++i) {
                all = midway[i].Watch(*programs[i]) && all;
            }
            return all;
        },
        kCountdownLength);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const Midway& seen = midway[i];
        const CountdownKind& kind = kCountdownKinds[i];
        const int k = static_cast<int>(i);
        Check(seen.sawTen && seen.sentenceAtTen == Sentence(kind.opening, kind.wideBlanks),
              About(k, "at \"10\" the sentence is still the wide one"),
              "read " + Quoted(seen.sentenceAtTen));
        Check(seen.sawNine, About(k, "after three number ticks the number reads \"9\""));
        Check(seen.sentenceAtNine == Sentence(kind.opening, kind.narrowBlanks),
              About(k, "with \"9\" comes the narrow sentence"),
              "read " + Quoted(seen.sentenceAtNine));
        Check(seen.barAtNine > barAtOpening_[i], About(k, "the bar grows"),
              std::to_string(barAtOpening_[i]) + " then " + std::to_string(seen.barAtNine));
        const auto [atNine, leftAtNine] = seen.places[0];
        const GapFit nine =
            FitsTheGap(measure_, kind, kind.narrowBlanks, L"9", atNine.left, leftAtNine, true);
        Check(seen.saw[0] && nine.inside,
              About(k, "\"9\" lies inside the narrow gap with a blank to spare"), nine.seen);
        // "-1" shows for a tenth of a second only; unseen, it is judged where "0" stood.
        const auto [atEnd, leftAtEnd] = seen.saw[2] ? seen.places[2] : seen.places[1];
        const GapFit zero = FitsTheGap(measure_, kind, kind.narrowBlanks, L"0",
                                       seen.places[1].first.left, seen.places[1].second, false);
        const GapFit minusOne =
            FitsTheGap(measure_, kind, kind.narrowBlanks, L"-1", atEnd.left, leftAtEnd, false);
        Check(seen.saw[1] && zero.inside && minusOne.inside,
              About(k, "\"0\" and \"-1\" lie inside the narrow gap"),
              zero.seen + "; " + minusOne.seen);
    }
}

void RowRun::OptionKeys() {
    HWND main = Main();
    ClickInside(Program().MainControl(ControlId::Arreter));  // focuses and selects it
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    struct Round {
        WORD key;
        std::string_view label;
        std::array<ControlId, 3> order;
    };
    const Round rounds[] = {
        {VK_DOWN,
         "Down moves from \"Arrêter\" through \"Veille\" and \"Reboot\" back again",
         {ControlId::Veille, ControlId::Reboot, ControlId::Arreter}},
        {VK_UP,
         "Up moves from \"Arrêter\" through \"Reboot\" and \"Veille\" back again",
         {ControlId::Reboot, ControlId::Veille, ControlId::Arreter}},
    };
    for (const Round& round : rounds) {
        std::string seen;
        bool ok = true;
        for (const ControlId next : round.order) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(thread, &info);
            PostMessageW(info.hwndFocus, WM_KEYDOWN, round.key, 1);
            std::string state;
            ok = WaitUntil([&] { return Selected(next, state); }, kKeyPatience) && ok;
            seen += " " + state.substr(state.size() - 3);
        }
        Check(ok, round.label, "read" + seen);
    }
}

void RowRun::OptionsAlike(std::string_view label) {
    // What decides how a button is drawn: its class, its style and its
    // window properties (a theme switched off for one control leaves its mark there).
    const auto lookOf = [](HWND button) {
        std::wstring look = ClassOf(button) + L" " +
                            std::to_wstring(GetWindowLongW(button, GWL_STYLE) &
                                            (BS_TYPEMASK | BS_LEFTTEXT | BS_PUSHLIKE | BS_FLAT)) +
                            L" " + std::to_wstring(GetWindowLongW(button, GWL_EXSTYLE));
        EnumPropsExW(button, &AddProperty, reinterpret_cast<LPARAM>(&look));
        return look;
    };
    std::wstring looks[3];
    for (std::size_t i = 0; i < 3; ++i) {
        looks[i] = lookOf(Program().MainControl(kOptions[i]));
    }
    Check(looks[0] == looks[1] && looks[1] == looks[2], label,
          Utf8(L"Arrêter: " + looks[0] + L"; Reboot: " + looks[1] + L"; Veille: " + looks[2]));
}

void RowRun::PointerSweep(std::string_view label) {
    const ProgramUnderTest& program = Program();
    const RECT client = ClientRectOnScreen(Main());
    const auto acted = [&] { return program.Menu() != nullptr || program.Countdown() == nullptr; };
    std::string seen;
    for (int y = client.top; y < client.bottom && seen.empty(); y += kSweepRowStep) {
        for (int x = client.left; x < client.right; ++x) {
            MovePointer(x, y);
            // Moves not yet taken are merged into one: the second message is
            // handled only once the program has taken and handled this move.
            Answers(Main());
            Answers(Main());
        }
        if (acted()) {
            seen = "acted on the row " + std::to_string(y - client.top) + " pixels down";
        }
    }
    MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (seen.empty() && WaitUntil(acted, milliseconds{500})) {
        seen = "acted after the sweep";
    }
    Check(seen.empty(), label,
          seen + (program.Menu() != nullptr ? ": the menu is open" : ": the countdown closed"));
    if (program.Menu() != nullptr) {
        PressMenuKeys(program.Menu(), {VK_ESCAPE});
        WaitForMenuClosed(program);
    }
}

void RowRun::Shoot(HWND window, std::string_view name) {
    const std::wstring base = setting_.screenshots + L"\\" + FromUtf8(name);
    const std::wstring picture = base + L".png";
    DeleteFileW(picture.c_str());
    const RECT rect = WindowRectOf(window);
    const std::string request = std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                                std::to_string(WidthOf(rect)) + " " +
                                std::to_string(HeightOf(rect)) + "\n";
    bool written = false;
    HANDLE file = CreateFileW((base + L".request").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD count = 0;
        written = WriteFile(file, request.data(), static_cast<DWORD>(request.size()), &count,
                            nullptr) != 0;
        CloseHandle(file);
    }
    Check(IsShown(window) && written &&
              WaitUntil(
                  [&] { return GetFileAttributesW(picture.c_str()) != INVALID_FILE_ATTRIBUTES; },
                  kShotPatience),
          "screenshot " + std::string{name});
}

}  // namespace

void RunRow(const RunSetting& setting, Report& report, FakeTray& tray,
            std::span<const Step> steps) {
    RowRun run(setting, report, tray);
    for (const Step& step : steps) {
        run.Run(step);
    }
}

}  // namespace e2e
