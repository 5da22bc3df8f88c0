#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "program_under_test.h"
#include "report.h"
#include "waiting.h"

namespace e2e {

// Checks that wait for their condition and say what they saw when it fails.

template <class Condition>
bool CheckSoon(Report& report, std::string_view what, Condition condition,
               milliseconds timeout = kPatience) {
    return report.Check(WaitUntil(condition, timeout), what,
                        "not within " + std::to_string(timeout.count()) + " ms");
}

bool CheckText(Report& report, std::string_view what, HWND window, std::wstring_view expected);
bool CheckTextSoon(Report& report, std::string_view what, HWND window, std::wstring_view expected,
                   milliseconds timeout = kPatience);
bool CheckPowerLog(Report& report, std::string_view what, const ProgramUnderTest& program,
                   const std::vector<std::string>& expected);
bool CheckEnds(Report& report, std::string_view what, ProgramUnderTest& program,
               milliseconds timeout = kPatience);
// The option buttons: exactly the one given is selected.
bool CheckSelectedOption(Report& report, std::string_view what, const ProgramUnderTest& program,
                         ControlId selected);

}  // namespace e2e
