#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "simulated_clock.h"
#include "tray/icon_callback.h"
#include "ui/program.h"

namespace kalvoro::fuzz {

using sim::ClockTextAt;

// Stops the run with a crash that libFuzzer reports and saves the input for.
inline void Require(bool condition, const char* broken) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", broken);
        std::abort();
    }
}

// The entry rule told another way: an entry is well-formed exactly when it is
// one of the texts the clock shows, and it names the second that shows it.
inline std::optional<int> ClockTextSecond(std::string_view entry) {
    unsigned h = 0, m = 0, s = 0;  // a second the entry might name
    if (entry.size() != 8 ||
        std::sscanf(std::string{entry}.c_str(), "%2u:%2u:%2u", &h, &m, &s) != 3) {
        return std::nullopt;
    }
    const auto named = static_cast<int>((h * 60 + m) * 60 + s);
    return ClockTextAt(named) == entry ? std::optional{named} : std::nullopt;
}

// The events whose paths power actions and icon requests are checked against.
enum class Event { Other, ActivateButton, SuspendButton, BarTick, Cancel, IconCallback };
enum class Power { EteindreXP, RebootXP, AnnulerRebootXP, VeilleXP };

// What the fuzzer knows of an event as it delivers it, as it began.
struct Frame {
    Event event = Event::Other;
    std::optional<WindowId> countdown;  // the countdown window open
    bool entryWellFormed = false;
    bool lastBarTick = false;  // the bar tick on which the bar fills
};

// The desktop and the power port of a fuzzed program, in one. Each call is
// checked against the state the calls so far have built (the windows loaded,
// the icon, the end) and against the events being delivered, innermost last:
// an icon added outside a successful button arm or disarm, a power action off
// its path, the icon removed other than just before the main window closes,
// or any call after the end stops the run.
class CheckedPorts final : public Desktop, public PowerActions {
  public:
    // Run inside the modal calls, as the platform's modal loops run other
    // messages; the menu's returns the item chosen.
    std::function<void()> messageLoop;
    std::function<std::optional<MenuCommand>()> menuLoop;

    template <typename Handler>
    void Deliver(const Frame& frame, Handler&& handler) {
        frames_.push_back(frame);
        handler();
        frames_.pop_back();
    }
    Frame FrameOf(Event event, Program& program) const {
        Require(program.countdown() ? countdown == program.countdown()->window() : !countdown,
                "the program's countdown window is not the one loaded");
        return {event, countdown, ClockTextSecond(program.form1().TxTChoix()).has_value()};
    }

    // What the calls so far have built.
    bool ended = false, iconPresent = false;
    std::optional<WindowId> countdown;
    std::array<bool, 2> timersRunning{};
    int barTicks = 0;  // of the countdown window loaded, while its bar timer runs
    std::size_t calls = 0, loads = 0, menus = 0, mainWindowShows = 0;
    std::array<int, 4> powerCalls{};

    void Load(WindowId window) override {
        Called();
        Require(window != WindowId::Form1 && !countdown, "a window loaded twice or two countdowns");
        countdown = window;
        timersRunning = {};
        barTicks = 0;
        inLoadStep_ = true;
        restartsInLoadStep_ = 0;
        ++loads;
    }
    void Unload(WindowId window) override {
        Used(window, window == WindowId::Form1 ? Call::UnloadMainWindow : Call::Other);
        if (window == WindowId::Form1) {
            form1Loaded_ = false;
        } else {
            countdown.reset();
            inLoadStep_ = false;
        }
    }
    void Show(WindowId window) override {
        Used(window);
        if (inLoadStep_ && window == countdown) {
            Require(restartsInLoadStep_ == (window == WindowId::Form3),
                    "a countdown window loaded without exactly its own load step");
            inLoadStep_ = false;
        }
        mainWindowShows += window == WindowId::Form1;
    }
    void ShowWithoutActivating(WindowId window) override { Used(window); }
    void Hide(WindowId window) override { Used(window); }
    void SetTopmost(WindowId window) override { Used(window); }
    void Present(WindowId window) override { Used(window); }
    void ArmClockTimer(std::chrono::milliseconds delay) override {
        Used(WindowId::Form1);
        // The next second, or the one after it for the first tick after start.
        Require(delay.count() > 0 && delay.count() <= 1600, "a clock tick asked off its second");
    }
    void StartTimer(WindowId window, CountdownTimer timer) override { Timer(window, timer, true); }
    void StopTimer(WindowId window, CountdownTimer timer) override { Timer(window, timer, false); }
    void ShowMessage(std::string_view, std::string_view, int) override {
        Called();
        if (messageLoop) {
            messageLoop();
        }
    }
    void AddIcon(const IconRecord&) override {
        Used(WindowId::Form1);
        const Frame& frame = Innermost();
        Require((frame.event == Event::ActivateButton || frame.event == Event::SuspendButton) &&
                    frame.entryWellFormed,
                "the icon added outside a successful arm or disarm");
        iconPresent = true;
    }
    void DeleteIcon(const IconRecord&) override {
        Used(WindowId::Form1, Call::DeleteIcon);
        iconPresent = false;
    }
    void HideFromTaskList() override { Called(); }
    std::optional<MenuCommand> PopUpMenu(const Menu1Items&, MenuCommand defaultItem) override {
        Called();
        Require(defaultItem == kDefaultMenuItem && Innermost().event == Event::IconCallback,
                "the menu popped up other than by the icon, or without its default item");
        ++menus;
        return menuLoop ? menuLoop() : std::nullopt;
    }
    void EndProgram() override {
        Called();
        Require(!form1Loaded_ && !countdown, "the program ended with a window open");
        ended = true;
    }

