#include "invariant_ports.h"

#include "entry_model.h"
#include "require.h"
#include "wall_clock.h"

namespace kalvoro::fuzz {

bool InvariantPorts::TimerRunning(CountdownTimer timer) const {
    return timersRunning_[static_cast<std::size_t>(timer)];
}

void InvariantPorts::Called(Call call) {
    Require(!ended_, "a call after the program ended");
    Require(lastCall_ != Call::DeleteIcon || call == Call::UnloadMainWindow,
            "the icon removed other than as the main window closes");
    Require(call != Call::UnloadMainWindow || lastCall_ == Call::DeleteIcon,
            "the main window closed without removing the icon");
    lastCall_ = call;
    ++calls_;
}

void InvariantPorts::RequireLoaded(WindowId window) const {
    Require(window == WindowId::Form1 ? form1Loaded_ : countdown_ == window,
            "a window used that is not loaded");
}

const Frame& InvariantPorts::Innermost() const {
    Require(!frames_.empty(), "a call outside any event");
    return frames_.back();
}

void InvariantPorts::Load(WindowId window) {
    Called();
    Require(window != WindowId::Form1, "the main window loaded twice");
    Require(!countdown_, "a second countdown window loaded");
    countdown_ = window;
    timersRunning_ = {};
    inLoadStep_ = true;
    restartsInLoadStep_ = 0;
    ++loads_;
}

void InvariantPorts::Unload(WindowId window) {
    Called(window == WindowId::Form1 ? Call::UnloadMainWindow : Call::Other);
    RequireLoaded(window);
    if (window == WindowId::Form1) {
        form1Loaded_ = false;
    } else {
        countdown_.reset();
        timersRunning_ = {};
        inLoadStep_ = false;
    }
}

void InvariantPorts::Show(WindowId window) {
    Called();
    RequireLoaded(window);
    if (inLoadStep_ && window == countdown_) {
        Require(restartsInLoadStep_ == (window == WindowId::Form3 ? 1 : 0),
                "a countdown window loaded without exactly its own load step");
        inLoadStep_ = false;
    }
    mainWindowShows_ += window == WindowId::Form1 ? 1 : 0;
}

void InvariantPorts::ShowWithoutActivating(WindowId window) {
    Called();
    RequireLoaded(window);
}

void InvariantPorts::Hide(WindowId window) {
    Called();
    RequireLoaded(window);
}

void InvariantPorts::SetTopmost(WindowId window) {
    Called();
    RequireLoaded(window);
}

void InvariantPorts::Present(WindowId window) {
    Called();
    RequireLoaded(window);
}

void InvariantPorts::ArmClockTimer(std::chrono::milliseconds delay) {
    Called();
    RequireLoaded(WindowId::Form1);
    // The next second, or the one after it for the first tick after start.
    Require(delay.count() > 0 && delay.count() <= 1600, "a clock tick asked for off its second");
}

void InvariantPorts::StartTimer(WindowId window, CountdownTimer timer) {
    Called();
    RequireLoaded(window);
    timersRunning_[static_cast<std::size_t>(timer)] = true;
}

void InvariantPorts::StopTimer(WindowId window, CountdownTimer timer) {
    Called();
    RequireLoaded(window);
    timersRunning_[static_cast<std::size_t>(timer)] = false;
}

void InvariantPorts::ShowMessage(std::string_view, std::string_view, int) {
    Called();
    if (messageLoop) {
        messageLoop();
    }
}

void InvariantPorts::AddIcon(const IconRecord&) {
    Called();
    const Frame& frame = Innermost();
    Require((frame.event == Event::ActivateButton || frame.event == Event::SuspendButton) &&
                frame.entryWellFormed,
            "the icon added outside a successful button arm or disarm");
    RequireLoaded(WindowId::Form1);
    iconPresent_ = true;
}

void InvariantPorts::DeleteIcon(const IconRecord&) {
    Called(Call::DeleteIcon);
    RequireLoaded(WindowId::Form1);
    iconPresent_ = false;
}

void InvariantPorts::HideFromTaskList() {
    Called();
}

std::optional<MenuCommand> InvariantPorts::PopUpMenu(MenuCommand defaultItem) {
    Called();
    Require(defaultItem == kDefaultMenuItem, "the menu without its default item");
    Require(Innermost().event == Event::IconCallback, "the menu popped up other than by the icon");
    ++menus_;
    return menuLoop ? menuLoop() : std::nullopt;
}

void InvariantPorts::EndProgram() {
    Called();
    Require(!form1Loaded_ && !countdown_, "the program ended with a window open");
    ended_ = true;
}

void InvariantPorts::PowerCalled(Power power) {
    Called();
    ++powerCalls_[static_cast<std::size_t>(power)];
}

void InvariantPorts::RequireBarFilling(WindowId window, const char* broken) const {
    const Frame& frame = Innermost();
    Require(frame.event == Event::BarTick && frame.countdown == window && frame.lastBarTick,
            broken);
}

void InvariantPorts::EteindreXP() {
    PowerCalled(Power::EteindreXP);
    RequireBarFilling(WindowId::Form2,
                      "EteindreXP other than as the power-off countdown's bar fills");
}

void InvariantPorts::RebootXP() {
    PowerCalled(Power::RebootXP);
    Require(inLoadStep_ && countdown_ == WindowId::Form3,
            "RebootXP other than as the restart window loads");
    ++restartsInLoadStep_;
}

void InvariantPorts::AnnulerRebootXP() {
    PowerCalled(Power::AnnulerRebootXP);
    const Frame& frame = Innermost();
    Require(frame.event == Event::Cancel && frame.countdown == WindowId::Form3,
            "AnnulerRebootXP other than by the restart window's cancel");
}

void InvariantPorts::VeilleXP() {
    PowerCalled(Power::VeilleXP);
    RequireBarFilling(WindowId::Form4, "VeilleXP other than as the standby countdown's bar fills");
}

Frame FrameOf(Event event, const Program& program, const InvariantPorts& ports) {
    return {event, ports.countdown(), ClockTextSecond(program.form1().TxTChoix()).has_value(),
            false};
}

LocalTime FuzzClock::now() const {
    return sim::LocalTimeAt(wall);
}

}  // namespace kalvoro::fuzz
