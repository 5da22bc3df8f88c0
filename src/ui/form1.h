#pragma once

#include <string>
#include <string_view>

#include "schedule/local_time.h"
#include "schedule/schedule.h"
#include "schedule/trigger.h"
#include "tray/icon_record.h"
#include "tray/menu1.h"
#include "ui/desktop.h"

namespace kalvoro {

class Program;

// The main window: the live clock, the time entry, the choice of action,
// arming and disarming, the trigger, and the notification icon with its menu.
class Form1 {
  public:
    Form1(Program& program, Desktop& desktop, const Clock& clock);

    // Handlers of the window and its controls.
    void Form_Load();
    void Timer1_Timer();
    void TxTChoix_Change(std::string_view text);  // the user edited the entry
    void TxTChoix_Click();
    void Activer_Click();
    void Suspendre_Click();
    void Quitter_Click();
    void Label3_Click();
    void Label2_Click();
    void SelectOption(ActionKind action);  // a click on an option button
    void Form_MouseMove(unsigned mouseMessage);
    // An item chosen in the icon's menu, wherever it was shown: run if it is
    // enabled, unless a menu is already being answered.
    void Menu1_Click(MenuCommand command);
    void Form_QueryUnload();

    // Handlers of the pop-up menu.
    void MnuActiver_Click();
    void MnuSuspendre_Click();
    void MnuMontrer_Click();
    void MnuArrêter_Click();
    void MnuVeille_Click();
    void MnuReboot_Click();
    void MnuQuitter_Click();

    // What the window shows.
    std::string_view TxtHeure() const { return txtHeure_; }
    std::string_view TxTChoix() const { return txTChoix_; }
    std::string_view Conforme() const { return conforme_; }
    ActionKind SelectedOption() const { return schedule_.selected; }
    bool MnuActiverEnabled() const { return schedule_.mnuActiverEnabled; }
    bool MnuSuspendreEnabled() const { return schedule_.mnuSuspendreEnabled; }
    Menu1Items Menu1() const;
    bool Busy() const { return busy_; }

  private:
    enum class Arming { Arm, Disarm };
    enum class Retreat { ToIcon, Stay };
    void ArmOrDisarm(Arming arming, Retreat retreat);
    void VerifierHeure();
    void Refuse();
    void TxtHeure_Change(const LocalTime& now);
    void AjouterIcone();
    void ReduireEnIcone();
    void RetirerIcone();

    Program& program_;
    Desktop& desktop_;
    const Clock& clock_;

    std::string txtHeure_;
    std::string txTChoix_;
    std::string_view conforme_;
    Schedule schedule_;
    Trigger trigger_;
    IconRecord iconeNotif_;
    bool busy_ = false;
};

}  // namespace kalvoro
