#include "ui/program.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/fakes.h"

namespace kalvoro::testing {
namespace {

TEST(Schedule, OpensTheCountdownOfTheOptionSelectedAtTheTrigger) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().TxTChoix_Change("04:30:27");  // read afresh, not validated
    h.form1().SelectOption(ActionKind::Standby);
    h.TickAt(4, 30, 25);
    h.TickAt(4, 30, 26);
    EXPECT_FALSE(h.Open());
    h.form1().Label2_Click();
    h.TickAt(4, 30, 28, 900);  // the tick of :27 came late
    EXPECT_EQ(h.Open(), WindowId::Form3);
    EXPECT_FALSE(h.form1().MnuActiverEnabled());  // the trigger does not disarm
}

TEST(Schedule, NeverArmedNeverOpens) {
    Harness h;
    h.form1().TxTChoix_Change("04:30:25");
    h.TickAt(4, 30, 24);
    h.TickAt(4, 30, 25);
    EXPECT_FALSE(h.Open());
}

// Armed for 04:30:25 with a refresh at `first`; the refreshes `from` to `to`
// come while the schedule is disarmed, or while the entry is malformed; then
// it is armed again, or the entry typed again, and the refresh of :26 comes.
// The trigger must have seen every refresh: otherwise it either loses the
// second (the gap since `first` looks like a sleep) or fires for one that
// passed meanwhile.
struct Interlude {
    bool disarmed;  // else the entry is malformed
    int first, from, to;
    bool opens;
};

TEST(Schedule, TriggerSeesTheRefreshesTakenWhileDisarmedOrMalformed) {
    const Interlude cases[] = {
        {true, 19, 20, 24, true},
        {true, 23, 24, 25, false},
        {false, 19, 20, 24, true},
        {false, 23, 24, 25, false},
    };
    for (const Interlude& c : cases) {
        Harness h;
        h.ArmFor("04:30:25");
        h.TickAt(4, 30, c.first);
        if (c.disarmed) {
            h.form1().MnuSuspendre_Click();
        } else {
            h.form1().TxTChoix_Change("04:30:2");
        }
        for (int second = c.from; second <= c.to; ++second) {
            h.TickAt(4, 30, second);
        }
        if (c.disarmed) {
            h.form1().MnuActiver_Click();
        } else {
            h.form1().TxTChoix_Change("04:30:25");
        }
        h.TickAt(4, 30, 26, 900);
        EXPECT_EQ(h.Open().has_value(), c.opens) << c.disarmed << ' ' << c.first;
    }
}

TEST(Schedule, SameTimeOnALaterDayTriggersAgainAfterStandby) {
    Harness h;
    h.form1().SelectOption(ActionKind::Standby);
    h.ArmFor("04:30:25");
    h.TickAt(4, 30, 25);
    h.BarTicks(1312);
    h.clock.time.day = 7;
    h.TickAt(4, 30, 24);
    const std::size_t mark = h.journal.size();
    h.TickAt(4, 30, 25);
    EXPECT_EQ(h.Since(mark).front(), "unload Form4");
    EXPECT_EQ(h.program.countdown()->Label2(), "12");
}

// The quit commands and the main window's close box alike.
TEST(Program, QuittingClosesTheCountdownThenTheMainWindow) {
    const std::function<void(Harness&)> quits[] = {
        [](Harness& h) { h.form1().Quitter_Click(); },
        [](Harness& h) { h.form1().MnuQuitter_Click(); },
        [](Harness& h) { h.program.CloseBox(WindowId::Form1); },
    };
    for (const auto& quit : quits) {
        Harness h;
        h.ArmFor("04:30:25");
        h.form1().MnuReboot_Click();
        const std::size_t mark = h.journal.size();
        quit(h);
        EXPECT_EQ(h.Since(mark), (Journal{"unload Form3", "icon delete 1", "unload Form1", "end"}));
        EXPECT_TRUE(h.program.Ended());
    }
}

TEST(Program, ActivateTwiceWithMontrerBetweenKeepsWorking) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().MnuMontrer_Click();
    const std::size_t mark = h.journal.size();
    h.form1().Activer_Click();  // the shell refuses the second add
    EXPECT_EQ(h.Since(mark), (Journal{kIconAdd, "hide Form1", "task list off"}));
    EXPECT_FALSE(h.form1().MnuActiverEnabled());
    h.TickAt(4, 30, 25);
    EXPECT_EQ(h.Open(), WindowId::Form2);
}

