#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kalvoro::win32 {

// A control's text as last shown, so that only a change reaches the window.
class ShownText {
  public:
    void Attach(HWND control, std::string_view text);
    // Shows the text if it differs from what is shown; returns whether it did.
    bool Show(std::string_view text);
    // The user changed the text in the control itself.
    void Adopt(std::string text) { text_ = std::move(text); }

  private:
    HWND control_ = nullptr;
    std::string text_;
};

// Repaints the parent under a transparent control, then the control: a
// transparent label does not erase its old glyphs itself.
void EraseUnder(HWND control);

}  // namespace kalvoro::win32
