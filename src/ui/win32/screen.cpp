#include "ui/win32/screen.h"

namespace kalvoro::win32 {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT PixelRect(const layout::Box& box, int dpi) {
    const int left = layout::TwipsToPixels(box.left, dpi);
    const int top = layout::TwipsToPixels(box.top, dpi);
    return {left, top, left + layout::TwipsToPixels(box.width, dpi),
            top + layout::TwipsToPixels(box.height, dpi)};
}

RECT OuterRect(const layout::WindowLayout& layout, DWORD style, DWORD exStyle, int dpi) {
    RECT rect{0, 0, layout::TwipsToPixels(layout.clientWidth, dpi),
              layout::TwipsToPixels(layout.clientHeight, dpi)};
    if (layout.clientOrigin) {
        OffsetRect(&rect, layout::TwipsToPixels(layout.clientOrigin->x, dpi),
                   layout::TwipsToPixels(layout.clientOrigin->y, dpi));
    }
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    if (!layout.clientOrigin) {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        rect = {left, top, left + width, top + height};
    }
    return rect;
}

}  // namespace kalvoro::win32
