// The driver of the end-to-end suite: reads the script (suite.txt) row by row
// and does each step to the program; the verbs and the facts are here.
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <span>

#include "countdown/countdown_kind.h"
#include "harness.h"
#include "power/command_lines.h"

namespace e2e {

namespace {

namespace layout = kalvoro::layout;

constexpr milliseconds kCountdownLength{40000};  // 1312 bar ticks of 10 ms, on a loaded machine
constexpr std::wstring_view kInvitation = L"Définissez ici une heure (hh:mm:ss)";
constexpr std::wstring_view kExample = L"Exemple :                                    04:30:25";
static_assert(kExample.size() == 53);  // "Exemple :", 36 blanks, "04:30:25"
// The restart as the test variant logs it, a carriage return written "\r": its
// command line of 164 characters, five of them accented letters of two bytes.
constexpr std::string_view kRestartLine =
    "RebootXP Shutdown -r -t 12 -c Redémarrage_de_l'ordinateur_par_Kalvoro_XP.\\r"
    "Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la\\r"
    "fenêtre_située_en_haut_à_gauche_de_votre_écran.";
static_assert(kRestartLine.size() == std::string_view{"RebootXP "}.size() + 164 + 5 + 2);

// The error the test variant's power actions are refused with in "start
// refused", and the system's own text for it, as a message box shows it.
constexpr DWORD kRefusalError = ERROR_PRIVILEGE_NOT_HELD;
std::wstring SystemText(DWORD error) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, 512, nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n')) {
        --length;
    }
    return {text, length};
}

// Names the rows use, in the order of their values.
constexpr std::string_view kMainControls[] = {
    "TxtHeure", "TxTChoix", "Label1", "Activer", "Suspendre", "Quitter",
    "Reboot",   "Arreter",  "Label2", "Label3",  "Veille",    "Conforme"};  // 1001...
constexpr std::string_view kCountdownControls[] = {"Sentence", "Number", "Annuler", "Bar"};
constexpr std::string_view kMenuItems[] = {"activer", "suspendre", "montrer", "arreter",
                                           "veille",  "reboot",    "quitter"};  // 1 press...
constexpr std::string_view kMouse[] = {"move",       "left-down", "left-up",      "left-double",
                                       "right-down", "right-up",  "right-double", "middle-down"};
constexpr std::string_view kWindows[] = {"main", "countdown", "menu", "box"};
const std::pair<std::string_view, std::vector<std::string>> kLogs[] = {
    {"empty", {}},
    {"power-off", {"EteindreXP"}},
    {"standby", {"VeilleXP"}},
    {"restart-opened", {std::string{kRestartLine}}},
    {"restart-cancelled", {std::string{kRestartLine}, "AnnulerRebootXP Shutdown -a"}},
};

// The three countdown windows as the user meets them.
struct Kind {
    std::string_view name;
    ControlId option, chooser;  // its option button, and what a click on selects it
    int menuItem;
    kalvoro::ActionKind action;               // whose sentences the core's unit tests pin
    std::string_view atOpening, afterCancel;  // the power log
    std::string_view cancelHow, cancelVerb;   // how the row of cancels presses "&Annuler"
};
constexpr Kind kKinds[] = {
    {"power off", ControlId::Arreter, ControlId::Form1Label3, 4, kalvoro::ActionKind::PowerOff,
     "empty", "empty", "a click on \"&Annuler\"", "press"},
    {"restart", ControlId::Reboot, ControlId::Form1Label2, 6, kalvoro::ActionKind::Restart,
     "restart-opened", "restart-cancelled", "Alt+A", "alt-a"},
    {"standby", ControlId::Veille, ControlId::Veille, 5, kalvoro::ActionKind::Standby, "empty",
     "empty", "Enter", "enter"},
};

template <std::size_t N>
std::size_t IndexOf(const std::string_view (&names)[N], std::string_view name) {
    return static_cast<std::size_t>(std::find(names, names + N, name) - names);
}

// The entry of a table of (name, value) pairs that bears the name, or null.
template <class Entry, std::size_t N>
const Entry* Find(const Entry (&table)[N], std::string_view name) {
    const Entry* found =
        std::find_if(table, table + N, [&](const Entry& entry) { return entry.first == name; });
    return found == table + N ? nullptr : found;
}

// A layout box (left, top, width, height in twips) as it stands at that dpi:
// its corner and its size scaled each on its own, as the program places windows.
RECT Scaled(const layout::Box& box, int dpi) {
    const int left = layout::TwipsToPixels(box.left, dpi);
    const int top = layout::TwipsToPixels(box.top, dpi);
    return {left, top, left + layout::TwipsToPixels(box.width, dpi),
            top + layout::TwipsToPixels(box.height, dpi)};
}

