#include "event_driver.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "entry_model.h"
#include "icon_callback.h"
#include "require.h"
#include "schedule/time_entry.h"
#include "ui/form1_bindings.h"
#include "wall_clock.h"

namespace kalvoro::fuzz {

namespace {

constexpr int kMaxModalDepth = 3;
constexpr int kMaxModalEvents = 3;
// 15 + 5.5 × 1312 is the first bar length to reach 7230.
constexpr int kBarTicksToFill = 1312;
constexpr int kMaxBarTicksAtOnce = 1400;
constexpr std::int64_t kSecond = sim::kMicrosPerSecond;
constexpr std::int64_t kDay = 24 * 60 * 60 * kSecond;
// The clock starts on 2026-12-06 at a time the input chooses.
constexpr std::int64_t kFirstDay = 20'793 * kDay;

constexpr std::string_view kNotableEntries[] = {
    "",         kEntryInvitation, kExampleEntry, "00:00:00",  "23:59:59",
    "24:00:00", "59:59:59",       "04:30:2",     "04:30:250", "04:30:25 ",
};

WindowId CountdownWindowOf(ActionKind action) {
    constexpr std::array<WindowId, 3> kWindows{WindowId::Form2, WindowId::Form3, WindowId::Form4};
    return kWindows[static_cast<std::size_t>(action)];
}

// What a countdown's last bar tick does, window by window.
struct Finish {
    WindowId window;
    std::optional<Power> action;
    bool endsProgram;
};
constexpr std::array<Finish, 3> kFinishes{{
    {WindowId::Form2, Power::EteindreXP, true},
    {WindowId::Form3, std::nullopt, true},
    {WindowId::Form4, Power::VeilleXP, false},
}};

}  // namespace

const EventDriver::EventKind EventDriver::kEvents[] = {
    {&EventDriver::ClickActiver, false}, {&EventDriver::ClickSuspendre, false},
    {&EventDriver::ClickQuitter, false}, {&EventDriver::ClickLabel3, false},
    {&EventDriver::ClickLabel2, false},  {&EventDriver::ClickOption, false},
    {&EventDriver::TypeEntry, false},    {&EventDriver::ClickEntry, false},
    {&EventDriver::MenuHandler, false},  {&EventDriver::ClockTick, true},
    {&EventDriver::IconCallback, true},  {&EventDriver::CloseBox, true},
    {&EventDriver::BarTicks, true},      {&EventDriver::NumberTick, true},
    {&EventDriver::Cancel, true},
};

EventDriver::EventDriver(const std::uint8_t* data, std::size_t size) : input_(data, size) {
    clock_.wall = kFirstDay + input_.ConsumeIntegralInRange<std::int64_t>(0, kDay - 1);
    ports_.messageLoop = [this] { ModalLoop(); };
    ports_.menuLoop = [this] { return MenuLoop(); };
}

void EventDriver::Run() {
    {
        const InvariantPorts::Scope scope{ports_, Frame{}};
        program_.Start();
    }
    CheckInvariants();
    while (input_.remaining_bytes() > 0 && !ports_.ended()) {
        DeliverOne(false);
    }
}

void EventDriver::DeliverOne(bool insideModalLoop) {
    std::array<const EventKind*, std::size(kEvents)> allowed{};
    std::size_t count = 0;
    for (const EventKind& kind : kEvents) {
        if (!insideModalLoop || kind.passesModalLoops) {
            allowed[count++] = &kind;
        }
    }
    (this->*allowed[input_.ConsumeIntegralInRange<std::size_t>(0, count - 1)]->deliver)();
    CheckInvariants();
}

void EventDriver::ModalLoop() {
    if (depth_ >= kMaxModalDepth) {
        return;
    }
    ++depth_;
    const int events = input_.ConsumeIntegralInRange(0, kMaxModalEvents);
    for (int i = 0; i < events && !ports_.ended() && input_.remaining_bytes() > 0; ++i) {
        DeliverOne(true);
    }
    --depth_;
}

std::optional<MenuCommand> EventDriver::MenuLoop() {
    ModalLoop();
    // Identifiers on either side of the menu's stand for a dismissed menu.
    return MenuCommandFromId(input_.ConsumeIntegralInRange<unsigned>(0, kMenu1.size() + 1));
}

void EventDriver::CheckInvariants() {
    Require(form1().SelectedOption() == selected_, "the option selected is not the last chosen");
    Require(ports_.ended() == program_.Ended(), "the program and the desktop disagree on the end");
    const Countdown* open = program_.countdown();
    Require(open != nullptr ? ports_.countdown() == open->window() : !ports_.countdown(),
            "the program's countdown window is not the one loaded");
    Require(depth_ > 0 || !form1().Busy(), "the busy flag left set");
}

void EventDriver::Arm(Event button) {
    const Frame frame = FrameOf(button, program_, ports_);
    {
        const InvariantPorts::Scope scope{ports_, frame};
        if (button == Event::ActivateButton) {
            form1().Activer_Click();
        } else {
            form1().Suspendre_Click();
        }
    }
    if (frame.entryWellFormed) {
        const bool arming = button == Event::ActivateButton;
        Require(ports_.iconPresent(), "a successful button arm or disarm left no icon");
        Require(form1().MnuActiverEnabled() != arming && form1().MnuSuspendreEnabled() == arming,
                "the button did not arm or disarm");
    }
}

void EventDriver::ClickActiver() {
    Arm(Event::ActivateButton);
}

void EventDriver::ClickSuspendre() {
    Arm(Event::SuspendButton);
}

void EventDriver::ClickQuitter() {
    {
        const InvariantPorts::Scope scope{ports_, Frame{}};
        form1().Quitter_Click();
    }
    Require(ports_.ended(), "Quitter left the program running");
}

void EventDriver::ClickLabel3() {
    selected_ = ActionKind::PowerOff;
    const InvariantPorts::Scope scope{ports_, Frame{}};
    form1().Label3_Click();
}

void EventDriver::ClickLabel2() {
    selected_ = ActionKind::Restart;
    const InvariantPorts::Scope scope{ports_, Frame{}};
    form1().Label2_Click();
}

void EventDriver::ClickOption() {
    selected_ = static_cast<ActionKind>(input_.ConsumeIntegralInRange(0, 2));
    const InvariantPorts::Scope scope{ports_, Frame{}};
    form1().SelectOption(selected_);
}

void EventDriver::TypeEntry() {
    std::string text;
    switch (input_.ConsumeIntegralInRange(0, 2)) {
        case 0:
            text = input_.ConsumeRandomLengthString(12);
            break;
        case 1: {
            // A time the clock is about to show, or has just shown.
            const LocalTime soon = sim::LocalTimeAt(
                clock_.wall + input_.ConsumeIntegralInRange<std::int64_t>(-3, 10) * kSecond);
            char clockText[16];
            std::snprintf(clockText, sizeof clockText, "%02d:%02d:%02d", soon.hour, soon.minute,
                          soon.second);
            text = clockText;
            break;
        }
        default:
            text = kNotableEntries[input_.ConsumeIntegralInRange<std::size_t>(
                0, std::size(kNotableEntries) - 1)];
    }
    const InvariantPorts::Scope scope{ports_, Frame{}};
    form1().TxTChoix_Change(text);
}

void EventDriver::ClickEntry() {
    const InvariantPorts::Scope scope{ports_, Frame{}};
    form1().TxTChoix_Click();
}

void EventDriver::ClockTick() {
    std::int64_t step = 0;
    switch (input_.ConsumeIntegralInRange(0, 9)) {
        case 0:  // the clock set forward, or the computer woke up
            step = input_.ConsumeIntegralInRange<std::int64_t>(kSecond, 2 * kDay);
            break;
        case 1:  // the clock set back
            step = -input_.ConsumeIntegralInRange<std::int64_t>(0, 2 * kDay);
            break;
        case 2:  // set back a little, as a time synchronisation does
            step = -input_.ConsumeIntegralInRange<std::int64_t>(0, 3 * kSecond);
            break;
        default:  // a tick on time, early or late
            step = input_.ConsumeIntegralInRange<std::int64_t>(0, 1500 * kSecond / 1000);
    }
    if (step < 0) {
        openedFor_.clear();  // the seconds come round again
    }
    clock_.wall += step;

    const bool armed = !form1().MnuActiverEnabled();
    const std::optional<int> entered = ClockTextSecond(form1().TxTChoix());
    const std::size_t loads = ports_.loads();
    {
        const InvariantPorts::Scope scope{ports_, Frame{}};
        form1().Timer1_Timer();
    }
    if (ports_.loads() == loads) {
        return;
    }
    Require(ports_.loads() == loads + 1, "one tick opened two countdowns");
    Require(armed && entered.has_value(), "a countdown opened unarmed or for a malformed entry");
    const std::int64_t now = sim::SecondAt(clock_.wall);
    const std::int64_t late = ((now - *entered) % 86'400 + 86'400) % 86'400;
    Require(late <= 5, "a countdown opened off the entered second");
    Require(ports_.countdown() == CountdownWindowOf(selected_),
            "a countdown opened for an option not selected");
    Require(openedFor_.insert(now - late).second, "a countdown opened twice for one occurrence");
}

void EventDriver::IconCallback() {
    std::uintptr_t parameter = 0;
    switch (input_.ConsumeIntegralInRange(0, 3)) {
        case 0:
            parameter = kLeftButtonDown;
            break;
        case 1:
            parameter = kRightButtonUp;
            break;
        case 2:  // the mouse messages, 0x200 to 0x209
            parameter = kIconCallbackMessage + input_.ConsumeIntegralInRange(0u, 9u);
            break;
        default:
            parameter = input_.ConsumeIntegral<std::uintptr_t>();
    }
    DeliverIconCallback(program_, ports_, parameter);
}

void EventDriver::MenuHandler() {
    const MenuBinding& item =
        kForm1Menu[input_.ConsumeIntegralInRange<std::size_t>(0, std::size(kForm1Menu) - 1)];
    const InvariantPorts::Scope scope{ports_, Frame{}};
    (form1().*item.handler)();
}

void EventDriver::CloseBox() {
    const auto window = static_cast<WindowId>(input_.ConsumeIntegralInRange(0, 3));
    {
        const InvariantPorts::Scope scope{ports_, Frame{}};
        program_.CloseBox(window);
    }
    Require(window != WindowId::Form1 || ports_.ended(),
            "closing the main window left the program running");
}

void EventDriver::BarTicks() {
    const int ticks = input_.ConsumeIntegralInRange(1, kMaxBarTicksAtOnce);
    for (int i = 0; i < ticks && program_.countdown() != nullptr; ++i) {
        if (ports_.loads() != barTicksOfLoad_) {
            barTicks_ = 0;
            barTicksOfLoad_ = ports_.loads();
        }
        const bool running = ports_.TimerRunning(CountdownTimer::Timer1);
        barTicks_ += running ? 1 : 0;
        Frame frame = FrameOf(Event::BarTick, program_, ports_);
        frame.lastBarTick = running && barTicks_ == kBarTicksToFill;
        const std::size_t calls = ports_.calls();
        const int eteindre = ports_.PowerCalls(Power::EteindreXP);
        const int veille = ports_.PowerCalls(Power::VeilleXP);
        {
            const InvariantPorts::Scope scope{ports_, frame};
            program_.countdown()->Timer1_Timer();
        }
        if (!frame.lastBarTick) {
            Require(ports_.calls() == calls, "a bar tick before the last did something");
            continue;
        }
        const Finish& finish = kFinishes[static_cast<std::size_t>(*frame.countdown) - 1];
        Require(ports_.PowerCalls(Power::EteindreXP) - eteindre ==
                        (finish.action == Power::EteindreXP ? 1 : 0) &&
                    ports_.PowerCalls(Power::VeilleXP) - veille ==
                        (finish.action == Power::VeilleXP ? 1 : 0),
                "the bar filled without its power action");
        Require(ports_.ended() == finish.endsProgram,
                "the bar filled and the program did not end as its window does");
        Require(finish.endsProgram || (ports_.countdown() == finish.window &&
                                       !ports_.TimerRunning(CountdownTimer::Timer1) &&
                                       !ports_.TimerRunning(CountdownTimer::Timer2)),
                "the standby window did not stay, stopped");
        CheckInvariants();
    }
}

void EventDriver::NumberTick() {
    if (program_.countdown() == nullptr) {
        return;
    }
    const InvariantPorts::Scope scope{ports_, Frame{}};
    program_.countdown()->Timer2_Timer();
}

void EventDriver::Cancel() {
    if (program_.countdown() == nullptr) {
        return;
    }
    const Frame frame = FrameOf(Event::Cancel, program_, ports_);
    const int withdrawn = ports_.PowerCalls(Power::AnnulerRebootXP);
    {
        const InvariantPorts::Scope scope{ports_, frame};
        program_.countdown()->Annuler_Click();
    }
    Require(ports_.ended(), "the cancel button left the program running");
    Require(ports_.PowerCalls(Power::AnnulerRebootXP) - withdrawn ==
                (frame.countdown == WindowId::Form3 ? 1 : 0),
            "the restart not withdrawn exactly by its own cancel");
}

}  // namespace kalvoro::fuzz
