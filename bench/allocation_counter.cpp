#include "allocation_counter.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> allocations{0};

void* Allocate(std::size_t size, std::size_t alignment) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    const std::size_t rounded =
        (std::max<std::size_t>(size, 1) + alignment - 1) / alignment * alignment;
    void* memory = alignment <= alignof(std::max_align_t) ? std::malloc(rounded)
                                                          : std::aligned_alloc(alignment, rounded);
    if (memory == nullptr) {
        throw std::bad_alloc{};
    }
    return memory;
}

}  // namespace

// The array and nothrow forms call these by default.
void* operator new(std::size_t size) {
    return Allocate(size, alignof(std::max_align_t));
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}

namespace kalvoro::sim {

std::uint64_t HeapAllocations() {
    return allocations.load(std::memory_order_relaxed);
}

}  // namespace kalvoro::sim
