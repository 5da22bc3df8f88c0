// kalvoro-e2e-driver <program> <work directory> <dpi> [row... | --latency <runs> |
// --tour <screenshot directory>]: the end-to-end suite (or the rows named) run
// on the program under Wine, one line per check, then "N passed, N failed" and
// the exit code 1 on any failure; or the trigger's real latency, printed, not
// judged; or a walk through the windows worth a picture.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "harness.h"

namespace {

// Arms the program for a second just ahead, `runs` times, and prints how long
// after the start of that second (by the local clock, which the program reads
// too) its countdown window was seen: each run, then the median and the 99th
// percentile (nearest rank). Figures only: nothing is judged.
int MeasureLatency(const e2e::RunSetting& setting, int runs) {
    using namespace e2e;
    const Program program(setting.program, setting.workRoot + L"\\latency");
    std::vector<int> figures;
    for (int run = 1; run <= runs && program.WaitUntilReady(); ++run) {
        const int second = EnterSecondSoon({&program}, run == 1 ? ControlId::Activer : ControlId{});
        int millisecond = -1;
        int seen = 0;
        WaitUntil(
            [&] { return program.Countdown().Shown() && (seen = SecondOfDay(&millisecond), true); },
            kPatience, 1);
        // Closed without any power action, so that the next run arms again.
        program.Main().Post(WM_MOUSEMOVE, 0, WM_LBUTTONDOWN);
        WaitUntil([&] { return program.Countdown().handle == nullptr; });
        const int latency =
            ((seen - second + kSecondsPerDay) % kSecondsPerDay) * 1000 + millisecond;
        std::printf(
            "run %2d: %s\n", run,
            millisecond < 0 ? "no countdown window" : (std::to_string(latency) + " ms").c_str());
        if (millisecond >= 0) {
            figures.push_back(latency);
        }
    }
    if (figures.empty()) {
        return 1;
    }
    std::sort(figures.begin(), figures.end());
    const auto rank = [&](double share) {
        const auto at =
            static_cast<std::size_t>(std::ceil(share * static_cast<double>(figures.size())));
        return figures[std::max<std::size_t>(at, 1) - 1];
    };
    std::printf(
        "trigger latency, start of the entered second to the countdown window shown, %zu runs: "
        "median %d ms, 99th percentile %d ms, min %d ms, max %d ms\n",
        figures.size(), rank(0.5), rank(0.99), figures.front(), figures.back());
    return 0;
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
    SetProcessDPIAware();  // the program's windows read in real pixels, whatever the dpi
    e2e::RunSetting setting{argv[1], argv[2], std::stoi(argv[3]), {}};
    CreateDirectoryW(setting.workRoot.c_str(), nullptr);
    const std::wstring mode = argc > 5 ? argv[4] : L"";
    if (mode == L"--latency") {
        return MeasureLatency(setting, std::stoi(argv[5]));
    }
    std::vector<std::string> chosen;
    for (int i = 4; i < argc; ++i) {
        chosen.push_back(e2e::Utf8(argv[i]));
    }
    if (mode == L"--tour") {
        setting.screenshots = argv[5];
        chosen = {"tour"};
    }
    return e2e::RunRows(setting, chosen);
}
