#include "ui/form1.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fakes.h"
#include "ui/form1_bindings.h"

namespace kalvoro::testing {
namespace {

const std::string kRefusal =
    "message Veuillez redéfinir une heure (hh:mm:ss) | Format de l'heure incorrect ! | 64";
const std::string kExample = "Exemple :                                    04:30:25";

TEST(Form1, StartsTopmostAndShownWithItsFixedTextsThenShowsTheClock) {
    Harness h;
    EXPECT_EQ(h.journal, (Journal{"topmost Form1", "show Form1"}));
    EXPECT_EQ(h.form1().TxtHeure(), "Heure Système");
    EXPECT_EQ(h.form1().TxTChoix(), "Définissez ici une heure (hh:mm:ss)");
    EXPECT_EQ(h.form1().Conforme(), "");
    EXPECT_EQ(h.form1().SelectedOption(), ActionKind::PowerOff);
    EXPECT_TRUE(h.form1().MnuActiverEnabled());
    EXPECT_TRUE(h.form1().MnuSuspendreEnabled());
    EXPECT_EQ(h.desktop.lastClockDelay.count(), 1010);  // the fake clock reads .000

    h.TickAt(16, 5, 9, 250);
    EXPECT_EQ(h.form1().TxtHeure(), "16:05:09");
    EXPECT_EQ(h.desktop.lastClockDelay.count(), 760);

    h.form1().TxTChoix_Change("04:3");
    h.form1().TxTChoix_Click();  // a click into the entry empties it
    EXPECT_EQ(h.form1().TxTChoix(), "");
}

using Handler = void (Form1::*)();

struct ArmingCase {
    Handler handler;
    bool armed;
    Journal effects;
};

// A malformed entry is refused with the information icon (64) and replaced by
// the example, which is itself refused again; nothing else changes.
TEST(Form1, ArmingCommandsArmOrDisarmAndRefuseAMalformedEntry) {
    const Journal retreat{kIconAdd, "hide Form1", "task list off"};
    const ArmingCase cases[] = {
        {&Form1::Activer_Click, true, retreat},
        {&Form1::Suspendre_Click, false, retreat},
        {&Form1::MnuActiver_Click, true, {}},
        {&Form1::MnuSuspendre_Click, false, {}},
    };
    for (const ArmingCase& c : cases) {
        Harness h;
        h.form1().TxTChoix_Change("04:30:25");
        std::size_t mark = h.journal.size();
        (h.form1().*c.handler)();
        EXPECT_EQ(h.Since(mark), c.effects);
        EXPECT_EQ(h.form1().Conforme(), "OUI");
        EXPECT_EQ(h.form1().MnuActiverEnabled(), !c.armed);
        EXPECT_EQ(h.form1().MnuSuspendreEnabled(), c.armed);

        h.form1().TxTChoix_Change("24:00:00");
        mark = h.journal.size();
        (h.form1().*c.handler)();
        (h.form1().*c.handler)();
        EXPECT_EQ(h.Since(mark), (Journal{kRefusal, kRefusal}));
        EXPECT_EQ(h.form1().TxTChoix(), kExample);
        EXPECT_EQ(h.form1().Conforme(), "");
        EXPECT_EQ(h.form1().MnuActiverEnabled(), !c.armed);
        EXPECT_EQ(h.form1().MnuSuspendreEnabled(), c.armed);
    }
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

TEST(Form1, OnlyALeftPressOnTheIconShowsTheMainWindowClosingAnyCountdown) {
    Harness h;
    h.ArmFor("04:30:25");
    h.form1().MnuVeille_Click();
    const std::size_t mark = h.journal.size();
    for (unsigned message : {0x200u, 0x202u, 0x203u, 0x204u, 0x206u, 0x207u, 120u}) {
        h.form1().Form_MouseMove(message);
    }
    h.form1().Form_MouseMove(kLeftButtonDown);
    EXPECT_EQ(h.Since(mark), (Journal{"unload Form4", "show Form1"}));
    EXPECT_FALSE(h.form1().MnuActiverEnabled());  // still armed
}

struct MenuCase {
    std::string_view caption;
    Journal effects;  // after the menu itself
    bool armedAfter;
};

// Chosen by caption, so a caption on the wrong command or a command bound
// to the wrong handler fails alike.
TEST(Form1, EachMenuItemRunsItsOwnHandler) {
    const auto opening = [](const std::string& form, std::vector<std::string> loadStep = {}) {
        Journal journal{"load " + form, "topmost " + form, "start " + form + " Timer1",
                        "start " + form + " Timer2"};
        journal.insert(journal.end(), loadStep.begin(), loadStep.end());
        journal.insert(journal.end(), {"show " + form, "hide Form1"});
        return journal;
    };
    const MenuCase cases[] = {
        {"&Suspendre", {}, false},
        {"&Montrer", {"show Form1"}, true},
        {"A&rrêter l'ordinateur", opening("Form2"), true},
        {"Mettre en &Veille", opening("Form4"), true},
        {"&Redémarrer l'ordinateur", opening("Form3", {kRebootLine}), true},
        {"&Quitter", {"icon delete 1", "unload Form1", "end"}, true},
    };
    for (const MenuCase& c : cases) {
        Harness h;
        h.ArmFor("04:30:25");
        const auto item = std::ranges::find(kMenu1, c.caption, &Menu1Row::caption);
        ASSERT_NE(item, std::end(kMenu1)) << c.caption;
        h.desktop.menuChoices = {item->command};
        const std::size_t mark = h.journal.size();
        h.form1().Form_MouseMove(kRightButtonUp);
        Journal expected{"menu default 7"};
        expected.insert(expected.end(), c.effects.begin(), c.effects.end());
        EXPECT_EQ(h.Since(mark), expected) << c.caption;
        EXPECT_EQ(!h.form1().MnuActiverEnabled(), c.armedAfter) << c.caption;
        EXPECT_FALSE(h.form1().Busy());
    }
}

// Notifications while the menu is open are dropped; a dismissed menu or a
// disabled item runs nothing (here not even the refusal).
TEST(Form1, MenuRunsNothingElse) {
    Harness h;
    h.ArmFor("04:30:25");  // "&Activer" is now disabled
    h.form1().TxTChoix_Change("bad");
    h.desktop.menuChoices = {std::nullopt, MenuCommand::MnuActiver};
    h.desktop.duringModal = [&h] {
        EXPECT_TRUE(h.form1().Busy());
        h.form1().Form_MouseMove(kLeftButtonDown);
        h.form1().Form_MouseMove(kRightButtonUp);
    };
    const std::size_t mark = h.journal.size();
    h.form1().Form_MouseMove(kRightButtonUp);
    h.form1().Form_MouseMove(kRightButtonUp);
    EXPECT_EQ(h.Since(mark), (Journal{"menu default 7", "menu default 7"}));
}

}  // namespace
}  // namespace kalvoro::testing
