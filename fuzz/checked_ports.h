#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "power/power_actions.h"
#include "ui/desktop.h"
#include "ui/program.h"
#include "wall_clock.h"

namespace kalvoro::fuzz {

// Stops the run with a crash that libFuzzer reports and saves the input for.
inline void Require(bool condition, const char* broken) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", broken);
        std::abort();
    }
}

// The clock text of a local second, and the entry rule told another way: an
// entry is well-formed exactly when it is one of the texts the clock shows,
// and it names the second of the day that shows it.
std::string ClockTextAt(std::int64_t localSecond);
std::optional<int> ClockTextSecond(std::string_view entry);

// A clock the fuzzer sets: microseconds since 1970-01-01 00:00:00 local time.
struct FuzzClock final : Clock {
    LocalTime now() const override { return sim::LocalTimeAt(wall); }
    std::int64_t wall = 0;
};

// The events whose paths power actions and icon requests are checked against.
enum class Event { Other, ActivateButton, SuspendButton, BarTick, Cancel, IconCallback };

// What the fuzzer knows of an event as it delivers it.
struct Frame {
    Event event = Event::Other;
    std::optional<WindowId> countdown;  // the countdown window open when it began
    bool entryWellFormed = false;       // the entry, judged when it began
    bool lastBarTick = false;           // the bar tick on which the bar fills
};

enum class Power { EteindreXP, RebootXP, AnnulerRebootXP, VeilleXP };

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

    // Runs `handler` as the delivery of the event `frame` describes.
    template <typename Handler>
    void Deliver(const Frame& frame, Handler&& handler) {
        frames_.push_back(frame);
        handler();
        frames_.pop_back();
    }
    Frame FrameOf(Event event, Program& program) const;

    bool ended() const { return ended_; }
    bool iconPresent() const { return iconPresent_; }
    std::optional<WindowId> countdown() const { return countdown_; }
    bool TimerRunning(CountdownTimer timer) const {
        return timersRunning_[static_cast<std::size_t>(timer)];
    }
    std::size_t calls() const { return calls_; }
    std::size_t loads() const { return loads_; }
    std::size_t menus() const { return menus_; }
    std::size_t mainWindowShows() const { return mainWindowShows_; }
    int PowerCalls(Power power) const { return powerCalls_[static_cast<std::size_t>(power)]; }

    void Load(WindowId window) override;
    void Unload(WindowId window) override;
    void Show(WindowId window) override;
    void ShowWithoutActivating(WindowId window) override { Used(window); }
    void Hide(WindowId window) override { Used(window); }
    void SetTopmost(WindowId window) override { Used(window); }
    void Present(WindowId window) override { Used(window); }
    void ArmClockTimer(std::chrono::milliseconds delay) override;
    void StartTimer(WindowId window, CountdownTimer timer) override {
        SetTimer(window, timer, true);
    }
    void StopTimer(WindowId window, CountdownTimer timer) override {
        SetTimer(window, timer, false);
    }
    void ShowMessage(std::string_view prompt, std::string_view title, int style) override;
    void AddIcon(const IconRecord& record) override;
    void DeleteIcon(const IconRecord& record) override;
    void HideFromTaskList() override { Called(); }
    std::optional<MenuCommand> PopUpMenu(MenuCommand defaultItem) override;
    void EndProgram() override;

    void EteindreXP() override;
    void RebootXP() override;
    void AnnulerRebootXP() override;
    void VeilleXP() override;

  private:
    enum class Call { Other, DeleteIcon, UnloadMainWindow };
    void Called(Call call = Call::Other);
    void Used(WindowId window);
    void SetTimer(WindowId window, CountdownTimer timer, bool running);
    const Frame& Innermost() const;
    void PowerCalled(Power power, bool onItsPath, const char* broken);
    bool OnLastBarTickOf(WindowId window) const;

    std::vector<Frame> frames_;
    bool ended_ = false;
    bool form1Loaded_ = true;
    bool iconPresent_ = false;
    std::optional<WindowId> countdown_;
    std::array<bool, 2> timersRunning_{};
    bool inLoadStep_ = false;  // from a countdown's Load to its first Show
    int restartsInLoadStep_ = 0;
    Call lastCall_ = Call::Other;
    std::size_t calls_ = 0;
    std::size_t loads_ = 0;
    std::size_t menus_ = 0;
    std::size_t mainWindowShows_ = 0;
    std::array<int, 4> powerCalls_{};
};

// Delivers the icon's callback with the given second parameter and checks its
// decoding and dispatch: the mouse message is the parameter's low word; while
// the busy flag is set nothing at all happens; otherwise a left press shows
// the main window with no countdown left, a right release pops up the menu
// once, and any other message does nothing; the flag is as it was afterwards.
void DeliverIconCallback(Program& program, CheckedPorts& ports, std::uintptr_t parameter);

}  // namespace kalvoro::fuzz
