#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "power/power_log.h"
#include "schedule/local_time.h"
#include "ui/desktop.h"

namespace kalvoro::testing {

// One ordered record of every effect, desktop and power alike, so a test can
// compare whole sequences: "icon delete", "unload Form1", "RebootXP ...".
using Journal = std::vector<std::string>;

std::string NameOf(WindowId window);

class FakeClock final : public Clock {
  public:
    LocalTime now() const override { return time; }
    LocalTime time{2026, 12, 6, 4, 30, 20, 0};
};

class FakeDesktop final : public Desktop {
  public:
    explicit FakeDesktop(Journal& journal) : journal_(journal) {}

    void Load(WindowId window) override;
    void Unload(WindowId window) override;
    void Show(WindowId window) override;
    void ShowWithoutActivating(WindowId window) override;
    void Hide(WindowId window) override;
    void SetTopmost(WindowId window) override;
    void Present(WindowId window) override;
    void ArmClockTimer(std::chrono::milliseconds delay) override;
    void StartTimer(WindowId window, CountdownTimer timer) override;
    void StopTimer(WindowId window, CountdownTimer timer) override;
    void ShowMessage(std::string_view prompt, std::string_view title, int style) override;
    void AddIcon(const IconRecord& record) override;
    void DeleteIcon(const IconRecord& record) override;
    void HideFromTaskList() override;
    std::optional<MenuCommand> PopUpMenu(MenuCommand defaultItem) override;
    void EndProgram() override;

    // What the next pop-up menus return, in turn; an empty queue dismisses.
    std::deque<std::optional<MenuCommand>> menuChoices;
    // Runs inside the next modal call (message box or menu), as the
    // platform's modal loop would run timer ticks.
    std::function<void()> duringModal;

    std::chrono::milliseconds lastClockDelay{0};
    std::vector<IconRecord> iconsAdded;

  private:
    void RunModal();
    Journal& journal_;
};

// A power port that writes into the same journal as the desktop.
class FakePower {
  public:
    explicit FakePower(Journal& journal)
        : log([&journal](std::string_view line) { journal.emplace_back(line); }) {}
    PowerLog log;
};

}  // namespace kalvoro::testing

#include "ui/program.h"

namespace kalvoro::testing {

// A started program on fakes, its effects gathered in one journal.
struct Harness {
    Harness() { program.Start(); }

    // The journal from entry `from` on, to look at what one event did.
    Journal Since(std::size_t from) const {
        return {journal.begin() + static_cast<long>(from), journal.end()};
    }

    Form1& form1() { return program.form1(); }
    // Types the entry and arms with the button; the main window retires.
    void ArmFor(std::string_view entry) {
        form1().TxTChoix_Change(entry);
        form1().Activer_Click();
    }
    // Moves the clock to hh:mm:ss.mmm today and delivers the clock tick.
    void TickAt(int hour, int minute, int second, int millisecond = 10) {
        clock.time.hour = hour;
        clock.time.minute = minute;
        clock.time.second = second;
        clock.time.millisecond = millisecond;
        form1().Timer1_Timer();
    }
    // Delivers bar ticks to the open countdown while it stays open.
    void BarTicks(int count) {
        for (int i = 0; i < count && program.countdown() != nullptr; ++i) {
            program.countdown()->Timer1_Timer();
        }
    }

    Journal journal;
    FakeClock clock;
    FakeDesktop desktop{journal};
    FakePower power{journal};
    Program program{desktop, clock, power.log};
};

}  // namespace kalvoro::testing
