// Random sequences of every event the core accepts, the invariants checked
// after each one: see EventDriver and InvariantPorts.
#include <cstddef>
#include <cstdint>

#include "event_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kalvoro::fuzz::EventDriver driver{data, size};
    driver.Run();
    return 0;
}