    void EteindreXP() override {
        PowerCalled(Power::EteindreXP, OnLastBarTickOf(WindowId::Form2),
                    "EteindreXP other than as the power-off countdown's bar fills");
        Answer(PowerRequest::PowerOff);
    }
    void RebootXP() override {
        PowerCalled(Power::RebootXP, inLoadStep_ && countdown == WindowId::Form3,
                    "RebootXP other than as the restart window loads");
        ++restartsInLoadStep_;
        Answer(PowerRequest::Restart);
    }
    void AnnulerRebootXP() override {
        PowerCalled(Power::AnnulerRebootXP,
                    Innermost().event == Event::Cancel && Innermost().countdown == WindowId::Form3,
                    "AnnulerRebootXP other than by the restart window's cancel");
    }
    void VeilleXP() override {
        PowerCalled(Power::VeilleXP, OnLastBarTickOf(WindowId::Form4),
                    "VeilleXP other than as the standby countdown's bar fills");
        Answer(PowerRequest::Standby);
    }

  private:
    enum class Call { Other, DeleteIcon, UnloadMainWindow };
    void Called(Call call = Call::Other) {
        Require(!ended, "a call after the program ended");
        Require((lastCall_ == Call::DeleteIcon) == (call == Call::UnloadMainWindow),
                "the icon removed other than just before the main window closes");
        lastCall_ = call;
        ++calls;
    }
    void Used(WindowId window, Call call = Call::Other) {
        Called(call);
        Require(window == WindowId::Form1 ? form1Loaded_ : countdown == window,
                "a window used that is not loaded");
    }
    void Timer(WindowId window, CountdownTimer timer, bool running) {
        Used(window);
        timersRunning[static_cast<std::size_t>(timer)] = running;
    }
    const Frame& Innermost() const {
        Require(!frames_.empty(), "a call outside any event");
        return frames_.back();
    }
    void PowerCalled(Power power, bool onItsPath, const char* broken) {
        Called();
        Require(onItsPath, broken);
        ++powerCalls[static_cast<std::size_t>(power)];
    }
    bool OnLastBarTickOf(WindowId window) const {
        const Frame& frame = Innermost();
        return frame.event == Event::BarTick && frame.countdown == window && frame.lastBarTick;
    }

    std::vector<Frame> frames_;
    bool form1Loaded_ = true;
    bool inLoadStep_ = false;  // from a countdown's Load to its first Show
    int restartsInLoadStep_ = 0;
    Call lastCall_ = Call::Other;
};

// Delivers the icon's callback with the given second parameter and checks its
// dispatch: while the busy flag is set nothing at all happens; otherwise a
// left press shows the main window with no countdown left, a right release
// pops up the menu once, and any other message does nothing; the flag is as
// it was afterwards.
inline void DeliverIconCallback(Program& program, CheckedPorts& ports, std::uintptr_t parameter) {
    Form1& form1 = program.form1();
    const unsigned message = MouseMessageOf(parameter);
    const bool busy = form1.Busy();
    const std::array before{ports.calls, ports.menus, ports.mainWindowShows};
    ports.Deliver(ports.FrameOf(Event::IconCallback, program),
                  [&] { form1.Form_MouseMove(message); });
    Require(form1.Busy() == busy, "the busy flag changed by a callback");
    if (!busy && message == kLeftButtonDown) {
        Require(ports.mainWindowShows == before[2] + 1 && !ports.countdown,
                "a left press on the icon did not show the main window alone");
    } else if (!busy && message == kRightButtonUp) {
        Require(ports.menus == before[1] + 1, "a right release did not pop up the menu once");
    } else {
        Require(ports.calls == before[0], "a callback did something while busy or not a press");
    }
}

}  // namespace kalvoro::fuzz
