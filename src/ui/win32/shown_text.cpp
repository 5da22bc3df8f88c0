#include "ui/win32/shown_text.h"

#include "win32_text/text.h"

namespace kalvoro::win32 {

void ShownText::Attach(HWND control, std::string_view text) {
    control_ = control;
    text_.assign(text);
}

bool ShownText::Show(std::string_view text) {
    if (text == text_) {
        return false;
    }
    text_.assign(text);
    SetWindowTextW(control_, Wide(text).c_str());
    return true;
}

void EraseUnder(HWND control) {
    HWND parent = GetParent(control);
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace kalvoro::win32
