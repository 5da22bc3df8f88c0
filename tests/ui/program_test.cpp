#include "ui/program.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace kalvoro::testing {
namespace {

TEST(Trigger, ArmedScheduleOpensTheSelectedCountdownInTheEnteredSecond) {
    Harness h;
    h.form1().SelectOption(ActionKind::Standby);
    h.ArmFor("04:30:25");
    h.TickAt(4, 30, 24);
    EXPECT_EQ(h.program.countdown(), nullptr);
    h.TickAt(4, 30, 25);
    ASSERT_NE(h.program.countdown(), nullptr);
    EXPECT_EQ(h.program.countdown()->window(), WindowId::Form4);
    EXPECT_FALSE(h.form1().MnuActiverEnabled());  // the trigger does not disarm
}

TEST(Trigger, NotArmedOrDisarmedNeverOpens) {
    for (const bool disarm : {false, true}) {
        Harness h;
        h.form1().TxTChoix_Change("04:30:25");
        if (disarm) {
            h.form1().Suspendre_Click();
        }
        h.TickAt(4, 30, 24);
        h.TickAt(4, 30, 25);
        EXPECT_EQ(h.program.countdown(), nullptr);
    }
}

TEST(Trigger, EntryAndOptionAreReadAtTheMomentOfTheTrigger) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().TxTChoix_Change("04:30:27");
    h.form1().Label2_Click();
    h.TickAt(4, 30, 25);
    EXPECT_EQ(h.program.countdown(), nullptr);
    h.TickAt(4, 30, 26);
    h.TickAt(4, 30, 27);
    ASSERT_NE(h.program.countdown(), nullptr);
    EXPECT_EQ(h.program.countdown()->window(), WindowId::Form3);
}

TEST(Trigger, LateClockTickStillOpensTheCountdown) {
    Harness h;
    h.ArmFor("04:30:25");
    h.TickAt(4, 30, 24, 990);
    h.TickAt(4, 30, 26, 900);  // the tick of 25 came 1.9 s late
    EXPECT_NE(h.program.countdown(), nullptr);
}

TEST(Trigger, SameTimeOnALaterDayTriggersAgainAfterStandby) {
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

TEST(Program, QuitCommandsCloseTheCountdownThenTheMainWindow) {
    for (const auto quit : {&Form1::Quitter_Click, &Form1::MnuQuitter_Click}) {
        Harness h;
        h.ArmFor("04:30:25");
        h.form1().MnuReboot_Click();
        const std::size_t mark = h.journal.size();
        (h.form1().*quit)();
        EXPECT_EQ(h.Since(mark), (Journal{"unload Form3", "icon delete 1", "unload Form1", "end"}));
    }
}

TEST(Program, MainWindowCloseBoxRemovesTheIconAndEnds) {
    Harness h;
    const std::size_t mark = h.journal.size();
    h.program.CloseBox(WindowId::Form1);
    EXPECT_EQ(h.Since(mark), (Journal{"icon delete 1", "unload Form1", "end"}));
    EXPECT_TRUE(h.program.Ended());
}

TEST(Program, ActionItemsOpenACountdownAndLeaveTheScheduleAlone) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().MnuArrêter_Click();
    EXPECT_EQ(h.program.countdown()->window(), WindowId::Form2);
    h.form1().MnuVeille_Click();
    EXPECT_EQ(h.program.countdown()->window(), WindowId::Form4);
    EXPECT_FALSE(h.form1().MnuActiverEnabled());
}

TEST(Program, ActivateTwiceWithMontrerBetweenKeepsWorking) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().MnuMontrer_Click();
    h.form1().Activer_Click();
    EXPECT_EQ(h.desktop.iconsAdded.size(), 2u);  // the shell refuses the second add
    EXPECT_FALSE(h.form1().MnuActiverEnabled());
    h.TickAt(4, 30, 25);
    EXPECT_NE(h.program.countdown(), nullptr);
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
    ASSERT_NE(h.program.countdown(), nullptr);
    EXPECT_EQ(h.form1().TxTChoix(), "Exemple :                                    04:30:25");
    EXPECT_FALSE(h.form1().MnuActiverEnabled());
}

}  // namespace
}  // namespace kalvoro::testing
