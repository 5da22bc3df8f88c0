#include "fakes/fakes.h"

#include <utility>

namespace kalvoro::testing {

void FakeDesktop::ShowMessage(std::string_view prompt, std::string_view title, int style) {
    journal_.push_back("message " + std::string(prompt) + " | " + std::string(title) + " | " +
                       std::to_string(style));
    RunModal();
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

void FakeDesktop::RunModal() {
    if (duringModal) {
        std::exchange(duringModal, nullptr)();
    }
}

}  // namespace kalvoro::testing
