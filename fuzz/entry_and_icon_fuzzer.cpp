// The two decoders of outside input: the entry, judged against the texts the
// clock can show, and the icon's callback parameter, decoded and dispatched
// under the busy flag, with callbacks arriving while the menu is open.
#include <fuzzer/FuzzedDataProvider.h>

#include "checked_ports.h"
#include "schedule/time_entry.h"

using namespace kalvoro;
using namespace kalvoro::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view entry{reinterpret_cast<const char*>(data), size};
    const std::optional<int> second = ClockTextSecond(entry);
    Require(EntrySecondOfDay(entry) == second, "the entry's second is not the clock text's");
    Require(VerifierHeure(entry) == (second ? kVerdictOui : std::string_view{}),
            "the verdict does not match the entry");

    FuzzedDataProvider input{data, size};
    CheckedPorts ports;
    sim::SetClock clock;
    Program program{ports, clock, ports};
    ports.Deliver({}, [&] { program.Start(); });
    program.form1().TxTChoix_Change("05:30:00");
    ports.Deliver(ports.FrameOf(Event::ActivateButton, program),
                  [&] { program.form1().Activer_Click(); });
    const auto callbacks = [&](bool inMenu) {
        while ((!inMenu || input.ConsumeBool()) && input.remaining_bytes() > 0 && !ports.ended) {
            DeliverIconCallback(program, ports, input.ConsumeIntegral<std::uintptr_t>());
        }
    };
    ports.menuLoop = [&] {
        callbacks(true);
        return MenuCommandFromId(
            input.ConsumeIntegralInRange<unsigned>(0, std::tuple_size_v<Menu1Items> + 1));
    };
    callbacks(false);
    return 0;
}
