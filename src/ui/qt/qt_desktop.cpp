#include "ui/qt/qt_desktop.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <cstdio>

#include "ui/program.h"
#include "ui/qt/countdown_notice.h"
#include "ui/qt/countdown_window.h"
#include "ui/qt/layout_widgets.h"
#include "ui/qt/main_window.h"
#include "ui/qt/popup_menu.h"
#include "ui/qt/sight_check.h"

namespace kalvoro::qt {

namespace {

// The icon part of a message box style (16, 32, 48 or 64).
QMessageBox::Icon IconOfStyle(int style) {
    constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Critical,
                                            QMessageBox::Question, QMessageBox::Warning,
                                            QMessageBox::Information};
    const auto index = static_cast<std::size_t>((style >> 4) & 0x7);
    return index < std::size(kIcons) ? kIcons[index] : QMessageBox::NoIcon;
}

// Shows a window, or keeps it shown, without taking the focus from where it is.
void ShowLeavingFocus(QWidget& window) {
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.show();
    window.setAttribute(Qt::WA_ShowWithoutActivating, false);
}

}  // namespace

QtDesktop::QtDesktop(NotificationArea area, int dpi)
    : area_(area), dpi_(dpi), countdownInSight_(CountdownStaysInSight()) {
    if (!countdownInSight_) {
        std::fputs(
            "Kalvoro XP : ce bureau place et superpose lui-même les fenêtres ; le compte à "
            "rebours peut donc s'ouvrir ailleurs qu'en haut à gauche et sous d'autres fenêtres. "
            "Une notification l'annonce aussi, avec son bouton.\n",
            stderr);
    }
    clockTimer_.setSingleShot(true);
    clockTimer_.setTimerType(Qt::PreciseTimer);
    connect(&clockTimer_, &QTimer::timeout, this,
            [this] { Deliver([](Program& program) { program.form1().Timer1_Timer(); }); });
}

QtDesktop::~QtDesktop() {
    delete countdownWindow_;
}

void QtDesktop::Attach(Program& program) {
    program_ = &program;
    mainWindow_ = std::make_unique<MainWindow>(*this, dpi_);
    const auto mouse = [this](unsigned mouseMessage) {
        Deliver([mouseMessage](Program& core) { core.form1().Form_MouseMove(mouseMessage); });
    };
    // The notification area showed Menu1 itself.
    const auto choice = [this](MenuCommand command) {
        Deliver([command](Program& core) { core.form1().Menu1_Click(command); });
    };
    iconHost_ = MakeIconHost(area_, *mainWindow_, program.form1(), {mouse, choice});
}

void QtDesktop::Deliver(const std::function<void(Program&)>& handler) {
    if (program_ == nullptr || program_->Ended()) {
        return;
    }
    handler(*program_);
    Refresh();
}

void QtDesktop::Refresh() {
    if (program_ == nullptr || program_->Ended()) {
        return;
    }
    if (program_->Loaded(WindowId::Form1)) {
        mainWindow_->Refresh(program_->form1());
        iconHost_->Refresh(program_->form1());
    }
    if (countdownWindow_) {
        if (const Countdown* countdown = program_->countdown(countdownWindow_->id())) {
            countdownWindow_->Refresh(*countdown);
        }
    }
}

LayoutWindow& QtDesktop::WindowOf(WindowId window) const {
    if (window == WindowId::Form1) {
        return *mainWindow_;
    }
    return CountdownWindowOf(window);
}

CountdownWindow& QtDesktop::CountdownWindowOf(WindowId window) const {
    Q_ASSERT(countdownWindow_ && countdownWindow_->id() == window);
    return *countdownWindow_;
}

void QtDesktop::Load(WindowId window) {
    countdownWindow_ = new CountdownWindow(window, *this, dpi_, !countdownInSight_);
}

void QtDesktop::Unload(WindowId window) {
    if (window == WindowId::Form1) {
        clockTimer_.stop();
        mainWindow_->hide();
        return;
    }
    CountdownWindow& countdown = CountdownWindowOf(window);
    countdown.Timer(CountdownTimer::Timer1).stop();
    countdown.Timer(CountdownTimer::Timer2).stop();
    countdown.hide();
    countdown.deleteLater();
    countdownWindow_ = nullptr;
}

void QtDesktop::Show(WindowId window) {
    // An opener's show takes the focus, so that Enter and the access keys
    // reach the window and the window manager keeps it above a full-screen
    // window that had the focus.
    BringForward(WindowOf(window));
}

void QtDesktop::ShowWithoutActivating(WindowId window) {
    ShowLeavingFocus(WindowOf(window));
}

void QtDesktop::Hide(WindowId window) {
    if (window == WindowId::Form1) {
        iconHost_->HideMainWindow();
    } else {
        WindowOf(window).hide();
    }
}

void QtDesktop::SetTopmost(WindowId window) {
    LayoutWindow& topmost = WindowOf(window);
    if (!topmost.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        SetWindowFlagInPlace(topmost, Qt::WindowStaysOnTopHint);
    }
    ShowLeavingFocus(topmost);
    topmost.raise();
}

void QtDesktop::Present(WindowId window) {
    Refresh();
    WindowOf(window).repaint();
}

void QtDesktop::ArmClockTimer(std::chrono::milliseconds delay) {
    clockTimer_.start(delay);
}

void QtDesktop::StartTimer(WindowId window, CountdownTimer timer) {
    CountdownWindowOf(window).Timer(timer).start();
}

void QtDesktop::StopTimer(WindowId window, CountdownTimer timer) {
    CountdownWindowOf(window).Timer(timer).stop();
}

void QtDesktop::ShowMessage(std::string_view prompt, std::string_view title, int style) {
    QWidget* owner = mainWindow_->isVisible() ? mainWindow_.get() : nullptr;
    QMessageBox box(IconOfStyle(style), FromUtf8(title), FromUtf8(prompt), QMessageBox::Ok, owner);
    box.exec();
}

void QtDesktop::AddIcon(const IconRecord& record) {
    iconHost_->Add(record);
}

void QtDesktop::DeleteIcon(const IconRecord&) {
    iconHost_->Delete();
}

void QtDesktop::HideFromTaskList() {
    iconHost_->HideFromTaskList();
}

std::optional<MenuCommand> QtDesktop::PopUpMenu(const Menu1Items& items, MenuCommand defaultItem) {
    // Nothing is highlighted until the user moves, so that a stray Enter
    // does not quit.
    Menu1Popup menu(items, defaultItem);
    return CommandOf(menu.exec(QCursor::pos()));
}

void QtDesktop::EndProgram() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

}  // namespace kalvoro::qt