TEST(Program, CountdownEndingDuringTheMenuRunsNoChosenItem) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().MnuArrêter_Click();
    h.desktop.menuChoices = {MenuCommand::MnuMontrer};
    h.desktop.duringModal = [&h] { h.BarTicks(1312); };
    h.form1().Form_MouseMove(kRightButtonUp);
    EXPECT_TRUE(h.program.Ended());
    EXPECT_EQ(h.journal.back(), "end");
}

TEST(Program, CountdownOpenedDuringTheRefusalStaysConsistent) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().MnuMontrer_Click();
    h.form1().TxTChoix_Change("bad");
    h.TickAt(4, 30, 24);
    h.desktop.duringModal = [&h] {
        h.form1().TxTChoix_Change("04:30:25");
        h.TickAt(4, 30, 25);
    };
    h.form1().Suspendre_Click();
    EXPECT_EQ(h.Open(), WindowId::Form2);
    EXPECT_EQ(h.form1().TxTChoix(), "Exemple :                                    04:30:25");
    EXPECT_FALSE(h.form1().MnuActiverEnabled());
}

// The system's answers to the countdowns' power requests. A refusal is said in
// one box, after which the program ends as it would have; nothing is said of
// a request taken, nor of a restart withdrawn first. The journal as the user
// meets it: windows closing, boxes and the end.
struct Answers {
    ActionKind action;
    const char* steps;  // f: the bar fills, c: "Annuler", t: taken, r: refused "r"
    Journal seen;
};

TEST(Program, SaysEachRefusedPowerRequestOnceThenEndsAsItWouldHave) {
    const std::string off = "message L'ordinateur n'a pas pu être éteint.\n\nr | Kalvoro XP | 48";
    const Answers cases[] = {
        {ActionKind::PowerOff, "frr", {"unload Form1", "unload Form2", off, "end"}},
        {ActionKind::PowerOff, "ft", {"unload Form1", "unload Form2", "end"}},
        {ActionKind::Standby,
         "fr",
         {"message L'ordinateur n'a pas pu être mis en veille.\n\nr | Kalvoro XP | 48"}},
        {ActionKind::Restart,
         "rf",
         {"message L'ordinateur n'a pas pu être redémarré.\n\nr | Kalvoro XP | 48", "unload Form1",
          "unload Form3", "end"}},
        {ActionKind::Restart, "cr", {"unload Form1", "unload Form3", "end"}},
    };
    for (const Answers& c : cases) {
        Harness h;
        h.power.holdAnswers = true;
        h.program.OpenCountdown(c.action);
        const std::size_t mark = h.journal.size();
        const auto request = static_cast<PowerRequest>(c.action);
        for (const char* step = c.steps; *step != '\0'; ++step) {
            if (*step == 'f') {
                h.BarTicks(1312);
            } else if (*step == 'c') {
                h.program.countdown()->Annuler_Click();
            } else {
                h.power.Answer(request,
                               *step == 'r' ? std::optional<std::string_view>{"r"} : std::nullopt);
            }
        }
        Journal seen;
        for (const std::string& line : h.Since(mark)) {
            if (line.starts_with("message") || line.starts_with("unload") || line == "end") {
                seen.push_back(line);
            }
        }
        EXPECT_EQ(seen, c.seen) << c.steps;
    }
}

}  // namespace
}  // namespace kalvoro::testing
