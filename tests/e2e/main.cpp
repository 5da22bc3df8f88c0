// kalvoro-e2e-driver: runs beside kalvoro-xp-e2e.exe under Wine.
//
//   kalvoro-e2e-driver <program> <work directory> <dpi> [row...]
//       the end-to-end suite, or the rows named; one line per check, then
//       "N passed, N failed"; the exit code is 1 on any failure. Away from
//       96 dpi the rows that no pixel decides are left out.
//   kalvoro-e2e-driver <program> <work directory> <dpi> --latency <runs>
//       the trigger's real latency, printed, not judged.
//   kalvoro-e2e-driver <program> <work directory> <dpi> --tour <screenshot directory>
//       walks through the windows worth a picture.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "latency.h"
#include "run_rows.h"
#include "utf8.h"

namespace {

constexpr int kAllDpis = 96;

// The driver reads the program's windows in real pixels, whatever the dpi.
void ReadRealPixels() {
    using SetAware = BOOL(WINAPI*)();
    if (const auto aware = reinterpret_cast<SetAware>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware")))) {
        aware();
    }
}

int RunSuite(const e2e::RunSetting& setting, const std::vector<std::string>& chosen, bool tour) {
    e2e::Report report;
    e2e::FakeTray tray;
    if (report.Check(tray.Running(), "the driver stands in for the notification area")) {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        report.Check(dpi == setting.dpi,
                     "the screen has " + std::to_string(setting.dpi) + " dots per inch",
                     std::to_string(dpi));
    }
    if (tour) {
        e2e::RunRow(setting, report, tray, e2e::TourSteps());
    }
    for (const e2e::Row& row : tour ? std::span<const e2e::Row>{} : e2e::SuiteRows()) {
        const bool named =
            std::find(chosen.begin(), chosen.end(), std::string{row.name}) != chosen.end();
        if (chosen.empty() ? (!row.pixelFree || setting.dpi == kAllDpis) : named) {
            report.Section(row.name);
            e2e::RunRow(setting, report, tray, row.steps);
        }
    }
    report.Summary();
    return report.failed() == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 and "\n" as they are
    if (argc < 4) {
        std::fputs(
            "usage: kalvoro-e2e-driver <program> <work directory> <dpi> [row... | "
            "--latency <runs> | --tour <screenshot directory>]\n",
            stderr);
        return 2;
    }
    ReadRealPixels();
    e2e::RunSetting setting{argv[1], argv[2], std::stoi(argv[3]), {}};
    CreateDirectoryW(setting.workRoot.c_str(), nullptr);
    const std::wstring mode = argc > 4 ? argv[4] : L"";
    if (mode == L"--latency" && argc > 5) {
        return e2e::MeasureLatency(setting.program, setting.workRoot, std::stoi(argv[5]));
    }
    if (mode == L"--tour" && argc > 5) {
        setting.screenshots = argv[5];
        return RunSuite(setting, {}, true);
    }
    std::vector<std::string> chosen;
    for (int i = 4; i < argc; ++i) {
        chosen.push_back(e2e::Utf8(argv[i]));
    }
    return RunSuite(setting, chosen, false);
}
