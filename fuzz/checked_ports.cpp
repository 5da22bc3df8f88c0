#include "checked_ports.h"

namespace kalvoro::fuzz {

std::string ClockTextAt(std::int64_t localSecond) {
    const std::int64_t second = (localSecond % 86'400 + 86'400) % 86'400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(second / 3600),
                  static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
    return text;
}

std::optional<int> ClockTextSecond(std::string_view entry) {
    // Any second the entry might name; only the clock's own text of it counts.
    unsigned hour = 0, minute = 0, second = 0;
    if (entry.size() != 8 ||
        std::sscanf(std::string{entry}.c_str(), "%2u:%2u:%2u", &hour, &minute, &second) != 3) {
        return std::nullopt;
    }
    const auto named = static_cast<int>((hour * 60 + minute) * 60 + second);
    return ClockTextAt(named) == entry ? std::optional{named} : std::nullopt;
}

Frame CheckedPorts::FrameOf(Event event, Program& program) const {
    Require(program.countdown() ? countdown_ == program.countdown()->window() : !countdown_,
            "the program's countdown window is not the one loaded");
    return {event, countdown_, ClockTextSecond(program.form1().TxTChoix()).has_value(), false};
}

void CheckedPorts::Called(Call call) {
    Require(!ended_, "a call after the program ended");
    Require(lastCall_ != Call::DeleteIcon || call == Call::UnloadMainWindow,
            "the icon removed other than as the main window closes");
    Require(call != Call::UnloadMainWindow || lastCall_ == Call::DeleteIcon,
            "the main window closed without removing the icon");
    lastCall_ = call;
    ++calls_;
}

void CheckedPorts::Used(WindowId window) {
    Called();
    Require(window == WindowId::Form1 ? form1Loaded_ : countdown_ == window,
            "a window used that is not loaded");
}

const Frame& CheckedPorts::Innermost() const {
    Require(!frames_.empty(), "a call outside any event");
    return frames_.back();
}

void CheckedPorts::Load(WindowId window) {
    Called();
    Require(window != WindowId::Form1, "the main window loaded twice");
    Require(!countdown_, "a second countdown window loaded");
    countdown_ = window;
    timersRunning_ = {};
    inLoadStep_ = true;
    restartsInLoadStep_ = 0;
    ++loads_;
}

void CheckedPorts::Unload(WindowId window) {
    Called(window == WindowId::Form1 ? Call::UnloadMainWindow : Call::Other);
    Require(window == WindowId::Form1 ? form1Loaded_ : countdown_ == window,
            "a window closed that is not loaded");
    if (window == WindowId::Form1) {
        form1Loaded_ = false;
    } else {
        countdown_.reset();
        inLoadStep_ = false;
    }
}

void CheckedPorts::Show(WindowId window) {
    Used(window);
    if (inLoadStep_ && window == countdown_) {
        Require(restartsInLoadStep_ == (window == WindowId::Form3 ? 1 : 0),
                "a countdown window loaded without exactly its own load step");
        inLoadStep_ = false;
    }
    mainWindowShows_ += window == WindowId::Form1 ? 1 : 0;
}

void CheckedPorts::ArmClockTimer(std::chrono::milliseconds delay) {
    Used(WindowId::Form1);
    // The next second, or the one after it for the first tick after start.
    Require(delay.count() > 0 && delay.count() <= 1600, "a clock tick asked for off its second");
}

void CheckedPorts::SetTimer(WindowId window, CountdownTimer timer, bool running) {
    Used(window);
    timersRunning_[static_cast<std::size_t>(timer)] = running;
}

void CheckedPorts::ShowMessage(std::string_view, std::string_view, int) {
    Called();
    if (messageLoop) {
        messageLoop();
    }
}

void CheckedPorts::AddIcon(const IconRecord&) {
    Used(WindowId::Form1);
    const Frame& frame = Innermost();
    Require((frame.event == Event::ActivateButton || frame.event == Event::SuspendButton) &&
                frame.entryWellFormed,
            "the icon added outside a successful button arm or disarm");
    iconPresent_ = true;
}

void CheckedPorts::DeleteIcon(const IconRecord&) {
    Require(form1Loaded_, "the icon removed after the main window closed");
    Called(Call::DeleteIcon);
    iconPresent_ = false;
}

std::optional<MenuCommand> CheckedPorts::PopUpMenu(MenuCommand defaultItem) {
    Called();
    Require(defaultItem == kDefaultMenuItem, "the menu without its default item");
    Require(Innermost().event == Event::IconCallback, "the menu popped up other than by the icon");
    ++menus_;
    return menuLoop ? menuLoop() : std::nullopt;
}

void CheckedPorts::EndProgram() {
    Called();
    Require(!form1Loaded_ && !countdown_, "the program ended with a window open");
    ended_ = true;
}

void CheckedPorts::PowerCalled(Power power, bool onItsPath, const char* broken) {
    Called();
    Require(onItsPath, broken);
    ++powerCalls_[static_cast<std::size_t>(power)];
}

bool CheckedPorts::OnLastBarTickOf(WindowId window) const {
    const Frame& frame = Innermost();
    return frame.event == Event::BarTick && frame.countdown == window && frame.lastBarTick;
}

void CheckedPorts::EteindreXP() {
    PowerCalled(Power::EteindreXP, OnLastBarTickOf(WindowId::Form2),
                "EteindreXP other than as the power-off countdown's bar fills");
}

void CheckedPorts::RebootXP() {
    PowerCalled(Power::RebootXP, inLoadStep_ && countdown_ == WindowId::Form3,
                "RebootXP other than as the restart window loads");
    ++restartsInLoadStep_;
}

void CheckedPorts::AnnulerRebootXP() {
    const Frame& frame = Innermost();
    PowerCalled(Power::AnnulerRebootXP,
                frame.event == Event::Cancel && frame.countdown == WindowId::Form3,
                "AnnulerRebootXP other than by the restart window's cancel");
}

void CheckedPorts::VeilleXP() {
    PowerCalled(Power::VeilleXP, OnLastBarTickOf(WindowId::Form4),
                "VeilleXP other than as the standby countdown's bar fills");
}

void DeliverIconCallback(Program& program, CheckedPorts& ports, std::uintptr_t parameter) {
    Form1& form1 = program.form1();
    const unsigned message = MouseMessageOf(parameter);
    Require(message == static_cast<std::uint16_t>(parameter),
            "the mouse message is not the parameter's low word");
    const bool busy = form1.Busy();
    const std::size_t calls = ports.calls();
    const std::size_t menus = ports.menus();
    const std::size_t shows = ports.mainWindowShows();
    ports.Deliver(ports.FrameOf(Event::IconCallback, program),
                  [&] { form1.Form_MouseMove(message); });
    Require(form1.Busy() == busy, "the busy flag changed by a callback");
    if (busy) {
        Require(ports.calls() == calls, "a callback handled while the menu was open");
    } else if (message == kLeftButtonDown) {
        Require(ports.mainWindowShows() == shows + 1 && !ports.countdown(),
                "a left press on the icon did not show the main window alone");
    } else if (message == kRightButtonUp) {
        Require(ports.menus() == menus + 1, "a right release did not pop up the menu once");
    } else {
        Require(ports.calls() == calls, "mouse activity over the icon did something");
    }
}

}  // namespace kalvoro::fuzz
