#pragma once

#include "fake_tray.h"
#include "program_under_test.h"
#include "report.h"

namespace e2e {

// Armed for a time an hour away, the program takes a storm of icon
// callbacks, entry texts and option clicks, and must come out of it as the
// last events left it, without any power action.
void Storm(Report& report, const FakeTray& tray, ProgramUnderTest& program, HWND main);

}  // namespace e2e
