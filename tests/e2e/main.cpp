// kalvoro-e2e-driver: runs beside kalvoro-xp-e2e.exe under Wine.
//
//   kalvoro-e2e-driver <program> <work directory> [scenario...]
//       the end-to-end suite, or the scenarios named; one line per check,
//       then "N passed, N failed"; the exit code is 1 on any failure.
//   kalvoro-e2e-driver <program> <work directory> --latency <runs>
//       the trigger's real latency, printed, not judged.
//   kalvoro-e2e-driver <program> <work directory> --tour <screenshot directory>
//       walks through the windows worth a picture (see tour.h).
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "latency.h"
#include "suite.h"
#include "tour.h"
#include "utf8.h"

namespace {

using e2e::Scenario;

constexpr Scenario kScenarios[] = {
    {"start-up", &e2e::StartUp},
    {"refusal", &e2e::Refusal},
    {"countdowns-run-to-their-end", &e2e::CountdownsRunToTheirEnd},
    {"cancel-in-each-countdown", &e2e::CancelInEachCountdown},
    {"icon-menu", &e2e::IconMenu},
    {"arming-from-the-menu", &e2e::ArmingFromTheMenu},
    {"changes-while-armed", &e2e::ChangesWhileArmed},
    {"close-boxes", &e2e::CloseBoxes},
    {"taskbar-created", &e2e::TaskbarCreated},
    {"storm", &e2e::Storm},
};

int RunSuite(const std::wstring& program, const std::wstring& workRoot,
             const std::vector<std::string>& chosen) {
    e2e::Report report;
    e2e::FakeTray tray;
    if (!report.Check(tray.Running(), "the driver stands in for the notification area")) {
        report.Summary();
        return 1;
    }
    e2e::Suite suite(report, tray, program, workRoot);
    for (const Scenario& scenario : kScenarios) {
        if (chosen.empty() ||
            std::find(chosen.begin(), chosen.end(), std::string{scenario.name}) != chosen.end()) {
            report.Section(scenario.name);
            scenario.run(suite);
        }
    }
    report.Summary();
    return report.failed() == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 and "\n" as they are
    if (argc < 3) {
        std::fputs(
            "usage: kalvoro-e2e-driver <program> <work directory> [scenario... | "
            "--latency <runs> | --tour <screenshot directory>]\n",
            stderr);
        return 2;
    }
    const std::wstring program = argv[1];
    const std::wstring workRoot = argv[2];
    CreateDirectoryW(workRoot.c_str(), nullptr);
    const std::wstring mode = argc > 3 ? argv[3] : L"";
    if (mode == L"--latency" && argc > 4) {
        return e2e::MeasureLatency(program, workRoot, std::stoi(argv[4]));
    }
    if (mode == L"--tour" && argc > 4) {
        return e2e::Tour(program, workRoot, argv[4]);
    }
    std::vector<std::string> chosen;
    for (int i = 3; i < argc; ++i) {
        chosen.push_back(e2e::Utf8(argv[i]));
    }
    return RunSuite(program, workRoot, chosen);
}
