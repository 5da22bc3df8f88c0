#pragma once

#include <functional>
#include <memory>

#include "tray/icon_record.h"
#include "tray/menu1.h"

class QWidget;

namespace kalvoro {
class Form1;
}

namespace kalvoro::qt {

// Where the program waits while its main window is away.
enum class NotificationArea {
    SystemTray,  // an icon in the desktop's notification area
    MainWindow,  // none on this desktop: the main window stays within reach
};

// The notification area of the desktop at hand.
NotificationArea DesktopNotificationArea();

// The platform's side of the notification icon: what adding it, hiding the
// main window and leaving the task list mean on this desktop, and which user
// actions reach Form1 as the icon's mouse messages.
class IconHost {
  public:
    // Delivers an icon mouse message (kLeftButtonDown, kRightButtonUp) to Form1.
    using MouseMessageSink = std::function<void(unsigned mouseMessage)>;
    struct Sinks {
        MouseMessageSink mouse;
        // Delivers an item of Menu1 chosen where the notification area showed
        // the menu itself.
        std::function<void(MenuCommand command)> choice;
    };

    virtual ~IconHost() = default;
    virtual void Add(const IconRecord& record) = 0;
    virtual void Delete() = 0;
    virtual void HideMainWindow() = 0;
    virtual void HideFromTaskList() = 0;
    // Brings the notification area's own copy of Menu1, if any, up to date.
    virtual void Refresh(const Form1& form1) = 0;
};

std::unique_ptr<IconHost> MakeIconHost(NotificationArea area, QWidget& mainWindow,
                                       const Form1& form1, IconHost::Sinks sinks);

}  // namespace kalvoro::qt
