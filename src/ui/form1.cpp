#include "ui/form1.h"

#include "schedule/clock_text.h"
#include "schedule/time_entry.h"
#include "ui/form1_bindings.h"
#include "ui/program.h"

namespace kalvoro {

Form1::Form1(Program& program, Desktop& desktop, const Clock& clock)
    : program_(program),
      desktop_(desktop),
      clock_(clock),
      txtHeure_(kClockPlaceholder),
      txTChoix_(kEntryInvitation) {}

void Form1::Form_Load() {
    desktop_.ArmClockTimer(FirstTickDelay(clock_.now()));
    desktop_.SetTopmost(WindowId::Form1);
    desktop_.Show(WindowId::Form1);
}

void Form1::Timer1_Timer() {
    const LocalTime now = clock_.now();
    desktop_.ArmClockTimer(NextTickDelay(now));
    const ClockText text{now};
    if (text.view() != txtHeure_) {
        txtHeure_.assign(text.view());
        TxtHeure_Change(now);
    }
}

void Form1::TxtHeure_Change(const LocalTime& now) {
    if (!trigger_.Reached(txTChoix_, now)) {
        return;
    }
    if (!schedule_.armed()) {
        return;
    }
    program_.OpenCountdown(schedule_.selected);
}

void Form1::TxTChoix_Change(std::string_view text) {
    txTChoix_.assign(text);
}

void Form1::TxTChoix_Click() {
    txTChoix_.clear();
}

void Form1::VerifierHeure() {
    conforme_ = kalvoro::VerifierHeure(txTChoix_);
}

void Form1::Refuse() {
    desktop_.ShowMessage(kRefusalPrompt, kRefusalTitle, kRefusalStyle);
    txTChoix_.assign(kExampleEntry);
}

void Form1::ArmOrDisarm(Arming arming, Retreat retreat) {
    VerifierHeure();
    if (conforme_ != kVerdictOui) {
        Refuse();
        return;
    }
    if (arming == Arming::Arm) {
        schedule_.Arm();
    } else {
        schedule_.Disarm();
    }
    if (retreat == Retreat::ToIcon) {
        ReduireEnIcone();
    }
}

void Form1::Activer_Click() {
    ArmOrDisarm(Arming::Arm, Retreat::ToIcon);
}
void Form1::Suspendre_Click() {
    ArmOrDisarm(Arming::Disarm, Retreat::ToIcon);
}
void Form1::MnuActiver_Click() {
    ArmOrDisarm(Arming::Arm, Retreat::Stay);
}
void Form1::MnuSuspendre_Click() {
    ArmOrDisarm(Arming::Disarm, Retreat::Stay);
}

void Form1::Label3_Click() {
    SelectOption(ActionKind::PowerOff);
}
void Form1::Label2_Click() {
    SelectOption(ActionKind::Restart);
}
void Form1::SelectOption(ActionKind action) {
    schedule_.selected = action;
}

void Form1::AjouterIcone() {
    iconeNotif_.uID = kIconId;
    iconeNotif_.uFlags = kIconFlags;
    iconeNotif_.uCallbackMessage = kIconCallbackMessage;
    iconeNotif_.szTip = IconTip();
    desktop_.AddIcon(iconeNotif_);
}

void Form1::ReduireEnIcone() {
    AjouterIcone();
    desktop_.Hide(WindowId::Form1);
    desktop_.HideFromTaskList();
}

void Form1::RetirerIcone() {
    iconeNotif_.uID = kIconId;
    desktop_.DeleteIcon(iconeNotif_);
}

void Form1::Form_QueryUnload() {
    RetirerIcone();
}

void Form1::Form_MouseMove(unsigned mouseMessage) {
    if (mouseMessage == kLeftButtonDown && !busy_) {
        busy_ = true;
        MnuMontrer_Click();
        busy_ = false;
    } else if (mouseMessage == kRightButtonUp && !busy_) {
        busy_ = true;
        const std::optional<MenuCommand> chosen = desktop_.PopUpMenu(Menu1(), kDefaultMenuItem);
        busy_ = false;
        if (chosen) {
            Menu1_Click(*chosen);
        }
    }
}

void Form1::Menu1_Click(MenuCommand command) {
    // The menu waits in a loop of its own: a countdown may have closed the
    // windows meanwhile.
    const Menu1Row& row = kMenu1[static_cast<std::size_t>(command) - 1];
    if (busy_ || !program_.Loaded(WindowId::Form1) ||
        (row.enabled != nullptr && !(this->*row.enabled)())) {
        return;
    }
    busy_ = true;
    (this->*row.handler)();
    busy_ = false;
}

Menu1Items Form1::Menu1() const {
    Menu1Items items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Menu1Row& row = kMenu1[i];
        items[i] = {row.command, row.caption, row.enabled == nullptr || (this->*row.enabled)()};
    }
    return items;
}

void Form1::MnuMontrer_Click() {
    program_.CloseCountdowns();
    desktop_.Show(WindowId::Form1);
}

void Form1::MnuArrêter_Click() {
    program_.OpenCountdown(ActionKind::PowerOff);
}
void Form1::MnuVeille_Click() {
    program_.OpenCountdown(ActionKind::Standby);
}
void Form1::MnuReboot_Click() {
    program_.OpenCountdown(ActionKind::Restart);
}
void Form1::MnuQuitter_Click() {
    program_.Quit();
}
void Form1::Quitter_Click() {
    program_.Quit();
}

}  // namespace kalvoro
