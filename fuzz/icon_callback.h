#pragma once

#include <cstdint>

#include "invariant_ports.h"
#include "ui/program.h"

namespace kalvoro::fuzz {

// Delivers the icon's callback with the given second parameter and checks its
// decoding and dispatch: the mouse message is the parameter's low word; while
// the busy flag is set nothing at all happens; otherwise a left press shows
// the main window with no countdown left, a right release pops up the menu
// once, and any other message does nothing; the flag is as it was afterwards.
void DeliverIconCallback(Program& program, InvariantPorts& ports, std::uintptr_t parameter);

}  // namespace kalvoro::fuzz
