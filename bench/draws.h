#pragma once

#include <cmath>
#include <cstdint>

namespace kalvoro::sim {

// Counter-based random numbers: the same key and slot always give the same
// draw, so every model of a day meets the same disturbances, whichever thread
// simulates it and in whatever order.
class Draws {
  public:
    explicit Draws(std::uint64_t key) : key_(Mix(key)) {}

    std::uint64_t Bits(std::uint64_t slot) const { return Mix(key_ ^ Mix(slot)); }
    // In [0, 1).
    double Unit(std::uint64_t slot) const {
        return static_cast<double>(Bits(slot) >> 11) * 0x1.0p-53;
    }
    // In [low, high).
    std::int64_t Uniform(std::uint64_t slot, std::int64_t low, std::int64_t high) const {
        return low + static_cast<std::int64_t>(Unit(slot) * static_cast<double>(high - low));
    }
    // In [low, high), evenly spread over the orders of magnitude.
    std::int64_t LogUniform(std::uint64_t slot, std::int64_t low, std::int64_t high) const {
        const double lowLog = std::log(static_cast<double>(low));
        const double highLog = std::log(static_cast<double>(high));
        return static_cast<std::int64_t>(std::exp(lowLog + Unit(slot) * (highLog - lowLog)));
    }

  private:
    // The finaliser of splitmix64.
    static std::uint64_t Mix(std::uint64_t x) {
        x += 0x9E3779B97F4A7C15u;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
        return x ^ (x >> 31);
    }

    std::uint64_t key_;
};

}  // namespace kalvoro::sim
