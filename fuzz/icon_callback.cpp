#include "icon_callback.h"

#include "require.h"

namespace kalvoro::fuzz {

void DeliverIconCallback(Program& program, InvariantPorts& ports, std::uintptr_t parameter) {
    Form1& form1 = program.form1();
    const unsigned message = MouseMessageOf(parameter);
    Require(message == static_cast<std::uint16_t>(parameter),
            "the mouse message is not the parameter's low word");

    const bool busy = form1.Busy();
    const std::size_t calls = ports.calls();
    const std::size_t menus = ports.menus();
    const std::size_t shows = ports.mainWindowShows();
    {
        const InvariantPorts::Scope scope{ports, FrameOf(Event::IconCallback, program, ports)};
        form1.Form_MouseMove(message);
    }
    Require(form1.Busy() == busy, "the busy flag changed by a callback");
    if (busy) {
        Require(ports.calls() == calls, "a callback handled while the menu was open");
    } else if (message == kLeftButtonDown) {
        Require(ports.mainWindowShows() == shows + 1 && !ports.countdown(),
                "a left press on the icon did not show the main window alone");
    } else if (message == kRightButtonUp) {
        Require(ports.menus() == menus + 1, "a right release did not pop up the menu once");
    } else {
        Require(ports.calls() == calls, "mouse activity over the icon did something");
    }
}

}  // namespace kalvoro::fuzz
