#include "latency.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "actions.h"
#include "local_clock.h"
#include "program_under_test.h"
#include "steps.h"

namespace e2e {

namespace {

// As fine as a sleeping poll gets; the figure cannot be finer than this.
constexpr milliseconds kTightPoll{1};

// Milliseconds from the start of the second until the countdown is seen, or -1.
int OneRun(const ProgramUnderTest& program, bool first) {
    const int second = EnterSecondSoon({&program}, [first](const ProgramUnderTest& started) {
        if (first) {
            Click(started.MainControl(ControlId::Activer));
        }
    });
    ClockReading seen{};
    const bool opened = WaitUntil(
        [&] {
            if (!IsShown(program.Countdown())) {
                return false;
            }
            seen = ReadClock();
            return true;
        },
        kPatience, kTightPoll);
    // Close it without any power action and let the next run arm again.
    PostIconCallback(program.Main(), WM_LBUTTONDOWN);
    WaitUntil([&] { return program.Countdown() == nullptr; });
    if (!opened) {
        return -1;
    }
    const int seconds =
        ((seen.secondOfDay - second) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return seconds * 1000 + seen.millisecond;
}

// Nearest rank: the smallest figure with at least that share of the runs at or below it.
int Percentile(const std::vector<int>& sorted, double share) {
    const auto rank =
        static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size())));
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace

int MeasureLatency(const std::wstring& program, const std::wstring& workRoot, int runs) {
    ProgramUnderTest run(program, workRoot + L"\\latency");
    if (!run.WaitUntilReady()) {
        std::puts("the program did not start");
        return 1;
    }
    std::vector<int> figures;
    for (int i = 0; i < runs; ++i) {
        const int latency = OneRun(run, i == 0);
        std::printf(
            "run %2d: %s\n", i + 1,
            latency < 0 ? "no countdown window" : (std::to_string(latency) + " ms").c_str());
        if (latency >= 0) {
            figures.push_back(latency);
        }
    }
    if (figures.empty()) {
        return 1;
    }
    std::sort(figures.begin(), figures.end());
    std::printf(
        "trigger latency, start of the entered second to the countdown window shown, %zu runs: "
        "median %d ms, 99th percentile %d ms, min %d ms, max %d ms\n",
        figures.size(), Percentile(figures, 0.5), Percentile(figures, 0.99), figures.front(),
        figures.back());
    return 0;
}

}  // namespace e2e
