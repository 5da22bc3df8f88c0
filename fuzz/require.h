#pragma once

#include <cstdio>
#include <cstdlib>

namespace kalvoro::fuzz {

// Stops the run with a crash that libFuzzer reports and saves the input for.
inline void Require(bool condition, const char* broken) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", broken);
        std::abort();
    }
}

}  // namespace kalvoro::fuzz
