// Random sequences of every event the core accepts, in the order and with the
// values the input dictates, until it runs out or the program ends; inside the
// message box and the menu, the events a modal loop lets through. CheckedPorts
// checks every call against its path; after each event, at any depth, the
// driver checks what holds on every path, and at each clock tick the trigger.
#include <fuzzer/FuzzedDataProvider.h>

#include "checked_ports.h"
#include "schedule/time_entry.h"
#include "ui/form1_bindings.h"

namespace {

using namespace kalvoro;
using namespace kalvoro::fuzz;

constexpr int kMaxModalDepth = 3;
constexpr int kMaxModalEvents = 3;
constexpr int kBarTicksToFill = 1312;  // 15 + 5.5 × 1312 is the first bar length to reach 7230
constexpr std::int64_t kSecond = sim::kMicrosPerSecond;
constexpr std::int64_t kDay = 86'400 * kSecond;
// The longest interval since the previous refresh in which the entered second
// still counts as reached.
constexpr std::int64_t kMaxLateSeconds = 5;
constexpr std::string_view kNotableEntries[] = {
    "",         kEntryInvitation, kExampleEntry, "00:00:00",  "23:59:59",
    "24:00:00", "59:59:59",       "04:30:2",     "04:30:250", "04:30:25 ",
};

// The countdown window of each option, the power action on its last bar tick,
// and whether that tick ends the program.
struct CountdownWindow {
    WindowId window;
    std::optional<Power> finish;
    bool finishEnds;
};
constexpr CountdownWindow kCountdowns[] = {
    {WindowId::Form2, Power::EteindreXP, true},
    {WindowId::Form3, std::nullopt, true},
    {WindowId::Form4, Power::VeilleXP, false},
};

class Driver {
  public:
    Driver(const std::uint8_t* data, std::size_t size) : input_(data, size) {
        // From 2026-12-06 at a time the input chooses.
        clock_.Set(20'793 * kDay + input_.ConsumeIntegralInRange<std::int64_t>(0, kDay - 1));
        ports_.messageLoop = [this] { ModalLoop(); };
        ports_.menuLoop = [this] {
            ModalLoop();
            // Identifiers on either side of the menu's stand for a dismissed menu.
            return MenuCommandFromId(
                input_.ConsumeIntegralInRange<unsigned>(0, std::tuple_size_v<Menu1Items> + 1));
        };
        Deliver(Event::Other, [&] { program_.Start(); });
        while (input_.remaining_bytes() > 0 && !ports_.ended) {
            DeliverOne(false);
        }
    }

  private:
    Form1& form1() { return program_.form1(); }
    template <typename Handler>
    Frame Deliver(Event event, Handler&& handler) {
        const Frame frame = ports_.FrameOf(event, program_);
        ports_.Deliver(frame, handler);
        return frame;
    }

    void DeliverOne(bool insideModalLoop) {
        const std::function<void()> events[] = {
            // The first six also pass modal loops: timers, the icon, other windows, the system.
            [&] { ClockTick(); },
            [&] { DeliverIconCallback(program_, ports_, IconParameter()); },
            [&] { Close(static_cast<WindowId>(input_.ConsumeIntegralInRange(0, 3)), false); },
            [&] { BarTicks(input_.ConsumeIntegralInRange(1, 1400)); },
            [&] { OnCountdown(Event::Other, &Countdown::Timer2_Timer); },
            [&] { Cancel(); },
            [&] { Arm(Event::ActivateButton, &Form1::Activer_Click); },
            [&] { Arm(Event::SuspendButton, &Form1::Suspendre_Click); },
            [&] { Close(WindowId::Form1, true); },
            [&] { Select(ActionKind::PowerOff, [&] { form1().Label3_Click(); }); },
            [&] { Select(ActionKind::Restart, [&] { form1().Label2_Click(); }); },
            [&] {
                Select(static_cast<ActionKind>(input_.ConsumeIntegralInRange(0, 2)),
                       [&] { form1().SelectOption(selected_); });
            },
            [&] {
                Deliver(Event::Other, [&, text = EntryText()] { form1().TxTChoix_Change(text); });
            },
            [&] { Deliver(Event::Other, [&] { form1().TxTChoix_Click(); }); },
            [&] {
                const auto& item =
                    kMenu1[input_.ConsumeIntegralInRange<std::size_t>(0, std::size(kMenu1) - 1)];
                Deliver(Event::Other, [&] { (form1().*item.handler)(); });
            },
        };
        events[input_.ConsumeIntegralInRange<std::size_t>(0, insideModalLoop ? 5 : 14)]();
        Require(form1().SelectedOption() == selected_, "the option selected is not the last one");
        Require(ports_.ended == program_.Ended(), "program and desktop disagree on the end");
        Require(depth_ > 0 || !form1().Busy(), "the busy flag left set");
        ports_.FrameOf(Event::Other, program_);  // checks the countdown window loaded
    }

    // Quitter, or the close box of `window`: closing the main window ends the program.
    void Close(WindowId window, bool quit) {
        Deliver(Event::Other, [&] { quit ? form1().Quitter_Click() : program_.CloseBox(window); });
        Require(window != WindowId::Form1 || ports_.ended, "the program outlived its main window");
    }

    template <typename Click>
    void Select(ActionKind option, Click click) {
        selected_ = option;
        Deliver(Event::Other, click);
    }

    void ModalLoop() {
        if (depth_ < kMaxModalDepth) {
            ++depth_;
            for (int i = input_.ConsumeIntegralInRange(0, kMaxModalEvents);
                 i > 0 && !ports_.ended && input_.remaining_bytes() > 0; --i) {
                DeliverOne(true);
            }
            --depth_;
        }
    }

    // The clock moves as the input says. A refresh is a tick whose clock text
    // differs from the one shown; it opens the selected option's countdown
    // exactly when the schedule is armed, the entry names a second, and that
    // second lies in the interval since the previous refresh if that is 1 to
    // kMaxLateSeconds long, or else is the second of the refresh itself.
    void ClockTick() {
        clock_.Set(clock_.wall + ClockStep());
        const std::int64_t now = sim::SecondAt(clock_.wall);
        const bool armed = !form1().MnuActiverEnabled();
        const std::optional<int> entered = ClockTextSecond(form1().TxTChoix());
        bool due = false;
        if (ClockTextAt(now) != shown_) {
            const std::int64_t elapsed = previousRefresh_ ? now - *previousRefresh_ : 0;
            const std::int64_t from =
                elapsed >= 1 && elapsed <= kMaxLateSeconds ? now - elapsed + 1 : now;
            due = armed && entered && ((*entered - from) % 86'400 + 86'400) % 86'400 <= now - from;
            shown_ = ClockTextAt(now);
            previousRefresh_ = now;
        }
        const std::size_t loads = ports_.loads;
        Deliver(Event::Other, [&] { form1().Timer1_Timer(); });
        Require(form1().TxtHeure() == shown_, "the clock field does not show the time");
        Require(ports_.loads != loads || !due, "no countdown opened when the entered second came");
        Require(ports_.loads == loads + due, "a countdown opened for no entered second");
        Require(!due || ports_.countdown == kCountdowns[static_cast<std::size_t>(selected_)].window,
                "a countdown opened for an option not selected");
        Require(form1().MnuActiverEnabled() != armed, "a clock tick armed or disarmed");
    }

    std::int64_t ClockStep() {
        switch (input_.ConsumeIntegralInRange(0, 9)) {
            case 0:  // the clock set forward, or the computer woke up
                return input_.ConsumeIntegralInRange<std::int64_t>(kSecond, 2 * kDay);
            case 1:  // the clock set back
                return -input_.ConsumeIntegralInRange<std::int64_t>(0, 2 * kDay);
            case 2:  // set back a little, as a time synchronisation does
                return -input_.ConsumeIntegralInRange<std::int64_t>(0, 3 * kSecond);
            case 3:  // a late tick, either side of the longest the trigger catches up
                return input_.ConsumeIntegralInRange<std::int64_t>(0, 8 * kSecond);
            case 4:  // whole days either way: the clock text stays the same
                return input_.ConsumeIntegralInRange<std::int64_t>(-2, 2) * kDay;
            default:  // a tick on time, early or late
                return input_.ConsumeIntegralInRange<std::int64_t>(0, 1500 * kSecond / 1000);
        }
    }

    std::string EntryText() {
        switch (input_.ConsumeIntegralInRange(0, 2)) {
            case 0:
                return input_.ConsumeRandomLengthString(12);
            case 1:  // a time the clock is about to show, or has just shown
                return ClockTextAt(sim::SecondAt(clock_.wall) +
                                   input_.ConsumeIntegralInRange(-3, 10));
            default:
                return std::string{kNotableEntries[input_.ConsumeIntegralInRange<std::size_t>(
                    0, std::size(kNotableEntries) - 1)]};
        }
    }

    std::uintptr_t IconParameter() {
        switch (input_.ConsumeIntegralInRange(0, 3)) {
            case 0:
                return kLeftButtonDown;
            case 1:
                return kRightButtonUp;
            case 2:  // the mouse messages, 0x200 to 0x209
                return kIconCallbackMessage + input_.ConsumeIntegralInRange(0u, 9u);
            default:
                return input_.ConsumeIntegral<std::uintptr_t>();
        }
    }

    void Arm(Event button, void (Form1::*click)()) {
        const bool wellFormed = Deliver(button, [&] { (form1().*click)(); }).entryWellFormed;
        const bool arming = button == Event::ActivateButton;
        Require(
            !wellFormed || (ports_.iconPresent && form1().MnuActiverEnabled() != arming &&
                            form1().MnuSuspendreEnabled() == arming),
            "a well-formed entry, and the button did not arm or disarm and retreat to the icon");
    }

    void OnCountdown(Event event, void (Countdown::*handler)()) {
        if (Countdown* open = program_.countdown()) {
            Deliver(event, [&] { (open->*handler)(); });
        }
    }

    void Cancel() {
        const std::optional<WindowId> open = ports_.countdown;
        int& withdrawn = ports_.powerCalls[static_cast<std::size_t>(Power::AnnulerRebootXP)];
        const int before = withdrawn;
        OnCountdown(Event::Cancel, &Countdown::Annuler_Click);
        Require(!open || ports_.ended, "the cancel button left the program running");
        Require(withdrawn - before == (open == WindowId::Form3),
                "the restart not withdrawn exactly by its own cancel");
    }

    void BarTicks(int ticks) {
        for (int i = 0; i < ticks && program_.countdown() != nullptr; ++i) {
            const bool running = ports_.timersRunning[0];
            ports_.barTicks += running;
            Frame frame = ports_.FrameOf(Event::BarTick, program_);
            frame.lastBarTick = running && ports_.barTicks == kBarTicksToFill;
            const std::size_t calls = ports_.calls;
            const std::array<int, 4> powerCalls = ports_.powerCalls;
            ports_.Deliver(frame, [&] { program_.countdown()->Timer1_Timer(); });
            if (!frame.lastBarTick) {
                Require(ports_.calls == calls, "a bar tick before the last did something");
                continue;
            }
            const CountdownWindow& open =
                kCountdowns[static_cast<std::size_t>(*frame.countdown) - 1];
            for (const Power power : {Power::EteindreXP, Power::VeilleXP}) {
                const auto at = static_cast<std::size_t>(power);
                Require(ports_.powerCalls[at] - powerCalls[at] == (open.finish == power),
                        "the bar filled without its power action");
            }
            Require(
                ports_.ended == open.finishEnds &&
                    (open.finishEnds || (ports_.countdown == open.window &&
                                         ports_.timersRunning == std::array{false, false})),
                "the bar filled and the program did not end, or the standby window stay stopped");
        }
    }

    FuzzedDataProvider input_;
    CheckedPorts ports_;
    sim::SetClock clock_;
    Program program_{ports_, clock_, ports_};
    ActionKind selected_ = ActionKind::PowerOff;
    int depth_ = 0;
    // The clock text shown and the local second of the last refresh.
    std::string shown_{kClockPlaceholder};
    std::optional<std::int64_t> previousRefresh_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Driver{data, size};
    return 0;
}
