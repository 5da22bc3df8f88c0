// The two decoders of outside input: the entry, judged against the texts the
// clock can show, and the icon's callback parameter, decoded and dispatched
// under the busy flag, with callbacks arriving while the menu is open.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "checked_ports.h"
#include "schedule/time_entry.h"

namespace {

using namespace kalvoro;
using namespace kalvoro::fuzz;

void CheckEntry(std::string_view entry) {
    const std::optional<int> second = ClockTextSecond(entry);
    Require(EntrySecondOfDay(entry) == second, "the entry's second is not the clock text's");
    Require(VerifierHeure(entry) == (second ? kVerdictOui : std::string_view{}),
            "the verdict does not match the entry");
}

void CheckIconCallbacks(FuzzedDataProvider& input) {
    CheckedPorts ports;
    FuzzClock clock;
    Program program{ports, clock, ports};
    ports.Deliver({}, [&] { program.Start(); });
    program.form1().TxTChoix_Change("05:30:00");
    ports.Deliver(ports.FrameOf(Event::ActivateButton, program),
                  [&] { program.form1().Activer_Click(); });
    ports.menuLoop = [&]() -> std::optional<MenuCommand> {
        while (input.ConsumeBool() && !ports.ended) {
            DeliverIconCallback(program, ports, input.ConsumeIntegral<std::uintptr_t>());
        }
        return MenuCommandFromId(input.ConsumeIntegralInRange<unsigned>(0, kMenu1.size() + 1));
    };
    while (input.remaining_bytes() > 0 && !ports.ended) {
        DeliverIconCallback(program, ports, input.ConsumeIntegral<std::uintptr_t>());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckEntry({reinterpret_cast<const char*>(data), size});
    FuzzedDataProvider input{data, size};
    CheckIconCallbacks(input);
    return 0;
}
