#include "ui/program.h"

namespace kalvoro {

namespace {

constexpr WindowId kCountdownWindows[] = {WindowId::Form2, WindowId::Form3, WindowId::Form4};

}  // namespace

Program::Program(Desktop& desktop, const Clock& clock, PowerActions& power)
    : desktop_(desktop), power_(power, *this), form1_(*this, desktop, clock) {}

void Program::Start() {
    form1Loaded_ = true;
    form1_.Form_Load();
}

bool Program::Loaded(WindowId window) const {
    if (window == WindowId::Form1) {
        return form1Loaded_;
    }
    return countdown_ && countdown_->window() == window;
}

void Program::OpenCountdown(ActionKind action) {
    CloseCountdowns();
    const CountdownKind& kind = CountdownKindOf(action);
    AllWindows& windows = *this;
    countdown_.emplace(kind, desktop_, windows, power_);
    desktop_.Load(kind.window);
    countdown_->Form_Load();
    desktop_.Show(kind.window);
    desktop_.Hide(WindowId::Form1);
}

void Program::CloseCountdowns() {
    for (const WindowId window : kCountdownWindows) {
        Unload(window);
    }
}

void Program::CloseAllWindows() {
    // The countdown that closes everything is the only one open, so it goes last.
    Unload(WindowId::Form1);
    CloseCountdowns();
}

void Program::Quit() {
    CloseCountdowns();
    Unload(WindowId::Form1);
}

void Program::CloseBox(WindowId window) {
    if (window == WindowId::Form1) {
        Quit();
    } else {
        Unload(window);
    }
}

void Program::Unload(WindowId window) {
    if (!Loaded(window)) {
        return;
    }
    if (window == WindowId::Form1) {
        form1_.Form_QueryUnload();
        form1Loaded_ = false;
    } else {
        countdown_.reset();
    }
    desktop_.Unload(window);
    EndIfNothingLeft();
}

void Program::Refused(std::string_view message) {
    ++openMessages_;
    desktop_.ShowMessage(message, kPowerRefusalTitle, kPowerRefusalStyle);
    --openMessages_;
    EndIfNothingLeft();
}

void Program::EndIfNothingLeft() {
    if (ended_ || form1Loaded_ || countdown_ || power_.Awaiting() || openMessages_ > 0) {
        return;
    }
    ended_ = true;
    desktop_.EndProgram();
}

}  // namespace kalvoro
