#include "ui/qt/front_end.h"

#include "ui/qt/layout_widgets.h"

namespace kalvoro::qt {

FrontEnd::FrontEnd(const Clock& clock, PowerActions& power, NotificationArea area)
    : desktop_(area, ScreenDpi()), program_(desktop_, clock, power) {
    desktop_.Attach(program_);
}

}  // namespace kalvoro::qt
