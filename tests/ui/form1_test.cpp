#include "ui/form1.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace kalvoro::testing {
namespace {

TEST(Form1, StartsTopmostAndShownWithItsFixedTexts) {
    Harness h;
    EXPECT_EQ(h.journal, (Journal{"topmost Form1", "show Form1"}));
    EXPECT_EQ(h.form1().TxtHeure(), "Heure Système");
    EXPECT_EQ(h.form1().TxTChoix(), "Définissez ici une heure (hh:mm:ss)");
    EXPECT_EQ(h.form1().Conforme(), "");
    EXPECT_EQ(h.form1().SelectedOption(), ActionKind::PowerOff);
    EXPECT_TRUE(h.form1().MnuActiverEnabled());
    EXPECT_TRUE(h.form1().MnuSuspendreEnabled());
    EXPECT_EQ(h.desktop.lastClockDelay.count(), 1010);  // the fake clock reads .000
}

TEST(Form1, ClockTickShowsTheTimeAndAimsAtTheNextSecond) {
    Harness h;
    h.TickAt(16, 5, 9, 250);
    EXPECT_EQ(h.form1().TxtHeure(), "16:05:09");
    EXPECT_EQ(h.desktop.lastClockDelay.count(), 760);
}

TEST(Form1, ClickInTheEntryEmptiesIt) {
    Harness h;
    h.form1().TxTChoix_Change("04:3");
    h.form1().TxTChoix_Click();
    EXPECT_EQ(h.form1().TxTChoix(), "");
}

using Handler = void (Form1::*)();

TEST(Form1, EveryArmingCommandRefusesAMalformedEntryAndChangesNothing) {
    for (const Handler handler : {&Form1::Activer_Click, &Form1::Suspendre_Click,
                                  &Form1::MnuActiver_Click, &Form1::MnuSuspendre_Click}) {
        Harness h;
        h.ArmFor("04:30:25");
        h.form1().TxTChoix_Change("24:00:00");
        const std::size_t mark = h.journal.size();
        (h.form1().*handler)();
        EXPECT_EQ(h.Since(mark), (Journal{"message Veuillez redéfinir une heure (hh:mm:ss) | "
                                          "Format de l'heure incorrect ! | 64"}));
        EXPECT_EQ(h.form1().TxTChoix(), "Exemple :                                    04:30:25");
        EXPECT_EQ(h.form1().Conforme(), "");
        EXPECT_FALSE(h.form1().MnuActiverEnabled());
        EXPECT_TRUE(h.form1().MnuSuspendreEnabled());
    }
}

TEST(Form1, ExampleTextIsRefusedAgain) {
    Harness h;
    h.form1().TxTChoix_Change("4:30:25");
    h.form1().Activer_Click();
    const std::size_t mark = h.journal.size();
    h.form1().Activer_Click();
    EXPECT_EQ(h.Since(mark).size(), 1u);
    EXPECT_TRUE(h.form1().MnuActiverEnabled());
}

struct ArmingCase {
    Handler handler;
    bool armed;
    Journal effects;
};

TEST(Form1, ButtonsRetireToTheIconAndMenuEntriesDoNot) {
    const Journal retreat{"icon add", "hide Form1", "task list off"};
    const ArmingCase cases[] = {
        {&Form1::Activer_Click, true, retreat},
        {&Form1::Suspendre_Click, false, retreat},
        {&Form1::MnuActiver_Click, true, {}},
        {&Form1::MnuSuspendre_Click, false, {}},
    };
    for (const ArmingCase& c : cases) {
        Harness h;
        h.form1().TxTChoix_Change("04:30:25");
        const std::size_t mark = h.journal.size();
        (h.form1().*c.handler)();
        EXPECT_EQ(h.Since(mark), c.effects);
        EXPECT_EQ(h.form1().Conforme(), "OUI");
        EXPECT_EQ(h.form1().MnuActiverEnabled(), !c.armed);
        EXPECT_EQ(h.form1().MnuSuspendreEnabled(), c.armed);
    }
}

TEST(Form1, IconRecordCarriesItsValues) {
    Harness h;
    h.ArmFor("04:30:25");
    ASSERT_EQ(h.desktop.iconsAdded.size(), 1u);
    const IconRecord& record = h.desktop.iconsAdded[0];
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x200u);
    EXPECT_EQ(record.szTip, IconTip());
}

TEST(Form1, LabelsAndOptionsSelectExactlyOneAction) {
    Harness h;
    h.form1().Label2_Click();
    EXPECT_EQ(h.form1().SelectedOption(), ActionKind::Restart);
    h.form1().SelectOption(ActionKind::Standby);
    EXPECT_EQ(h.form1().SelectedOption(), ActionKind::Standby);
    h.form1().Label3_Click();
    EXPECT_EQ(h.form1().SelectedOption(), ActionKind::PowerOff);
}

TEST(Form1, IconLeftPressShowsTheMainWindowAndClosesAnyCountdown) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().MnuVeille_Click();
    const std::size_t mark = h.journal.size();
    h.form1().Form_MouseMove(MouseMessageOf(0x201));
    EXPECT_EQ(h.Since(mark), (Journal{"unload Form4", "show Form1"}));
    EXPECT_FALSE(h.form1().MnuActiverEnabled());  // still armed
}

TEST(Form1, OtherMouseMessagesDoNothing) {
    Harness h;
    h.ArmFor("04:30:25");
    const std::size_t mark = h.journal.size();
    for (unsigned message : {0x200u, 0x202u, 0x203u, 0x204u, 0x206u, 0x207u, 120u}) {
        h.form1().Form_MouseMove(message);
    }
    EXPECT_EQ(h.Since(mark), Journal{});
}

TEST(Form1, RightReleasePopsTheMenuAndRunsTheChosenItem) {
    Harness h;
    h.ArmFor("04:30:25");
    h.desktop.menuChoices = {MenuCommand::MnuSuspendre, std::nullopt};
    const std::size_t mark = h.journal.size();
    h.form1().Form_MouseMove(kRightButtonUp);
    EXPECT_EQ(h.Since(mark), Journal{"menu default 7"});
    EXPECT_TRUE(h.form1().MnuActiverEnabled());
    EXPECT_FALSE(h.form1().MnuSuspendreEnabled());
    h.form1().Form_MouseMove(kRightButtonUp);  // dismissed: nothing chosen
    EXPECT_TRUE(h.form1().MnuActiverEnabled());
    EXPECT_FALSE(h.form1().Busy());
}

TEST(Form1, NotificationsWhileTheMenuIsOpenAreDropped) {
    Harness h;
    h.ArmFor("04:30:25");
    h.desktop.duringModal = [&h] {
        EXPECT_TRUE(h.form1().Busy());
        h.form1().Form_MouseMove(kLeftButtonDown);
        h.form1().Form_MouseMove(kRightButtonUp);
    };
    const std::size_t mark = h.journal.size();
    h.form1().Form_MouseMove(kRightButtonUp);
    EXPECT_EQ(h.Since(mark), Journal{"menu default 7"});
}

TEST(Form1, DisabledMenuItemCannotBeChosen) {
    Harness h;
    h.ArmFor("04:30:25");  // "&Activer" is now disabled
    h.form1().TxTChoix_Change("bad");
    h.desktop.menuChoices = {MenuCommand::MnuActiver};
    const std::size_t mark = h.journal.size();
    h.form1().Form_MouseMove(kRightButtonUp);
    EXPECT_EQ(h.Since(mark), Journal{"menu default 7"});  // no refusal either
}

}  // namespace
}  // namespace kalvoro::testing
