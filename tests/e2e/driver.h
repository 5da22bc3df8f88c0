#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "harness.h"

namespace e2e {

extern const std::string_view kSuite;  // rows.cpp

// The program to start, where each start works, the screen's density that the
// pixels follow, and where pictures go.
struct RunSetting {
    std::wstring program;
    std::wstring workRoot;
    int dpi = 96;
    std::wstring screenshots;
};

// Runs the rows named, or every row that suits the density (the tour only on
// request); one line per check, then the summary. Returns the exit code.
int RunRows(const RunSetting& setting, const std::vector<std::string>& chosen);

}  // namespace e2e
