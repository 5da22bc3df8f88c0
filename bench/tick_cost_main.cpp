// Runs one workload of the steady state a given number of times, so that
// valgrind --tool=callgrind --toggle-collect=<handler> counts the instructions
// of exactly that many ticks.
#include <charconv>
#include <cstdio>
#include <string_view>

#include "steady_state.h"

namespace {

int Usage() {
    std::fputs(
        "usage: kalvoro_tick_cost --list | <workload> <ticks>\n"
        "  --list  prints each workload and the handler to count, one a line\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using kalvoro::sim::kWorkloads;
    if (argc == 2 && std::string_view{argv[1]} == "--list") {
        for (const auto& workload : kWorkloads) {
            std::printf("%.*s %.*s\n", static_cast<int>(workload.name.size()), workload.name.data(),
                        static_cast<int>(workload.handler.size()), workload.handler.data());
        }
        return 0;
    }
    if (argc != 3) {
        return Usage();
    }
    const kalvoro::sim::Workload* workload = kalvoro::sim::WorkloadNamed(argv[1]);
    const std::string_view countText{argv[2]};
    long ticks = 0;
    const auto parsed =
        std::from_chars(countText.data(), countText.data() + countText.size(), ticks);
    if (workload == nullptr || parsed.ec != std::errc{} || ticks < 1) {
        return Usage();
    }
    kalvoro::sim::SteadyProgram program;
    for (long i = 0; i < ticks; ++i) {
        (program.*workload->prepare)();
        (program.*workload->tick)();
    }
    return 0;
}
