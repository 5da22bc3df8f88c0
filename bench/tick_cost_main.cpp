// Runs one workload of the steady state a given number of times, so that
// valgrind --tool=callgrind --toggle-collect=<handler> counts the instructions
// of exactly that many ticks. With --list, prints each workload and its handler.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "steady_program.h"

int main(int argc, char** argv) {
    using kalvoro::sim::kWorkloads;
    const bool list = argc == 2 && std::string_view{argv[1]} == "--list";
    for (std::size_t i = 0; i < kWorkloads.size(); ++i) {
        if (list) {
            std::printf("%s %s\n", kWorkloads[i].name.c_str(), kWorkloads[i].handler.c_str());
        } else if (argc == 3 && kWorkloads[i].name == argv[1] && std::atol(argv[2]) > 0) {
            kalvoro::sim::SteadyProgram program{i};
            for (long tick = std::atol(argv[2]); tick > 0; --tick) {
                program.Prepare();
                program.Tick();
            }
            return 0;
        }
    }
    if (list) {
        return 0;
    }
    std::fputs("usage: kalvoro_tick_cost --list | <workload> <ticks>\n", stderr);
    return 2;
}
