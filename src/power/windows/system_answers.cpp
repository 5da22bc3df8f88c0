#include "power/windows/system_answers.h"

#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "win32_text/text.h"

namespace kalvoro {

namespace {

// The system's text for the error, without the line break that ends it.
std::string SystemMessage(DWORD error) {
    wchar_t text[512];
    int length = static_cast<int>(
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, text, static_cast<DWORD>(std::size(text)), nullptr));
    if (length == 0) {
        length = wsprintfW(text, L"Erreur %lu", error);
    }
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n')) {
        --length;
    }
    return win32::Utf8({text, static_cast<std::size_t>(length)});
}

}  // namespace

void SystemAnswers::Settle(PowerRequest request, BOOL done) {
    settled_[static_cast<std::size_t>(request)] = {true, done ? ERROR_SUCCESS : GetLastError()};
    timer_.Start();
}

bool SystemAnswers::Poll() {
    // Each taken off before it is given: an answer may open a message box,
    // whose loop polls again.
    for (std::size_t request = 0; request < settled_.size(); ++request) {
        if (std::exchange(settled_[request].pending, false)) {
            const DWORD error = settled_[request].error;
            answering_.Answer(static_cast<PowerRequest>(request),
                              error == ERROR_SUCCESS
                                  ? std::nullopt
                                  : std::optional<std::string>{SystemMessage(error)});
        }
    }
    return false;
}

}  // namespace kalvoro
