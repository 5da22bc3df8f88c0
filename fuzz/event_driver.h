#pragma once

#include <cstddef>
#include <cstdint>
#include <set>

#include <fuzzer/FuzzedDataProvider.h>

#include "invariant_ports.h"
#include "ui/program.h"

namespace kalvoro::fuzz {

// Feeds a program every event it accepts, in the order and with the values
// the fuzzer's input dictates, until the input runs out or the program ends;
// inside the message box and the menu it delivers what a modal loop would let
// through. After each event, at any depth, it checks the invariants that do
// not depend on the path: one option selected, the last one chosen; the
// program's countdown window the one the desktop has loaded; and the path
// checks of InvariantPorts hold throughout.
class EventDriver {
  public:
    EventDriver(const std::uint8_t* data, std::size_t size);
    EventDriver(const EventDriver&) = delete;
    EventDriver& operator=(const EventDriver&) = delete;

    void Run();

  private:
    struct EventKind {
        void (EventDriver::*deliver)();
        bool passesModalLoops;  // timer ticks, icon callbacks, other windows, the system
    };

    void DeliverOne(bool insideModalLoop);
    void ModalLoop();
    std::optional<MenuCommand> MenuLoop();
    void CheckInvariants();
    Form1& form1() { return program_.form1(); }

    void ClickActiver();
    void ClickSuspendre();
    void ClickQuitter();
    void ClickLabel3();
    void ClickLabel2();
    void ClickOption();
    void TypeEntry();
    void ClickEntry();
    void ClockTick();
    void IconCallback();
    void MenuHandler();
    void CloseBox();
    void BarTicks();
    void NumberTick();
    void Cancel();
    void Arm(Event button);

    static const EventKind kEvents[];

    FuzzedDataProvider input_;
    InvariantPorts ports_;
    FuzzClock clock_;
    Program program_{ports_, clock_, ports_};
    ActionKind selected_ = ActionKind::PowerOff;
    int depth_ = 0;
    // Bar ticks the open countdown has run, and which opening it is.
    int barTicks_ = 0;
    std::size_t barTicksOfLoad_ = 0;
    // Local seconds of the entered seconds that opened a countdown since the
    // clock last went back: none may open one twice.
    std::set<std::int64_t> openedFor_;
};

}  // namespace kalvoro::fuzz
