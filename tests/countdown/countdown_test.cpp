#include "countdown/countdown.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace kalvoro::testing {
namespace {

// Armed for 04:30:25 with the given option, then the trigger's tick.
struct Triggered : Harness {
    explicit Triggered(ActionKind action) {
        form1().SelectOption(action);
        ArmFor("04:30:25");
        TickAt(4, 30, 24);
        mark = journal.size();
        TickAt(4, 30, 25);
    }
    Countdown& window() { return *program.countdown(); }
    std::size_t mark = 0;
};

struct KindCase {
    ActionKind action;
    std::string_view wide, narrow;
    Journal opening, finish, cancel;
};

const KindCase kKinds[] = {
    {ActionKind::PowerOff,
     "Extinction de l'ordinateur dans        seconde(s) ...",
     "Extinction de l'ordinateur dans      seconde(s) ...",
     {"load Form2", "topmost Form2", "start Form2 Timer1", "start Form2 Timer2", "show Form2",
      "hide Form1"},
     {"stop Form2 Timer1", "stop Form2 Timer2", "EteindreXP", "icon delete 1", "unload Form1",
      "unload Form2", "end"},
     {"icon delete 1", "unload Form1", "unload Form2", "end"}},
    {ActionKind::Restart,
     "Redémarrage dans :           seconde(s) ...",
     "Redémarrage dans :        seconde(s) ...",
     {"load Form3", "topmost Form3", "start Form3 Timer1", "start Form3 Timer2", kRebootLine,
      "show Form3", "hide Form1"},
     {"stop Form3 Timer1", "stop Form3 Timer2", "icon delete 1", "unload Form1", "unload Form3",
      "end"},
     {"AnnulerRebootXP Shutdown -a", "icon delete 1", "unload Form1", "unload Form3", "end"}},
    {ActionKind::Standby,
     "Mise en veille dans        seconde(s) ...",
     "Mise en veille dans      seconde(s) ...",
     {"load Form4", "topmost Form4", "start Form4 Timer1", "start Form4 Timer2", "show Form4",
      "hide Form1"},
     {"stop Form4 Timer1", "stop Form4 Timer2", "present Form4", "VeilleXP"},
     {"icon delete 1", "unload Form1", "unload Form4", "end"}},
};

// Only the opener's show may take the focus: once a second the window is
// shown again without it. The number has no lower bound.
TEST(Countdown, OpensOnTopFromTheLayoutValuesThenCountsDown) {
    const char* numbers[] = {"11", "10", "9", "8", "7",  "6",  "5", "4",
                             "3",  "2",  "1", "0", "-1", "-2", "-3"};
    for (const KindCase& c : kKinds) {
        Triggered t{c.action};
        EXPECT_EQ(t.Since(t.mark), c.opening);
        EXPECT_EQ(t.window().Label2(), "12");
        EXPECT_EQ(t.window().Label3(), c.wide);
        EXPECT_EQ(t.window().Label1Width(), 15.0f);
        EXPECT_EQ(t.window().Annuler(), "&Annuler");
        EXPECT_TRUE(t.window().Label2Visible());
        for (std::size_t i = 0; i < std::size(numbers); ++i) {
            const std::size_t mark = t.journal.size();
            t.window().Timer2_Timer();
            EXPECT_EQ(t.window().Label2(), numbers[i]);
            EXPECT_EQ(t.window().Label3(), i < 2 ? c.wide : c.narrow) << numbers[i];
            EXPECT_EQ(t.Since(mark),
                      Journal{"show without activating " + NameOf(t.window().window())});
        }
    }
}

TEST(Countdown, BarGrowsExactlyAndFinishesOnTick1312) {
    for (const KindCase& c : kKinds) {
        Triggered t{c.action};
        t.BarTicks(100);
        EXPECT_EQ(t.window().Label1Width(), 565.0f);
        t.BarTicks(1211);
        EXPECT_EQ(t.window().Label1Width(), 7225.5f);
        const std::size_t mark = t.journal.size();
        t.BarTicks(1);
        EXPECT_EQ(t.Since(mark), c.finish);
    }
}

TEST(Countdown, CancelOfEachKind) {
    for (const KindCase& c : kKinds) {
        Triggered t{c.action};
        t.window().Timer2_Timer();
        const std::size_t mark = t.journal.size();
        t.window().Annuler_Click();
        EXPECT_EQ(t.Since(mark), c.cancel);
        EXPECT_TRUE(t.program.Ended());
    }
}

TEST(Countdown, StandbyFinishShowsItsTextsAndStaysOpen) {
    Triggered t{ActionKind::Standby};
    t.BarTicks(1312);
    Countdown& window = t.window();
    EXPECT_EQ(window.Label3(), "Mode mise en veille terminé");
    EXPECT_EQ(window.Annuler(), "Fin");
    EXPECT_FALSE(window.Label2Visible());
    EXPECT_EQ(window.Label1Width(), 7231.0f);

    // Ticks already queued when the timers stopped change nothing.
    const std::size_t mark = t.journal.size();
    window.Timer1_Timer();
    window.Timer2_Timer();
    EXPECT_EQ(t.Since(mark), Journal{});
    EXPECT_EQ(window.Label2(), "12");
}

TEST(Countdown, CloseBoxStopsTheCountdownAndNothingElse) {
    Triggered t{ActionKind::Restart};
    const std::size_t mark = t.journal.size();
    t.program.CloseBox(WindowId::Form3);
    EXPECT_EQ(t.Since(mark), Journal{"unload Form3"});
    EXPECT_FALSE(t.Open());
    EXPECT_FALSE(t.program.Ended());
}

TEST(Countdown, ReopeningStartsAfreshWithoutTheCancelSteps) {
    Triggered t{ActionKind::Restart};
    t.BarTicks(500);
    t.window().Timer2_Timer();
    const std::size_t mark = t.journal.size();
    t.form1().MnuReboot_Click();
    EXPECT_EQ(t.Since(mark),
              (Journal{"unload Form3", "load Form3", "topmost Form3", "start Form3 Timer1",
                       "start Form3 Timer2", kRebootLine, "show Form3", "hide Form1"}));
    EXPECT_EQ(t.window().Label2(), "12");
    EXPECT_EQ(t.window().Label1Width(), 15.0f);
}

}  // namespace
}  // namespace kalvoro::testing
