#pragma once

#include <string>

#include "fake_tray.h"
#include "report.h"
#include "rows.h"

namespace e2e {

// Where a run stands: the program to start, where each start works, and the
// screen's density that the pixels follow.
struct RunSetting {
    std::wstring program;
    std::wstring workRoot;
    int dpi = 96;
    std::wstring screenshots;  // where pictures go; empty: none taken
};

// Runs the steps of one row; every check goes to the report.
void RunRow(const RunSetting& setting, Report& report, FakeTray& tray, std::span<const Step> steps);

}  // namespace e2e
