#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "power/power_actions.h"
#include "schedule/local_time.h"
#include "ui/desktop.h"
#include "ui/program.h"

namespace kalvoro::fuzz {

// The kinds of event whose paths the ports check power actions and icon
// requests against; every other event is Other.
enum class Event {
    Other,
    ActivateButton,
    SuspendButton,
    BarTick,
    Cancel,
    IconCallback,
};

// What the fuzzer knows of the event it is delivering.
struct Frame {
    Event event = Event::Other;
    std::optional<WindowId> countdown;  // the countdown window open when it began
    bool entryWellFormed = false;       // the entry, judged when it began
    bool lastBarTick = false;           // the bar tick on which the bar fills
};

enum class Power { EteindreXP, RebootXP, AnnulerRebootXP, VeilleXP };

// The desktop and the power port of a fuzzed program, in one. Each call is
// checked against the state the calls so far have built (which windows are
// loaded, whether the icon is there, whether the program has ended) and
// against the events being delivered, innermost last: an icon added outside
// a successful button arm or disarm, a power action off its path, or any call
// after the end stops the run.
class InvariantPorts final : public Desktop, public PowerActions {
  public:
    // Run inside the modal calls, as the platform's modal loops run other
    // messages; the menu's returns the item chosen.
    std::function<void()> messageLoop;
    std::function<std::optional<MenuCommand>()> menuLoop;

    // The event being delivered, for as long as its handler runs.
    class Scope {
      public:
        Scope(InvariantPorts& ports, const Frame& frame) : ports_(ports) {
            ports_.frames_.push_back(frame);
        }
        ~Scope() { ports_.frames_.pop_back(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        InvariantPorts& ports_;
    };

    bool ended() const { return ended_; }
    bool form1Loaded() const { return form1Loaded_; }
    bool iconPresent() const { return iconPresent_; }
    std::optional<WindowId> countdown() const { return countdown_; }
    bool TimerRunning(CountdownTimer timer) const;
    std::size_t calls() const { return calls_; }
    std::size_t loads() const { return loads_; }
    std::size_t menus() const { return menus_; }
    int PowerCalls(Power power) const { return powerCalls_[static_cast<std::size_t>(power)]; }
    std::size_t mainWindowShows() const { return mainWindowShows_; }

    // Desktop
    void Load(WindowId window) override;
    void Unload(WindowId window) override;
    void Show(WindowId window) override;
    void ShowWithoutActivating(WindowId window) override;
    void Hide(WindowId window) override;
    void SetTopmost(WindowId window) override;
    void Present(WindowId window) override;
    void ArmClockTimer(std::chrono::milliseconds delay) override;
    void StartTimer(WindowId window, CountdownTimer timer) override;
    void StopTimer(WindowId window, CountdownTimer timer) override;
    void ShowMessage(std::string_view prompt, std::string_view title, int style) override;
    void AddIcon(const IconRecord& record) override;
    void DeleteIcon(const IconRecord& record) override;
    void HideFromTaskList() override;
    std::optional<MenuCommand> PopUpMenu(MenuCommand defaultItem) override;
    void EndProgram() override;

    // PowerActions
    void EteindreXP() override;
    void RebootXP() override;
    void AnnulerRebootXP() override;
    void VeilleXP() override;

  private:
    enum class Call { Other, DeleteIcon, UnloadMainWindow };
    void Called(Call call = Call::Other);
    void RequireLoaded(WindowId window) const;
    const Frame& Innermost() const;
    void PowerCalled(Power power);
    // The innermost event is the bar tick on which the window's bar fills.
    void RequireBarFilling(WindowId window, const char* broken) const;

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
    std::array<int, 4> powerCalls_{};
    std::size_t mainWindowShows_ = 0;
};

// The frame of an event about to be delivered to `program`.
Frame FrameOf(Event event, const Program& program, const InvariantPorts& ports);

// A clock the fuzzer sets: microseconds since 1970-01-01 00:00:00 local time.
class FuzzClock final : public Clock {
  public:
    LocalTime now() const override;
    std::int64_t wall = 0;
};

}  // namespace kalvoro::fuzz
