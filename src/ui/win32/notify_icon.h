#pragma once

#include <windows.h>

#include <shellapi.h>

#include "tray/icon_record.h"

namespace kalvoro::win32 {

// The notification-area icon: the main window's record in the first form of
// NOTIFYICONDATAA, filled from the core's IconRecord.
class NotifyIcon {
  public:
    void Add(HWND window, HICON icon, const IconRecord& record);
    void Delete(HWND window, const IconRecord& record);
    // Explorer restarted ("TaskbarCreated"): show the icon again if it exists.
    void AddAgain();

  private:
    NOTIFYICONDATAA data_{};
    bool added_ = false;
};

}  // namespace kalvoro::win32
