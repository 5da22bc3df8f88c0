#pragma once

#include <cstdint>

namespace kalvoro::sim {

// Heap allocations made by the process so far, counted by the replacement of
// the global operator new that the bench links in.
std::uint64_t HeapAllocations();

}  // namespace kalvoro::sim
