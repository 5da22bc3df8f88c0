#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "power/power_log.h"
#include "schedule/local_time.h"
#include "ui/desktop.h"
#include "ui/program.h"

namespace kalvoro::testing {

// One ordered record of every effect, desktop and power alike, so a test can
// compare whole sequences: "icon delete 1", "unload Form1", "RebootXP ...".
using Journal = std::vector<std::string>;

// The power log's line for the restart handed to the system.
inline const std::string kRebootLine =
    "RebootXP Shutdown -r -t 12 -c Redémarrage_de_l'ordinateur_par_Kalvoro_XP.\\r"
    "Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la\\r"
    "fenêtre_située_en_haut_à_gauche_de_votre_écran.";

// The icon's add request: identifier 1, flags 7 (message, icon, tip), the
// mouse-move message, and the tip that the system shows up to its NUL,
// filled with blanks to 64 characters.
inline const std::string kIconAdd =
    "icon add 1 7 512 " + std::string("Kalvoro XP\0", 11) + std::string(53, ' ');

inline std::string NameOf(WindowId window) {
    return "Form" + std::to_string(static_cast<int>(window) + 1);
}

class FakeClock final : public Clock {
  public:
    LocalTime now() const override { return time; }
    LocalTime time{2026, 12, 6, 4, 30, 20, 0};
};

class FakeDesktop final : public Desktop {
  public:
    explicit FakeDesktop(Journal& journal) : journal_(journal) {}

    void Load(WindowId window) override { Note("load ", window); }
    void Unload(WindowId window) override { Note("unload ", window); }
    void Show(WindowId window) override { Note("show ", window); }
    void ShowWithoutActivating(WindowId window) override {
        Note("show without activating ", window);
    }
    void Hide(WindowId window) override { Note("hide ", window); }
    void SetTopmost(WindowId window) override { Note("topmost ", window); }
    void Present(WindowId window) override { Note("present ", window); }
    void ArmClockTimer(std::chrono::milliseconds delay) override { lastClockDelay = delay; }
    void StartTimer(WindowId window, CountdownTimer timer) override {
        Note("start ", window, timer);
    }
    void StopTimer(WindowId window, CountdownTimer timer) override { Note("stop ", window, timer); }
    void ShowMessage(std::string_view prompt, std::string_view title, int style) override {
        journal_.push_back("message " + std::string(prompt) + " | " + std::string(title) + " | " +
                           std::to_string(style));
        RunModal();
    }
    void AddIcon(const IconRecord& record) override {
        journal_.push_back("icon add " + std::to_string(record.uID) + " " +
                           std::to_string(record.uFlags) + " " +
                           std::to_string(record.uCallbackMessage) + " " + record.szTip);
    }
    void DeleteIcon(const IconRecord& record) override {
        journal_.push_back("icon delete " + std::to_string(record.uID));
    }
    void HideFromTaskList() override { journal_.push_back("task list off"); }
    std::optional<MenuCommand> PopUpMenu(const Menu1Items&, MenuCommand defaultItem) override {
        journal_.push_back("menu default " + std::to_string(static_cast<unsigned>(defaultItem)));
        RunModal();
        if (menuChoices.empty()) {
            return std::nullopt;
        }
        const auto choice = menuChoices.front();
        menuChoices.pop_front();
        return choice;
    }
    void EndProgram() override { journal_.push_back("end"); }

    // What the next pop-up menus return, in turn; an empty queue dismisses.
    std::deque<std::optional<MenuCommand>> menuChoices;
    // Runs inside the next modal call (message box or menu), as the
    // platform's modal loop would run timer ticks.
    std::function<void()> duringModal;

    std::chrono::milliseconds lastClockDelay{0};

  private:
    void Note(std::string_view what, WindowId window) {
        journal_.push_back(std::string(what) + NameOf(window));
    }
    void Note(std::string_view what, WindowId window, CountdownTimer timer) {
        Note(what, window);
        journal_.back() += timer == CountdownTimer::Timer1 ? " Timer1" : " Timer2";
    }
    void RunModal() {
        if (duringModal) {
            std::exchange(duringModal, nullptr)();
        }
    }
    Journal& journal_;
};

// A started program on fakes, its effects gathered in one journal; the
// power port writes its log lines into the same journal.
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
        clock.time = {2026, 12, clock.time.day, hour, minute, second, millisecond};
        form1().Timer1_Timer();
    }
    // Delivers bar ticks to the open countdown while it stays open.
    void BarTicks(int count) {
        for (int i = 0; i < count && program.countdown() != nullptr; ++i) {
            program.countdown()->Timer1_Timer();
        }
    }
    // The window of the open countdown, if any.
    std::optional<WindowId> Open() {
        return program.countdown() ? std::optional{program.countdown()->window()} : std::nullopt;
    }

    Journal journal;
    FakeClock clock;
    FakeDesktop desktop{journal};
    PowerLog power{[this](std::string_view line) { journal.emplace_back(line); }};
    Program program{desktop, clock, power};
};

}  // namespace kalvoro::testing
