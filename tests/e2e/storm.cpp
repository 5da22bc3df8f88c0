#include "storm.h"

#include <algorithm>
#include <random>

#include "actions.h"
#include "local_clock.h"
#include "steps.h"
#include "utf8.h"

namespace e2e {

namespace {

constexpr int kSecondsPerHour = 3600;
constexpr int kCallbacks = 10000;
constexpr int kEntryAndOptionEvents = 10000;
// Fixed, so that a failing storm can be replayed.
constexpr std::mt19937::result_type kSeed = 20261206;

// Every mouse message but the right release, which opens the menu.
std::vector<UINT> StormMouseMessages() {
    std::vector<UINT> messages;
    for (UINT message = WM_MOUSEFIRST; message <= WM_MOUSELAST; ++message) {
        if (message != WM_RBUTTONUP) {
            messages.push_back(message);
        }
    }
    return messages;
}

// What a click selects: the option buttons and the labels beside two of them.
struct OptionClick {
    ControlId clicked;
    ControlId selects;
};
constexpr OptionClick kOptionClicks[] = {
    {ControlId::Arreter, ControlId::Arreter},    {ControlId::Reboot, ControlId::Reboot},
    {ControlId::Veille, ControlId::Veille},      {ControlId::Form1Label3, ControlId::Arreter},
    {ControlId::Form1Label2, ControlId::Reboot},
};

class EntryTexts {
  public:
    explicit EntryTexts(std::mt19937& random) : random_(random) {}

    // Malformed texts, fixed ones, and well-formed times at least an hour
    // away: none can come due during the storm.
    std::wstring Next() {
        switch (Pick(3)) {
            case 0: {
                const int away = std::uniform_int_distribution<int>(
                    kSecondsPerHour, kSecondsPerDay - kSecondsPerHour)(random_);
                return ClockText(ReadClock().secondOfDay + away);
            }
            case 1: {
                const std::wstring_view fixed[] = {L"", kEntryInvitation, L"24:00:00", L"59:59:59",
                                                   L"04:30:2:"};
                return std::wstring{fixed[Pick(std::size(fixed))]};
            }
            default:
                return Scrawl();
        }
    }

  private:
    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

    // Up to twelve characters that are never a time of day: no second field.
    std::wstring Scrawl() {
        constexpr std::wstring_view kCharacters = L"0123456789:. aé-";
        std::wstring text;
        for (std::size_t length = Pick(13); text.size() < length;) {
            text += kCharacters[Pick(kCharacters.size())];
        }
        if (text.size() == 8) {
            text[6] = L'x';
        }
        return text;
    }

    std::mt19937& random_;
};

}  // namespace

void Storm(Report& report, const FakeTray& tray, ProgramUnderTest& program, HWND main) {
    HWND entry = program.MainControl(ControlId::TxTChoix);
    std::mt19937 random(kSeed);
    EntryTexts texts(random);
    const std::vector<UINT> mouseMessages = StormMouseMessages();
    int callbacksLeft = kCallbacks;
    int othersLeft = kEntryAndOptionEvents;
    std::wstring lastText = TextOf(entry);
    ControlId lastOption = ControlId::Arreter;
    bool delivered = true;
    const auto start = std::chrono::steady_clock::now();
    while (callbacksLeft + othersLeft > 0) {
        const bool callback = std::uniform_int_distribution<int>(
                                  1, callbacksLeft + othersLeft)(random) <= callbacksLeft;
        if (callback) {
            --callbacksLeft;
            const UINT message = mouseMessages[std::uniform_int_distribution<std::size_t>(
                0, mouseMessages.size() - 1)(random)];
            delivered = SendIconCallback(main, message) && delivered;
        } else if (--othersLeft; std::bernoulli_distribution(0.5)(random)) {
            lastText = texts.Next();
            delivered = SetText(entry, lastText) && delivered;
        } else {
            const OptionClick& click = kOptionClicks[std::uniform_int_distribution<std::size_t>(
                0, std::size(kOptionClicks) - 1)(random)];
            delivered = ClickInside(program.MainControl(click.clicked)) && delivered;
            lastOption = click.selects;
        }
    }
    const auto took =
        std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
    report.Note("storm of " + std::to_string(kCallbacks + kEntryAndOptionEvents) +
                " events (seed " + std::to_string(kSeed) + ") in " + std::to_string(took.count()) +
                " ms");

    report.Check(delivered && program.Alive() && Answers(main) && Answers(entry),
                 "through the storm every event was taken and the program still answers");
    report.Check(IsShown(main) && program.Countdown() == nullptr && program.Menu() == nullptr &&
                     program.MessageBox() == nullptr,
                 "the main window is shown (left presses), with no countdown, menu or message");
    report.Check(TextOf(entry) == lastText, "the entry holds the last text typed");
    bool lastSelected = true;
    for (const CountdownKind& kind : kCountdownKinds) {
        lastSelected = lastSelected &&
                       IsChecked(program.MainControl(kind.option)) == (kind.option == lastOption);
    }
    report.Check(lastSelected, "the option is the last one clicked");
    report.Check(tray.IconCount(main) == 1, "one icon remains");
    report.Check(program.PowerLog().empty(), "no power action was called");

    const CountdownKind& kind = *std::find_if(
        kCountdownKinds.begin(), kCountdownKinds.end(),
        [lastOption](const CountdownKind& candidate) { return candidate.option == lastOption; });
    const int second = EnterSecondSoon({&program});
    const Arrival arrival = AwaitCountdowns({&program}, second).front();
    report.Check(arrival.window != nullptr && !arrival.early &&
                     TextOf(program.CountdownControl(ControlId::Sentence)) ==
                         Sentence(kind.opening, kind.wideBlanks),
                 "still armed: the last option's countdown opens at the next entered second");
    Click(program.CountdownControl(ControlId::Annuler));
    report.Check(program.WaitForExit(kPatience), "\"&Annuler\" ends the program");
    report.Check(program.PowerLog() == LinesOf(kind.afterCancel),
                 "only the cancelled countdown's own lines are logged");
}

}  // namespace e2e
