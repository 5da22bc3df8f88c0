#pragma once

#include "countdown_kinds.h"
#include "program_under_test.h"
#include "report.h"

namespace e2e {

// A countdown window just opened: its texts from the start ("12", the wide
// sentence, "&Annuler"), its place and frame, the main window hidden.
void CheckJustOpened(Report& report, const CountdownKind& kind, const ProgramUnderTest& program);

// The bar's width in pixels.
int BarWidth(const ProgramUnderTest& program);

}  // namespace e2e
