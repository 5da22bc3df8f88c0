#include "fakes/fakes.h"

#include <utility>

namespace kalvoro::testing {

std::string NameOf(WindowId window) {
    return "Form" + std::to_string(static_cast<int>(window) + 1);
}

namespace {

std::string NameOf(CountdownTimer timer) {
    return timer == CountdownTimer::Timer1 ? "Timer1" : "Timer2";
}

}  // namespace

void FakeDesktop::Load(WindowId window) {
    journal_.push_back("load " + NameOf(window));
}
void FakeDesktop::Unload(WindowId window) {
    journal_.push_back("unload " + NameOf(window));
}
void FakeDesktop::Show(WindowId window) {
    journal_.push_back("show " + NameOf(window));
}
void FakeDesktop::ShowWithoutActivating(WindowId window) {
    journal_.push_back("show without activating " + NameOf(window));
}
void FakeDesktop::Hide(WindowId window) {
    journal_.push_back("hide " + NameOf(window));
}
void FakeDesktop::SetTopmost(WindowId window) {
    journal_.push_back("topmost " + NameOf(window));
}
void FakeDesktop::Present(WindowId window) {
    journal_.push_back("present " + NameOf(window));
}

void FakeDesktop::ArmClockTimer(std::chrono::milliseconds delay) {
    lastClockDelay = delay;
}

void FakeDesktop::StartTimer(WindowId window, CountdownTimer timer) {
    journal_.push_back("start " + NameOf(window) + " " + NameOf(timer));
}

void FakeDesktop::StopTimer(WindowId window, CountdownTimer timer) {
    journal_.push_back("stop " + NameOf(window) + " " + NameOf(timer));
}

void FakeDesktop::ShowMessage(std::string_view prompt, std::string_view title, int style) {
    journal_.push_back("message " + std::string(prompt) + " | " + std::string(title) + " | " +
                       std::to_string(style));
    RunModal();
}

void FakeDesktop::AddIcon(const IconRecord& record) {
    iconsAdded.push_back(record);
    journal_.push_back("icon add");
}

void FakeDesktop::DeleteIcon(const IconRecord& record) {
    journal_.push_back("icon delete " + std::to_string(record.uID));
}

void FakeDesktop::HideFromTaskList() {
    journal_.push_back("task list off");
}

std::optional<MenuCommand> FakeDesktop::PopUpMenu(MenuCommand defaultItem) {
    journal_.push_back("menu default " + std::to_string(static_cast<unsigned>(defaultItem)));
    RunModal();
    if (menuChoices.empty()) {
        return std::nullopt;
    }
    const auto choice = menuChoices.front();
    menuChoices.pop_front();
    return choice;
}

void FakeDesktop::EndProgram() {
    journal_.push_back("end");
}

void FakeDesktop::RunModal() {
    if (duringModal) {
        std::exchange(duringModal, nullptr)();
    }
}

}  // namespace kalvoro::testing