std::string Size(const RECT& rect) {
    return std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

std::wstring Sentence(const Kind& kind, bool narrow) {
    const kalvoro::CountdownKind& of = kalvoro::CountdownKindOf(kind.action);
    return Wide(narrow ? of.narrowSentence : of.wideSentence);
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

// A window of the driver's own, which takes the focus as another program's would.
HWND Elsewhere() {
    static const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8,
                                               nullptr, nullptr, nullptr, nullptr);
    return window;
}

// What the driver and the programs it started wrote on its standard error
// so far, Wine's traces among them: the script names the file it goes to in
// KALVORO_E2E_STDERR. (Wine's server opens files, so /proc/self is its own.)
std::string OwnStandardError() {
    return ReadWhole(Environment(L"KALVORO_E2E_STDERR"));
}

// A text as Wine's traces quote it: L"...", with \r, \" and \\ escaped and
// every other character outside printable ASCII as \ and four hex digits.
std::string WineQuoted(std::wstring_view text) {
    std::string quoted = "L\"";
    for (const wchar_t c : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\%04x", static_cast<unsigned>(c));
        quoted += c == L'\r'                ? std::string{"\\r"}
                  : c == L'"' || c == L'\\' ? std::string{'\\', static_cast<char>(c)}
                  : c >= 32 && c <= 126     ? std::string{static_cast<char>(c)}
                                            : std::string{hex};
    }
    return quoted + "\"";
}

// Whether the trace shows the restart asked of the system itself as the
// command would have asked for it: this computer, the restart's comment, a
// delay of 1 to 12 s, applications not forced closed, a restart.
bool HandedOver(const std::string& trace) {
    const std::string call =
        "InitiateSystemShutdownExW (null) " + WineQuoted(Wide(kalvoro::RestartComment())) + " ";
    const std::size_t at = trace.find(call);
    unsigned delay = 0;
    int force = -1;
    int restart = -1;
    return at != std::string::npos &&
           std::sscanf(trace.c_str() + at + call.size(), "%u %d %d", &delay, &force, &restart) ==
               3 &&
           delay >= 1 && delay <= kalvoro::kRestartDelaySeconds && force == 0 && restart == 1;
}

// A step: its words, then the name of its check.
struct Line {
    std::vector<std::string_view> words;
    std::string_view label;
    bool each = false;  // done in the program of each kind
    std::string_view operator[](std::size_t at) const { return at < words.size() ? words[at] : ""; }
};

Line Parse(std::string_view text) {
    Line line;
    if (const auto bar = text.find(" | "); bar != std::string_view::npos) {
        line.label = text.substr(bar + 3);
        text = text.substr(0, bar);
    }
    while (!text.empty()) {  // words, or texts in quotes
        const std::size_t end =
            text.front() == '"' ? std::min(text.find('"', 1), text.size() - 1) + 1 : text.find(' ');
        line.words.push_back(text.substr(0, end));
        text = text.substr(std::min(text.find_first_not_of(' ', end), text.size()));
    }
    line.each = line[0] == "each";
    line.words.erase(line.words.begin(), line.words.begin() + (line.each ? 1 : 0));
    return line;
}

// What a countdown showed when its number first read a text.
struct Sight {
    std::wstring sentenceBefore, sentenceAfter;  // read just before and after the number
    RECT number{};
    int sentenceLeft = 0;
};

// One row's programs (one of each kind at most) and what its steps remember.
struct Run {
    const RunSetting& setting;
    Report& report;
    HDC dc;  // holding the countdowns' font at this dpi
    std::array<std::unique_ptr<Program>, 3> programs{};
    std::array<HWND, 3> mains{};
    std::array<bool, 3> early{};  // its countdown was seen before the entered second
    std::size_t current = 0;
    int kind = -1;  // in a step for a kind: its index
    int second = 0;
    std::wstring lastText{};  // what the storm left: the entry typed last, the option clicked last
    std::size_t lastKind = 0;

    const Program& P() const { return *programs[current]; }
    Window Main() const { return {mains[current]}; }
    const Kind& K() const { return kKinds[std::max(kind, 0)]; }
    bool Check(bool ok, std::string_view what, std::string_view why = {}) {
        const std::string prefix = kind < 0 ? "" : std::string{K().name} + ": ";
        return report.Check(ok, prefix + std::string{what}, why);
    }
    std::vector<const Program*> Started() const {
        std::vector<const Program*> started;
        for (const auto& program : programs) {
            if (program) {
                started.push_back(program.get());
            }
        }
        return started;
    }
    ControlId Named(std::string_view name) const {
        const std::size_t main = IndexOf(kMainControls, name);
        return name == "own"       ? K().option
               : name == "last"    ? kKinds[lastKind].option
               : name == "chooser" ? K().chooser
               : main < std::size(kMainControls)
                   ? static_cast<ControlId>(1001 + main)
                   : static_cast<ControlId>(2001 + IndexOf(kCountdownControls, name));
    }
    Window Control(std::string_view name) const { return P().Control(Named(name)); }
    std::wstring TextNamed(std::string_view word) const {
        return word == "invitation" ? std::wstring{kInvitation}
               : word == "example"  ? std::wstring{kExample}
               : word == "wide"     ? Sentence(K(), false)
               : word == "ahead"    ? ClockText(SecondOfDay() + 3600)  // no row lasts an hour
                                    : Wide(word.substr(1, word.size() - 2));
    }
    void Start(const std::wstring& name, const std::wstring& executable) {
        static int started = 0;  // each start works in a directory of its own
        programs[current] = std::make_unique<Program>(
            executable, setting.workRoot + L"\\" + name + std::to_wstring(++started));
    }
    void Start(const std::wstring& name) { Start(name, setting.program); }
    // A file beside the program's test variant.
    std::wstring Beside(std::wstring_view file) const {
        return setting.program.substr(0, setting.program.find_last_of(L'\\') + 1) +
               std::wstring{file};
    }
    // Whether the option button is the one selected; `marks` tells what was, in
    // the order Arrêter, Reboot, Veille.
    bool Selected(ControlId option, std::string* marks = nullptr) const {
        std::string seen;
        bool alone = true;
        for (const Kind& each : kKinds) {
            LRESULT state = 0;
            const bool checked =
                P().Control(each.option).Send(BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
            seen += checked ? "x" : "o";
            alone = alone && checked == (each.option == option);
        }
        if (marks != nullptr) {
            *marks = seen;
        }
        return alone;
    }
    int Width(std::wstring_view text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // Whether the number drawn from `left` lies inside the gap of blanks of the
    // sentence drawn from `sentenceLeft`, with a blank to spare if asked.
    bool FitsTheGap(bool narrow, std::wstring_view number, int left, int sentenceLeft, bool spare,
                    std::string& seen) const {
        const std::wstring sentence = Sentence(K(), narrow);
        const std::size_t word = sentence.find(L"seconde(s)");
        const int gapStart =
            sentenceLeft + Width(sentence.substr(0, sentence.find_last_not_of(L' ', word - 1) + 1));
        const int gapEnd = sentenceLeft + Width(sentence.substr(0, word));
        const int end = left + Width(number) + (spare ? Width(L" ") : 0);
        seen += (seen.empty() ? "" : "; ") + Quoted(number) + " from " + std::to_string(left) +
                " to " + std::to_string(end) + ", gap " + std::to_string(gapStart) + " to " +
                std::to_string(gapEnd);
        return left >= gapStart && end <= gapEnd;
    }

    // Both arming items validate the entry first: with a malformed one an
    // enabled item answers with the refusal box, a disabled one does nothing.
    bool ArmingEnabled(int downPresses) const {
        const Window entry = P().Control(ControlId::TxTChoix);
        const std::wstring kept = entry.Text();
        entry.SetText(L"--:--:--");
        P().Choose(downPresses);
        P().Main().Send(WM_NULL);  // the item's handler ran before the menu call returned
        const bool refused = P().Box().handle != nullptr && P().PressOk();
        entry.SetText(kept);
        return refused;
    }

    bool Fact(std::string_view fact) const {
        const Program& program = P();
        const std::string_view arg = fact.substr(std::min(fact.find('=') + 1, fact.size()));
        const std::vector<TrayRequest> requests = FakeTray::RequestsOf(Main().handle);
        // The box so titled and saying so, with its single button.
        const auto box = [&](std::wstring_view title, const std::wstring& prompt) {
            const HWND shown = program.Box().handle;
            return Window{shown}.Text() == title &&
                   Window{GetDlgItem(shown, 0xFFFF)}.Text() == prompt &&
                   Window{GetDlgItem(shown, IDOK)}.Shown() &&
                   !Window{GetDlgItem(shown, IDCANCEL)}.Shown();
        };
        const auto last = [&](DWORD message) {
            return !requests.empty() && requests.back().message == message &&
                   requests.back().granted;
        };
        const auto log = [&](std::string_view name) {
            const auto* lines =
                Find(kLogs, name == "opened"           ? K().atOpening
                            : name == "cancelled"      ? K().afterCancel
                            : name == "last-cancelled" ? kKinds[lastKind].afterCancel
                                                       : name);
            return lines != nullptr && program.PowerLog() == lines->second;
        };
        const std::pair<std::string_view, std::function<bool()>> facts[] = {
            {"main-shown", [&] { return Main().Shown(); }},
            {"main-hidden", [&] { return !Main().Shown(); }},
            // A window has a taskbar button when shown unowned and not a tool window.
            {"on-task-list",
             [&] {
                 return GetWindow(Main().handle, GW_OWNER) == nullptr &&
                        (Main().Style(GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW)) == 0;
             }},
            {"off-task-list",
             [&] {
                 return GetWindow(Main().handle, GW_OWNER) != nullptr &&
                        (Main().Style(GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0;
             }},
            {"main-topmost", [&] { return (Main().Style(GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }},
            {"countdown-shown", [&] { return program.Countdown().Shown(); }},
            {"countdown-tool",  // untitled, off the task list
             [&] {
                 const Window countdown = program.Countdown();
                 return countdown.Text().empty() &&
                        (countdown.Style(GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
             }},
            {"countdown-focused",
             [&] { return GetForegroundWindow() == program.Countdown().handle; }},
            {"focus-elsewhere", [&] { return GetForegroundWindow() == Elsewhere(); }},
            {"close-box-only",  // "=main" or "=countdown"
             [&] {
                 const Window window = arg == "main" ? Main() : program.Countdown();
                 const LONG style = window.Style(GWL_STYLE);
                 return (style & WS_SYSMENU) != 0 &&
                        (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0;
             }},
            {"countdown-topmost",
             [&] { return (program.Countdown().Style(GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }},
            {"no-countdown", [&] { return program.Countdown().handle == nullptr; }},
            {"menu-shown", [&] { return program.Menu().Shown(); }},
            {"no-menu", [&] { return !program.Menu().Shown(); }},
            {"one-menu", [&] { return program.Windows(L"#32768").size() <= 1; }},  // none over it
            {"box-shown", [&] { return program.Box().Shown(); }},
            {"no-box", [&] { return program.Box().handle == nullptr; }},
            {"refusal",
             [&] {
                 return box(L"Format de l'heure incorrect !",
                            L"Veuillez redéfinir une heure (hh:mm:ss)");
             }},
            {"power-off-refused",
             [&] {
                 return box(L"Kalvoro XP", L"L'ordinateur n'a pas pu être éteint.\n\n" +
                                               SystemText(kRefusalError));
             }},
            {"no-icon", [&] { return FakeTray::IconCount(Main().handle) == 0; }},
            {"one-icon", [&] { return FakeTray::IconCount(Main().handle) == 1; }},
            {"alive", [&] { return program.Alive(); }},
            {"ended", [&] { return !program.Alive(); }},
            {"number-hidden", [&] { return !program.Control(ControlId::Number).Shown(); }},
            {"bar-full",  // as wide as the client area
             [&] {
                 return program.Control(ControlId::Bar).Width() >=
                        layout::TwipsToPixels(7140, setting.dpi);
             }},
            {"arrived", [&] { return program.Countdown().Shown() && !early[current]; }},
            // The system's clock is two seconds on: the program's tick at that
            // second is over (its clock, hidden, is not written).
            {"second-passed", [&] { return !IsStillAhead(second + 2); }},
            {"added-once",  // identifier 1, message, icon and tip, callbacks as WM_MOUSEMOVE
             [&] {
                 return requests.size() == 1 && last(NIM_ADD) && requests[0].id == 1 &&
                        requests[0].flags == (NIF_MESSAGE | NIF_ICON | NIF_TIP) &&
                        requests[0].callbackMessage == WM_MOUSEMOVE &&
                        requests[0].tip == L"Kalvoro XP";
             }},
            {"second-add-refused", [&] { return requests.size() == 2 && !requests[1].granted; }},
            {"added-again", [&] { return requests.size() == 2 && last(NIM_ADD); }},
            {"deleted-last", [&] { return last(NIM_DELETE); }},
            {"log", [&] { return log(arg); }},
            {"commands",  // the lines the stand-in shutdown.exe was given
             [&] {
                 const std::string restart = kalvoro::RestartCommandLine() + "\n";
                 return program.Read(kStandInLog) ==
                        (arg == "restart"
                             ? restart
                             : restart + std::string{kalvoro::kCancelRestartCommandLine} + "\n");
             }},
            {"handed-over", [&] { return HandedOver(OwnStandardError()); }},
            {"withdrawn",
             [&] {
                 const std::string trace = OwnStandardError();
                 return trace.find("AbortSystemShutdownW",
                                   trace.find("InitiateSystemShutdownExW")) != std::string::npos;
             }},
            {"typed-last", [&] { return program.Control(ControlId::TxTChoix).Text() == lastText; }},
            {"kind",
             [&] {
                 const Kind& of = kKinds[arg == "last" ? lastKind : std::stoul(std::string{arg})];
                 return program.Control(ControlId::Sentence).Text() == Sentence(of, false);
             }},
        };
        const auto* found = Find(facts, fact.substr(0, fact.find('=')));
        return found != nullptr && found->second();
    }

    // Every fact named holds, within the patience of a countdown's whole run if "long".
    void Holds(const Line& line) {
        const auto words = std::span(line.words).subspan(1);
        const auto all = [&] {
            return std::ranges::all_of(words,
                                       [&](auto word) { return word == "long" || Fact(word); });
        };
        const bool patient = std::ranges::find(words, "long") != words.end();
        const bool held = WaitUntil(all, patient ? kCountdownLength : kPatience) || all();
        std::string why = "not so:";
        for (const std::string_view word : words) {
            why += word == "long" || Fact(word) ? "" : " " + std::string{word};
        }
        for (const std::string& logged : P().PowerLog()) {
            why += " \"" + logged + "\"";
        }
        if (!line.label.empty()) {
            Check(held, line.label, why);
        }
    }

    void Do(const Line& line) {
        const auto to = [&](UINT message, WPARAM wParam, LPARAM lParam) {
            Control(line[1]).Post(message, wParam, lParam);
        };
        const auto icon = [&](bool sent) {  // the shell's callback: the mouse message in lParam
            for (const std::string_view mouse : std::span(line.words).subspan(1)) {
                const std::size_t at = IndexOf(kMouse, mouse);
                const auto lParam = static_cast<LPARAM>(
                    at < std::size(kMouse) ? WM_MOUSEMOVE + at
                                           : std::stoul(std::string{mouse}, nullptr, 0));
                sent ? Main().Send(WM_MOUSEMOVE, 0, lParam) : Main().Post(WM_MOUSEMOVE, 0, lParam);
            }
        };
        const std::pair<std::string_view, std::function<void()>> verbs[] = {
            {"start",  // "start system": the program itself, its power actions the system's;
                       // "start refused": the test variant, its power actions refused
             [&] {
                 if (line[1] == "refused") {
                     SetEnvironmentVariableW(L"KALVORO_E2E_REFUSE",
                                             std::to_wstring(kRefusalError).c_str());
                     Start(L"run-");
                     SetEnvironmentVariableW(L"KALVORO_E2E_REFUSE", nullptr);
                 } else if (line[1] == "system") {
                     // Wine then writes what it asks of advapi32 on the driver's own
                     // standard error, which the driver reads back.
                     const std::wstring debug = Environment(L"WINEDEBUG");
                     SetEnvironmentVariableW(L"WINEDEBUG", L"-all,+advapi");
                     Start(L"system-", Beside(L"Kalvoro XP.exe"));
                     SetEnvironmentVariableW(L"WINEDEBUG", debug.c_str());
                 } else {
                     Start(L"run-");
                 }
                 report.Check(P().WaitUntilReady(),
                              "the program starts and its main window's clock ticks");
                 mains[current] = P().Main().handle;
             }},
            {"refusing-shutdown",  // a new file, not the one the prefixes share written over
             [&] {
                 wchar_t system[MAX_PATH] = {};
                 GetSystemDirectoryW(system, MAX_PATH);
                 const std::wstring command = std::wstring{system} + L"\\shutdown.exe";
                 DeleteFileW(command.c_str());
                 // Wine runs its own shutdown.exe, not the file in the system
                 // directory, unless told otherwise.
                 constexpr wchar_t kNative[] = L"native";
                 report.Check(
                     CopyFileW(Beside(L"refusing-shutdown.exe").c_str(), command.c_str(), TRUE) &&
                         RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides",
                                         L"shutdown.exe", REG_SZ, kNative,
                                         sizeof kNative) == ERROR_SUCCESS,
                     "a stand-in that refuses every line takes the place of shutdown.exe");
             }},
            {"use", [&] { current = std::stoul(std::string{line[1]}); }},
            {"type", [&] { P().Control(ControlId::TxTChoix).SetText(TextNamed(line[1])); }},
            {"press", [&] { Control(line[1]).Send(BM_CLICK); }},
            {"press-posted", [&] { to(BM_CLICK, 0, 0); }},  // not waited for: it opens a modal box
            {"enter", [&] { to(WM_KEYDOWN, VK_RETURN, 1); }},
            {"alt-a", [&] { to(WM_SYSCHAR, L'a', 1 << 29 | 1); }},
            {"click", [&] { Control(line[1]).ClickInside(); }},
            {"close",
             [&] {
                 (line[1] == "main" ? P().Main() : P().Countdown()).Post(WM_SYSCOMMAND, SC_CLOSE);
             }},
            {"icon", [&] { icon(false); }},
            {"icon-sent", [&] { icon(true); }},
            {"choose",
             [&] {
                 P().Choose(line[1] == "own" ? K().menuItem
                                             : static_cast<int>(IndexOf(kMenuItems, line[1])) + 1);
             }},
            {"escape", [&] { P().Menu().Post(WM_KEYDOWN, VK_ESCAPE); }},
            {"take-focus", [&] { SetForegroundWindow(Elsewhere()); }},  // from the program
            {"ok-box", [&] { P().PressOk(); }},
            {"restart-tray", [&] { FakeTray::Restart(); }},
            {"show-main", [&] { ShowWindowAsync(Main().handle, SW_SHOWNA); }},  // from outside
            {"arm-soon",
             [&] {
                 second =
                     EnterSecondSoon(Started(), line[1].empty() ? ControlId{} : Named(line[1]));
                 report.Line("   armed for " + Utf8(ClockText(second)));
             }},
            {"await-countdowns", [&] { AwaitCountdowns(); }},
            {"shoot",
             [&] {
                 const Window shown[] = {P().Main(), P().Countdown(), P().Menu(), P().Box()};
                 Shoot(shown[IndexOf(kWindows, line[1]) % 4], line[2]);
             }},
            {"holds", [&] { Holds(line); }},
            {"first-clock", [&] { FirstClock(line.label); }},
            {"main-window", [&] { MainWindow(); }},
            {"clock-ticks", [&] { ClockTicks(); }},
            {"options-alike", [&] { OptionsAlike(line.label); }},
            {"keys",  // arrow presses to the focused control, each selecting the option named next
             [&] {
                 const DWORD thread = GetWindowThreadProcessId(Main().handle, nullptr);
                 bool ok = true;
                 std::string seen = "read";
                 for (const std::string_view next : std::span(line.words).subspan(2)) {
                     GUITHREADINFO info{};
                     info.cbSize = sizeof info;
                     GetGUIThreadInfo(thread, &info);
                     Window{info.hwndFocus}.Post(WM_KEYDOWN, line[1] == "down" ? VK_DOWN : VK_UP,
                                                 1);
                     std::string marks;
                     ok = WaitUntil([&] { return Selected(Named(next), &marks); },
                                    milliseconds{2000}) &&
                          ok;
                     seen += " " + marks;
                 }
                 Check(ok, line.label, seen);
             }},
            {"pointer-sweep", [&] { PointerSweep(line.label); }},
            {"bar-moves",  // while the number stands: three chances, for a tick may come between
             [&] {
                 const Window bar = P().Control(ControlId::Bar);
                 const Window number = P().Control(ControlId::Number);
                 bool moved = false;
                 for (int chance = 0; chance < 3 && !moved; ++chance) {
                     const std::wstring standing = number.Text();
                     const int width = bar.Width();
                     moved =
                         WaitUntil([&] { return bar.Width() != width; }, milliseconds{1500}, 1) &&
                         number.Text() == standing;
                 }
                 Check(moved, line.label);
             }},
            {"storm", [&] { Storm(); }},
            {"opened", [&] { Opened(); }},
            {"midway", [&] { Midway(); }},
            {"refused", [&] { Refused(line); }},
            {"text",
             [&] {
                 const Window window = Control(line[1]);
                 const std::wstring expected = TextNamed(line[2]);
                 WaitUntil([&] { return window.Text() == expected; },
                           line[3] == "long" ? kCountdownLength : kPatience);
                 Check(window.Text() == expected, line.label,
                       "read " + Quoted(window.Text()) + ", expected " + Quoted(expected));
             }},
            {"selected",
             [&] {
                 std::string marks;
                 const bool selected = Selected(Named(line[1]), &marks);
                 Check(selected, line.label, "read " + marks);
             }},
            {"example-whole",  // from its first character to its last inside the text's frame
             [&] {
                 const Window entry = P().Control(ControlId::TxTChoix);
                 WaitUntil([&] { return entry.Text() == kExample; });
                 RECT frame{};
                 LRESULT first = -1;
                 LRESULT last = -1;
                 const std::size_t lastAt = kExample.size() - 1;
                 const bool read = entry.Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&frame)) &&
                                   entry.Send(EM_POSFROMCHAR, 0, 0, &first) &&
                                   entry.Send(EM_POSFROMCHAR, lastAt, 0, &last);
                 const int left = static_cast<short>(LOWORD(first));
                 const int right =
                     static_cast<short>(LOWORD(last)) + Width(kExample.substr(lastAt));
                 Check(entry.Text() == kExample && read && first != -1 && last != -1 &&
                           left >= frame.left && right <= frame.right,
                       line.label,
                       "read " + Quoted(entry.Text()) + " from x " + std::to_string(left) + " to " +
                           std::to_string(right) + " in " + std::to_string(frame.left) + ".." +
                           std::to_string(frame.right));
             }},
            {"only-arming",
             [&] {
                 const bool activer = ArmingEnabled(1);
                 const bool suspendre = ArmingEnabled(2);
                 Check(activer == (line[1] == "activer") && suspendre == !activer, line.label);
             }},
            // Past the seventh item the arrow comes round to the first.
            {"enabled-at",
             [&] { Check(ArmingEnabled(std::stoi(std::string{line[1]})), line.label); }},
            {"cancel",  // the kind's own way of pressing "&Annuler", and the end it brings
             [&] {
                 Do(Parse(std::string{K().cancelVerb} + " Annuler"));
                 Check(P().WaitForExit(kPatience),
                       std::string{K().cancelHow} + " " + std::string{line.label});
             }},
        };
        if (const auto* verb = Find(verbs, line[0])) {
            verb->second();
        } else {
            report.Check(false, "the suite knows the verb \"" + std::string{line[0]} + "\"");
        }
    }

    void AwaitCountdowns() {
        std::array<bool, 3> seen{};
        WaitUntil([&] {
            for (std::size_t i = 0; i < programs.size(); ++i) {
                if (programs[i] && !seen[i] && programs[i]->Countdown().Shown()) {
                    seen[i] = true;
                    early[i] = IsStillAhead(second);
                }
            }
            return std::ranges::count(seen, true) == static_cast<long>(Started().size());
        });
    }

    void FirstClock(std::string_view label) {
        // The first tick comes at any point of the first second and the driver may
        // look a moment too late: each of three starts is a fresh chance.
        std::wstring first;
        for (int start = 0; start < 3 && first != L"Heure Système"; ++start) {
            Start(L"first-");
            WaitUntil([&] { return P().Main().Shown(); }, kPatience, 1);
            first = P().Control(ControlId::TxtHeure).Text();
        }
        mains[current] = P().Main().handle;
        Check(first == L"Heure Système", label, "first read " + Quoted(first));
    }

    void MainWindow() {
        const layout::WindowLayout& form = layout::LayoutOf(kalvoro::WindowId::Form1);
        Check(Main().Text() == L"Kalvoro XP", "the main window is titled \"Kalvoro XP\"");
        const RECT client = Main().Client();
        const RECT expected = Scaled({0, 0, form.clientWidth, form.clientHeight}, setting.dpi);
        Check(Size(client) == Size(expected), "its client area is " + Size(expected), Seen(client));
        const RECT frame = Main().Frame();
        Check(std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
                  std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 1,
              "it is centred on the screen", Seen(frame));
        const std::string misplaced = Misplaced(form);
        Check(misplaced.empty(),
              "its controls stand at their places, scaled to " + std::to_string(setting.dpi) +
                  " dpi, the entries read-only and centred as laid out",
              misplaced);
    }

    // The controls that stand elsewhere than their layout places at this dpi,
    // or whose entry is not read-only or centred as laid out. The number may
    // stand further right where the sentence's font draws wider than the
    // layout assumed; the bar grows from its place.
    std::string Misplaced(const layout::WindowLayout& form) const {
        std::string misplaced;
        for (const layout::Control& control : form.controls) {
            const auto style = static_cast<unsigned>(P().Control(control.id).Style(GWL_STYLE));
            const auto has = [&](unsigned flag) { return (control.flags & flag) != 0; };
            if (control.kind == layout::ControlKind::TextField &&
                (((style & ES_READONLY) != 0) != has(layout::kReadOnly) ||
                 ((style & ES_CENTER) != 0) != has(layout::kCentred))) {
                misplaced += " " + std::to_string(static_cast<int>(control.id)) + " styled " +
                             std::to_string(style);
            }
            RECT seen = P().Control(control.id).Place();
            const RECT place = Scaled(control.place, setting.dpi);
            if (control.id == ControlId::Bar) {
                seen.right = place.right;
            } else if (control.id == ControlId::Number && !NumberFitsAt(form, place.left)) {
                OffsetRect(&seen, place.left - seen.left, 0);
            }
            if ((control.flags & layout::kHidden) == 0 && !EqualRect(&seen, &place)) {
                misplaced +=
                    " " + std::to_string(static_cast<int>(control.id)) + " at " + Seen(seen);
            }
        }
        return misplaced;
    }
    // Whether "12", "9" and "-1" drawn from `left` fit their gaps, with the
    // sentence at its layout place.
    bool NumberFitsAt(const layout::WindowLayout& form, int left) const {
        const int sentence =
            Scaled(layout::FindControl(form, ControlId::Sentence)->place, setting.dpi).left;
        std::string seen;
        return FitsTheGap(false, L"12", left, sentence, true, seen) &&
               FitsTheGap(true, L"9", left, sentence, true, seen) &&
               FitsTheGap(true, L"-1", left, sentence, false, seen);
    }

    void ClockTicks() {
        const Window clock = P().Control(ControlId::TxtHeure);
        for (int tick = 1; tick <= 2; ++tick) {
            const std::wstring before = clock.Text();
            std::wstring after;
            const bool changed =
                WaitUntil([&] { return (after = clock.Text()) != before; }, milliseconds{2500});
            // Read just after a second begins, the clock may still show the last one.
            const int now = SecondOfDay();
            Check(changed && (after == ClockText(now) || after == ClockText(now - 1)),
                  "the clock changes to the current time, hh:mm:ss (tick " + std::to_string(tick) +
                      ")",
                  "read " + Quoted(after) + " after " + Quoted(before));
        }
    }

    // A malformed entry, Enter in it or a button pressed (posted: the box is modal).
    void Refused(const Line& line) {
        const std::string how =
            line[2] == "TxTChoix" ? "Enter in the entry" : "\"" + std::string{line[2]} + "\"";
        const std::string label = Quoted(TextNamed(line[1])) + " with " + how;
        P().Control(ControlId::TxTChoix).SetText(TextNamed(line[1]));
        Do(Parse((line[2] == "TxTChoix" ? "enter " : "press-posted ") + std::string{line[2]}));
        Do(Parse("holds refusal | " + label +
                 " is refused with the message and a single OK button"));
        Check(P().PressOk(), label + ": OK closes the message");
        Do(Parse("text TxTChoix example | " + label + ": the entry then shows the example"));
    }

    void Opened() {
        const auto& form = layout::LayoutOf(static_cast<kalvoro::WindowId>(kind + 1));
        const RECT client = P().Countdown().Client();
        const RECT expected = Scaled(
            {form.clientOrigin->x, form.clientOrigin->y, form.clientWidth, form.clientHeight},
            setting.dpi);
        Check(EqualRect(&client, &expected),
              "the window's client area stands in the top-left corner, " + Size(expected),
              Seen(client));
        const std::string misplaced = Misplaced(form);
        Check(misplaced.empty(),
              "the sentence, the button and the bar stand at their places, the number at the "
              "layout's where it fits the gap",
              misplaced);
        std::string seen;
        Check(FitsTheGap(false, L"12", P().Control(ControlId::Number).Place().left,
                         P().Control(ControlId::Sentence).Place().left, true, seen),
              "\"12\" lies inside the gap with a blank to spare", seen);
    }

    void Midway() {
        const auto started = Started();
        std::vector<std::map<std::wstring, Sight>> sights(started.size());
        WaitUntil(
            [&] {
                bool all = true;
                for (std::size_t i = 0; i < started.size(); ++i) {
                    auto& seen = sights[i];
                    const Window number = started[i]->Control(ControlId::Number);
                    const Window sentence = started[i]->Control(ControlId::Sentence);
                    // Done once "-1" has been seen, or "0" and the number is gone.
                    if (seen.contains(L"-1") || (seen.contains(L"0") && !number.Shown())) {
                        continue;
                    }
                    all = false;
                    const std::wstring before = sentence.Text();
                    const std::wstring text = number.Text();
                    const Sight now{before, sentence.Text(), number.Place(), sentence.Place().left};
                    // A reading of a window that closed meanwhile says nothing (its
                    // controls go one by one, the sentence's place reads 0 once it
                    // has gone); one that came back empty gives way to the next whole one.
                    if (!number.Shown() || !sentence.Shown()) {
                        continue;
                    }
                    const auto [sight, added] = seen.try_emplace(text, now);
                    if (!added && !now.sentenceBefore.empty() && !now.sentenceAfter.empty() &&
                        (sight->second.sentenceBefore.empty() ||
                         sight->second.sentenceAfter.empty())) {
                        sight->second = now;
                    }
                }
                return all;
            },
            kCountdownLength);
        for (std::size_t i = 0; i < started.size(); ++i) {
            kind = static_cast<int>(i);
            const auto& seen = sights[i];
            const auto at = [&seen](const wchar_t* text) {
                return seen.contains(text) ? seen.at(text) : Sight{};
            };
            const Sight ten = at(L"10"), nine = at(L"9"), zero = at(L"0");
            // "-1" shows for a tenth of a second only; unseen, it is judged where "0" stood.
            const Sight end = seen.contains(L"-1") ? at(L"-1") : zero;
            Check(seen.contains(L"10") && ten.sentenceBefore == Sentence(K(), false),
                  "at \"10\" the sentence is still the wide one",
                  "read " + Quoted(ten.sentenceBefore));
            Check(seen.contains(L"9"), "after three number ticks the number reads \"9\"");
            Check(nine.sentenceAfter == Sentence(K(), true), "with \"9\" comes the narrow sentence",
                  "read " + Quoted(nine.sentenceAfter));
            std::string fit;
            Check(seen.contains(L"9") &&
                      FitsTheGap(true, L"9", nine.number.left, nine.sentenceLeft, true, fit),
                  "\"9\" lies inside the narrow gap with a blank to spare", fit);
            fit.clear();
            const bool zeroFits =
                FitsTheGap(true, L"0", zero.number.left, zero.sentenceLeft, false, fit);
            const bool endFits =
                FitsTheGap(true, L"-1", end.number.left, end.sentenceLeft, false, fit);
            Check(seen.contains(L"0") && zeroFits && endFits,
                  "\"0\" and \"-1\" lie inside the narrow gap", fit);
        }
        kind = -1;
    }

    void OptionsAlike(std::string_view label) {
        // What decides how a button is drawn: its class, its style and its window
        // properties (a theme switched off for one control leaves its mark there).
        std::wstring looks[3];
        for (std::size_t i = 0; i < 3; ++i) {
            const Window button = P().Control(kKinds[i].option);
            wchar_t name[64] = {};
            GetClassNameW(button.handle, name, 64);
            looks[i] = std::wstring{name} + L" " +
                       std::to_wstring(button.Style(GWL_STYLE) &
                                       (BS_TYPEMASK | BS_LEFTTEXT | BS_PUSHLIKE | BS_FLAT)) +
                       L" " + std::to_wstring(button.Style(GWL_EXSTYLE));
            EnumPropsExW(button.handle, &AddProperty, reinterpret_cast<LPARAM>(&looks[i]));
        }
        Check(looks[0] == looks[1] && looks[1] == looks[2], label,
              Utf8(looks[0] + L"; " + looks[1] + L"; " + looks[2]));
    }

    void PointerSweep(std::string_view label) {
        const RECT client = Main().Client();
        const auto acted = [&] { return P().Menu().handle || P().Countdown().handle == nullptr; };
        std::string seen;
        for (int y = client.top; y < client.bottom && seen.empty(); y += 8) {  // every eighth row
            for (int x = client.left; x < client.right; ++x) {
                SetCursorPos(x, y);
                // Moves not yet taken are merged into one: the second message is
                // handled only once the program has taken and handled this move.
                Main().Send(WM_NULL);
                Main().Send(WM_NULL);
            }
            if (acted()) {
                seen = "acted on the row " + std::to_string(y - client.top) + " pixels down";
            }
        }
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        if (seen.empty() && WaitUntil(acted, milliseconds{500})) {
            seen = "acted after the sweep";
        }
        Check(seen.empty(), label, seen);
        P().Menu().Post(WM_KEYDOWN, VK_ESCAPE);
        WaitUntil([&] { return !P().Menu().Shown(); });
    }

    // Armed for a time an hour away, the program takes a storm of icon callbacks,
    // entry texts and option clicks, and must come out of it as the last events
    // left it, without any power action.
    void Storm() {
        const Program& program = P();
        const Window entry = program.Control(ControlId::TxTChoix);
        std::mt19937 random(20261206);  // fixed: a failing storm replays
        const auto pick = [&random](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        // What a click selects: the option buttons and the labels beside two of them.
        constexpr std::pair<ControlId, ControlId> kClicks[] = {
            {ControlId::Arreter, ControlId::Arreter},
            {ControlId::Reboot, ControlId::Reboot},
            {ControlId::Veille, ControlId::Veille},
            {ControlId::Form1Label3, ControlId::Arreter},
            {ControlId::Form1Label2, ControlId::Reboot},
        };
        // Malformed texts, fixed ones, and well-formed times at least an hour
        // away: none can come due during the storm.
        const auto entryText = [&]() -> std::wstring {
            constexpr std::wstring_view kFixed[] = {L"", kInvitation, L"24:00:00", L"59:59:59",
                                                    L"04:30:2:"};
            constexpr std::wstring_view kScrawl = L"0123456789:. aé-";
            switch (pick(3)) {
                case 0:
                    return ClockText(SecondOfDay() + std::uniform_int_distribution<int>(
                                                         3600, kSecondsPerDay - 3600)(random));
                case 1:
                    return std::wstring{kFixed[pick(std::size(kFixed))]};
            }
            std::wstring text;  // up to twelve characters, never a time: no second field
            for (std::size_t length = pick(13); text.size() < length;) {
                text += kScrawl[pick(kScrawl.size())];
            }
            return text.size() == 8 ? text.replace(6, 1, L"x") : text;
        };
        int callbacksLeft = 10000;
        int othersLeft = 10000;
        lastText = entry.Text();
        ControlId lastOption = ControlId::Arreter;
        bool delivered = true;
        const auto start = std::chrono::steady_clock::now();
        while (callbacksLeft + othersLeft > 0) {
            if (std::uniform_int_distribution<int>(1, callbacksLeft + othersLeft)(random) <=
                callbacksLeft) {
                --callbacksLeft;
                // Every mouse message but the right release, which opens the menu.
                UINT mouse = WM_MOUSEFIRST +
                             static_cast<UINT>(pick(std::size_t{WM_MOUSELAST - WM_MOUSEFIRST}));
                mouse += mouse >= WM_RBUTTONUP ? 1 : 0;
                delivered = Main().Send(WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouse)) && delivered;
            } else if (--othersLeft; std::bernoulli_distribution(0.5)(random)) {
                lastText = entryText();
                delivered = entry.SetText(lastText) && delivered;
            } else {
                const auto& [clicked, selects] = kClicks[pick(std::size(kClicks))];
                delivered = program.Control(clicked).ClickInside() && delivered;
                lastOption = selects;
            }
        }
        const auto took = std::chrono::steady_clock::now() - start;
        report.Line("   storm of 20000 events (seed 20261206) in " +
                    std::to_string(std::chrono::duration_cast<milliseconds>(took).count()) + " ms");
        Check(delivered && program.Alive() && Main().Send(WM_NULL) && entry.Send(WM_NULL),
              "through the storm every event was taken and the program still answers");
        lastKind = static_cast<std::size_t>(std::ranges::find(kKinds, lastOption, &Kind::option) -
                                            std::begin(kKinds));
    }

    // A picture asked of the script: <name>.request holds the window's screen
    // rectangle, and <name>.png answers it.
    void Shoot(Window window, std::string_view name) {
        const std::wstring base = setting.screenshots + L"\\" + Wide(name);
        DeleteFileW((base + L".png").c_str());
        const RECT rect = window.Frame();
        std::FILE* request = _wfopen((base + L".request").c_str(), L"wb");
        const bool asked = request != nullptr &&
                           std::fprintf(request, "%ld %ld %ld %ld\n", rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top) > 0 &&
                           std::fclose(request) == 0;
        const auto answered = [&] {
            return GetFileAttributesW((base + L".png").c_str()) != INVALID_FILE_ATTRIBUTES;
        };
        Check(window.Shown() && asked && WaitUntil(answered, milliseconds{20000}),
              "screenshot " + std::string{name});
    }
};

// The script, kept in the driver as a resource.
std::string_view Suite() {
    const HRSRC found = FindResourceW(nullptr, L"SUITE", RT_RCDATA);
    return {static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
            SizeofResource(nullptr, found)};
}

}  // namespace

int RunRows(const RunSetting& setting, const std::vector<std::string>& chosen) {
    Report report;
    if (report.Check(FakeTray::Start(), "the driver stands in for the notification area")) {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        report.Check(dpi == setting.dpi,
                     "the screen has " + std::to_string(setting.dpi) + " dots per inch",
                     std::to_string(dpi));
    }
    // The countdowns' text, "MS Sans Serif" 9.75 pt, as it is drawn at this dpi.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc,
                 CreateFontW(-((975 * setting.dpi + 3600) / 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
    std::vector<std::string_view> lines;
    const std::string_view suite = Suite();
    for (std::size_t start = 0, end; (end = suite.find('\n', start)) != std::string_view::npos;
         start = end + 1) {
        lines.push_back(suite.substr(start, end - start));
    }
    for (auto row = std::ranges::find_if(lines, [](auto line) { return line.starts_with("=="); });
         row != lines.end();) {
        const Line header = Parse(row->substr(3));  // "== name [96] [per-kind]"
        const auto end = std::find_if(row + 1, lines.end(),
                                      [](std::string_view line) { return line.starts_with("=="); });
        const bool perKind = std::ranges::find(header.words, "per-kind") != header.words.end();
        const bool anyDpi = std::ranges::find(header.words, "96") == header.words.end();
        const bool run = chosen.empty() ? header[0] != "tour" && (anyDpi || setting.dpi == 96)
                                        : std::ranges::find(chosen, header[0]) != chosen.end();
        for (int kind = perKind ? 0 : -1; run && kind < (perKind ? 3 : 0); ++kind) {
            if (kind <= 0) {
                report.Line("== " + std::string{header[0]});
            }
            Run steps{setting, report, dc};
            for (auto step = row + 1; step != end; ++step) {
                const Line line = Parse(*step);
                const std::size_t used = steps.current;
                for (int k = line.each ? 0 : kind; k < (line.each ? 3 : kind + 1); ++k) {
                    steps.kind = k;
                    steps.current = line.each ? static_cast<std::size_t>(k) : used;
                    steps.Do(line);
                }
                steps.kind = kind;
                steps.current = line.each ? used : steps.current;
            }
        }
        row = end;
    }
    return report.Summary();
}

}  // namespace e2e
