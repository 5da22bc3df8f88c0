#pragma once

#include <windows.h>

namespace kalvoro::win32 {

// The main window's background: a GIF resource decoded once by OLE (which
// Windows XP has) into a bitmap of its size at the screen's dpi, drawn at the
// client's top-left.
class BackgroundPicture {
  public:
    BackgroundPicture() = default;
    BackgroundPicture(const BackgroundPicture&) = delete;
    BackgroundPicture& operator=(const BackgroundPicture&) = delete;
    ~BackgroundPicture();

    void Load(HINSTANCE instance, int resourceId, int dpi);
    // Fills the client area white and draws the picture over it.
    void Paint(HWND window, HDC dc) const;

  private:
    HBITMAP bitmap_ = nullptr;
    SIZE size_{};
};

}  // namespace kalvoro::win32
