// What the Qt front end itself binds, on Qt's offscreen platform and on a bare
// X server (scripts/run-qt-tests.sh runs both): controls, keys, timers,
// frames, close boxes, the icon and its menu, each reaching the program's
// handler; and the windows built once from the layout tables.
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QtTest>

#include "countdown/countdown.h"
#include "fakes/fakes.h"
#include "power/power_log.h"
#include "ui/qt/core_events.h"
#include "ui/qt/countdown_window.h"
#include "ui/qt/front_end.h"
#include "ui/qt/layout_widgets.h"
#include "ui/qt/main_window.h"

namespace kalvoro::qt::testing {
namespace {

// The program on Qt's widgets, its power actions written down, not done.
class Harness {
  public:
    explicit Harness(NotificationArea area = NotificationArea::SystemTray)
        : frontEnd_(clock_, power_, area) {
        // One millisecond before a second boundary: the clock timer, aimed just
        // past the next boundary, then ticks every few milliseconds.
        clock_.time = {2026, 12, 6, 4, 30, 24, 999};
        frontEnd_.Start();
    }
    const Program& program() const { return frontEnd_.program(); }
    const std::vector<std::string>& powerCalls() const { return powerCalls_; }
    void SetSecond(int second) { clock_.time.second = second; }

  private:
    kalvoro::testing::FakeClock clock_;
    std::vector<std::string> powerCalls_;
    PowerLog power_{[this](std::string_view line) { powerCalls_.emplace_back(line); }};
    FrontEnd frontEnd_;
};

// The program's window of that name: the shown one if any, for a closed one
// may wait for its deletion.
QWidget* Window(const QString& name) {
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && (found == nullptr || widget->isVisible())) {
            found = widget;
        }
    }
    return found;
}

template <typename Widget = QWidget>
Widget* Control(const char* name, const QString& window = QStringLiteral("Form1")) {
    QWidget* top = Window(window);
    return top != nullptr ? top->findChild<Widget*>(QString::fromUtf8(name)) : nullptr;
}

QSystemTrayIcon* Icon() {
    return Window(QStringLiteral("Form1"))
        ->findChild<QSystemTrayIcon*>(QStringLiteral("IconeNotif"));
}

void ClickIcon(QSystemTrayIcon::ActivationReason reason) {
    emit Icon()->activated(reason);
}

void Arm(const QString& entry) {
    QTest::mouseClick(Control("TxTChoix"), Qt::LeftButton);
    QTest::keyClicks(Control("TxTChoix"), entry);
    QTest::mouseClick(Control("Activer"), Qt::LeftButton);
}

// While it lives, hands each pop-up menu that opens (and waits in its own
// loop) to `choose`.
class MenuWatcher {
  public:
    explicit MenuWatcher(std::function<void(QMenu&)> choose) {
        QObject::connect(&poll_, &QTimer::timeout, [this, choose = std::move(choose)] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu != nullptr && menu != last_) {
                last_ = menu;
                ++opened;
                choose(*menu);
            }
        });
        poll_.start(5);
    }
    int opened = 0;

  private:
    QTimer poll_;
    QPointer<QMenu> last_;
};

void ClickItem(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions()) {
        if (action->text() == caption) {
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no menu item ") + caption));
}

// Another program's window, which has the focus when a countdown opens.
class OtherWindow final : public QWidget {
  public:
    OtherWindow() {
        show();
        activateWindow();
        (void)QTest::qWaitForWindowActive(this);
    }
};

// Opens a countdown from the icon's menu while another window has the focus.
QWidget* OpenCountdown(const QString& item, const QString& window) {
    Arm(QStringLiteral("23:59:59"));
    OtherWindow other;
    MenuWatcher watcher([&item](QMenu& menu) { ClickItem(menu, item); });
    ClickIcon(QSystemTrayIcon::Context);
    return Window(window);
}

const QString kPowerOff = QStringLiteral("A&rrêter l'ordinateur");
const QString kStandby = QStringLiteral("Mettre en &Veille");
const QString kRestart = QStringLiteral("&Redémarrer l'ordinateur");

// A call over the session bus that lets this thread's event loop run, so that
// the program, on this thread too, can answer it.
QDBusMessage Call(QDBusConnection bus, const QString& service, const QString& path,
                  const QString& interface, const QString& method, const QVariantList& args) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(args);
    return bus.call(call, QDBus::BlockWithGui);
}

// A method of the interface that python-dbusmock adds to each of its mocks.
QDBusMessage OnMock(const char* service, const char* path, const char* method,
                    const QVariantList& args) {
    return Call(QDBusConnection::sessionBus(), QString::fromUtf8(service), QString::fromUtf8(path),
                QStringLiteral("org.freedesktop.DBus.Mock"), QString::fromUtf8(method), args);
}

// The arguments of the last call of that method that a mock of
// scripts/run-qt-tests.sh took.
QVariantList LastCall(const char* service, const char* path, const char* method) {
    const auto calls = OnMock(service, path, "GetMethodCalls", {QString::fromUtf8(method)})
                           .arguments()
                           .value(0)
                           .value<QDBusArgument>();
    QVariantList last;
    calls.beginArray();
    while (!calls.atEnd()) {
        quint64 time = 0;
        calls.beginStructure();
        calls >> time >> last;
        calls.endStructure();
    }
    calls.endArray();
    return last;
}

const char kNotifications[] = "org.freedesktop.Notifications";
const char kNotificationsPath[] = "/org/freedesktop/Notifications";

// A StatusNotifierItem host, on a connection of its own: it finds the icon by
// the bus name it gave the watcher, and reads and works it as a notification
// area would. Its menu, as the host would show it: "label" or "label (off)",
// the access key marked "_", and the items' ids.
class SniHost {
  public:
    SniHost() : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "host")) {}
    ~SniHost() { QDBusConnection::disconnectFromBus(QStringLiteral("host")); }

    bool Found() {
        service_ = LastCall("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                            "RegisterStatusNotifierItem")
                       .value(0)
                       .toString();
        return !service_.isEmpty();
    }
    QVariant Property(const char* name) {
        return On(kItem, "org.freedesktop.DBus.Properties", "Get",
                  {QStringLiteral("org.kde.StatusNotifierItem"), QString::fromUtf8(name)})
            .value<QDBusVariant>()
            .variant();
    }
    QString Tip() {  // the title of (icon name, pixmaps, title, text)
        const auto tip = Property("ToolTip").value<QDBusArgument>();
        QString title;
        tip.beginStructure();
        tip >> title;  // the icon's name, read over
        tip.beginArray();
        tip.endArray();
        tip >> title;
        tip.endStructure();
        return title;
    }
    void Click(const char* method) { On(kItem, "org.kde.StatusNotifierItem", method, {0, 0}); }
    QStringList Menu() {
        const auto root =
            On(MenuPath(), kMenu, "GetLayout", {0, 1, QStringList{}}, 1).value<QDBusArgument>();
        QStringList items;
        ids_.clear();
        int id = 0;
        QVariantMap properties;
        root.beginStructure();
        root >> id >> properties;
        root.beginArray();
        while (!root.atEnd()) {
            QDBusVariant child;
            root >> child;
            const auto item = child.variant().value<QDBusArgument>();
            item.beginStructure();
            item >> id >> properties;
            item.endStructure();
            ids_ << id;
            items << properties.value(QStringLiteral("label")).toString() +
                         (properties.value(QStringLiteral("enabled"), true).toBool() ? ""
                                                                                     : " (off)");
        }
        root.endArray();
        root.endStructure();
        return items;
    }
    void Choose(const QString& item) {
        On(MenuPath(), kMenu, "Event",
           {ids_.value(Menu().indexOf(item)), QStringLiteral("clicked"),
            QVariant::fromValue(QDBusVariant(0)), 0u});
    }

  private:
    static constexpr char kItem[] = "/StatusNotifierItem";
    static constexpr char kMenu[] = "com.canonical.dbusmenu";
    QString MenuPath() { return Property("Menu").value<QDBusObjectPath>().path(); }
    QVariant On(const QString& path, const char* interface, const char* method,
                const QVariantList& args, int reply = 0) {
        return Call(bus_, service_, path, QString::fromUtf8(interface), QString::fromUtf8(method),
                    args)
            .arguments()
            .value(reply);
    }
    QDBusConnection bus_;
    QString service_;
    QList<int> ids_;  // of the items Menu() read last
};

// A window manager that refuses the countdown window: it minimises it as it
// opens (Once), and again each time the program restores it (Each).
enum Refusal { None, Once, Each };
void Refuse(QWidget& window, int refusal) {
    if (refusal != None) {
        window.showMinimized();
    }
    if (refusal == Each) {
        QObject::connect(window.windowHandle(), &QWindow::windowStateChanged, &window,
                         [&window](Qt::WindowState state) {
                             if (state != Qt::WindowMinimized) {
                                 QTimer::singleShot(0, &window, &QWidget::showMinimized);
                             }
                         });
    }
}

// Built alone, a window's events go nowhere.
class NoEvents final : public CoreEvents {
  public:
    void Deliver(const std::function<void(Program&)>&) override {}
    void Refresh() override {}
};

QColor ColourOf(const layout::Colour& colour) {
    return QColor::fromRgb(colour.rgb);
}

void VerifyControl(const QWidget& window, const layout::Font& defaultFont,
                   const layout::Control& control, int dpi) {
    using layout::ControlKind;
    auto* widget = window.findChild<QWidget*>(FromUtf8(control.name));
    QVERIFY2(widget != nullptr, control.name.data());
    const auto px = [dpi](layout::Twips twips) { return layout::TwipsToPixels(twips, dpi); };
    const layout::Box& box = control.place;
    // The number's left edge follows the font at hand (numberStandsInTheGap).
    const int left = control.id == layout::ControlId::Number ? widget->x() : px(box.left);
    QCOMPARE(widget->geometry(), QRect(left, px(box.top), px(box.width), px(box.height)));
    QCOMPARE(widget->property("text").toString(), FromUtf8(control.text));
    const bool field = control.kind == ControlKind::TextField;
    if (control.foreground.source == layout::Colour::Source::Rgb) {
        QCOMPARE(widget->palette().color(field ? QPalette::Text : QPalette::WindowText),
                 ColourOf(control.foreground));
    }
    if (control.background.source == layout::Colour::Source::Rgb) {
        const QPalette::ColorRole role = field ? QPalette::Base
                                         : control.kind == ControlKind::PushButton
                                             ? QPalette::Button
                                             : QPalette::Window;
        QCOMPARE(widget->palette().color(role), ColourOf(control.background));
    }
    const layout::Font& font = control.font != nullptr ? *control.font : defaultFont;
    QCOMPARE(widget->font().pixelSize(), layout::FontPixelHeight(font, dpi));
    QCOMPARE(widget->font().bold(), font.bold);
    QCOMPARE(widget->isVisibleTo(&window), (control.flags & layout::kHidden) == 0);
    if (auto* entry = qobject_cast<QLineEdit*>(widget)) {
        if ((control.flags & layout::kFlatBorder) != 0) {
            // Inside the one-pixel line, as drawn: the table's background.
            QCOMPARE(entry->grab().toImage().pixelColor(2, 2), ColourOf(control.background));
        }
        QCOMPARE(entry->isReadOnly(), (control.flags & layout::kReadOnly) != 0);
        QCOMPARE((entry->alignment() & Qt::AlignHCenter) != 0,
                 (control.flags & layout::kCentred) != 0);
    }
    if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        QCOMPARE(option->isChecked(), (control.flags & layout::kSelected) != 0);
    }
}

// The number's digits lie inside the blanks before "seconde(s)", with one
// blank to spare on the right if asked.
void VerifyNumberInTheGap(const QLabel& sentence, const QLabel& number, bool spare) {
    const QString text = sentence.text();
    const qsizetype gapEnd = text.indexOf(QStringLiteral("seconde(s)"));
    qsizetype gapStart = gapEnd;
    while (gapStart > 0 && text[gapStart - 1] == u' ') {
        --gapStart;
    }
    const QFontMetricsF metrics(sentence.font());
    const qreal gapLeft = sentence.x() + metrics.horizontalAdvance(text.left(gapStart));
    const qreal gapRight = sentence.x() + metrics.horizontalAdvance(text.left(gapEnd)) -
                           (spare ? metrics.horizontalAdvance(u' ') : 0);
    const qreal digitsRight =
        number.x() + QFontMetricsF(number.font()).horizontalAdvance(number.text());
    // Pixel widths are whole: the digits may reach under a pixel further.
    QVERIFY2(gapLeft < number.x() && digitsRight < gapRight + 1,
             qPrintable(QStringLiteral("\"%1\" lies at %2..%3, the gap at %4..%5")
                            .arg(number.text())
                            .arg(number.x())
                            .arg(digitsRight)
                            .arg(gapLeft)
                            .arg(gapRight)));
}

}  // namespace

class FrontEndTest : public QObject {
    Q_OBJECT

  private slots:
    void framesHaveACloseBoxOnly();
    void clockTimerAndEntryBindings();
    void optionClicksAndArrowKeysSelect();
    void refusalShowsItsBoxAndTheExampleFromItsStart();
    void closeBoxes();
    void iconActivations_data();
    void iconActivations();
    void menuOpensWithNothingHighlighted();
    void menuItemsReachTheirHandlers_data();
    void menuItemsReachTheirHandlers();
    void withoutNotificationAreaTheMainWindowStandsIn();
    void countdownActivatedAtItsFirstShowOnly();
    void countdownKeysPressAnnuler_data();
    void countdownKeysPressAnnuler();
    void windowsFollowTheLayoutTables();
    void numberStandsInTheGap();
    void statusNotifierItem();
    void countdownSeenOrAnnounced_data();
    void countdownSeenOrAnnounced();
};

void FrontEndTest::framesHaveACloseBoxOnly() {
    Harness harness;
    const Qt::WindowFlags main = Window(QStringLiteral("Form1"))->windowFlags();
    const Qt::WindowFlags countdown =
        OpenCountdown(kPowerOff, QStringLiteral("Form2"))->windowFlags();
    for (const auto& [flags, type] : {std::pair{main, Qt::Window}, {countdown, Qt::Tool}}) {
        QCOMPARE(flags & Qt::WindowType_Mask, type);
        for (const Qt::WindowType hint :
             {Qt::WindowStaysOnTopHint, Qt::CustomizeWindowHint, Qt::WindowCloseButtonHint}) {
            QVERIFY(flags.testFlag(hint));
        }
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }
}

void FrontEndTest::clockTimerAndEntryBindings() {
    Harness harness;
    auto* clock = Control<QLineEdit>("TxtHeure");
    QTRY_COMPARE(clock->text(), QStringLiteral("04:30:24"));
    harness.SetSecond(25);
    QTRY_COMPARE(clock->text(), QStringLiteral("04:30:25"));
    // A click empties the entry; typing reaches the program.
    auto* entry = Control<QLineEdit>("TxTChoix");
    QTest::keyClicks(entry, QStringLiteral("04:30:25"));
    QTest::mouseClick(entry, Qt::LeftButton);
    QCOMPARE(entry->text(), QString());
    QTest::keyClicks(entry, QStringLiteral("04:30:26"));
    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(harness.program().form1().TxTChoix(), "04:30:2");
    QTest::keyClick(entry, Qt::Key_6);
    // Enter presses "Activer".
    QTest::keyClick(entry, Qt::Key_Return);
    QVERIFY(!harness.program().form1().MnuActiverEnabled());
}

void FrontEndTest::optionClicksAndArrowKeysSelect() {
    Harness harness;
    struct Step {
        const char* clicked;  // or nullptr: the key, in the option group
        Qt::Key key;
        ActionKind selected;
        const char* option;
        Qt::MouseButton button = Qt::LeftButton;
    };
    const Step steps[] = {
        {nullptr, Qt::Key_Down, ActionKind::Restart, "Reboot"},
        {nullptr, Qt::Key_Down, ActionKind::Standby, "Veille"},
        {nullptr, Qt::Key_Up, ActionKind::Restart, "Reboot"},
        {nullptr, Qt::Key_Up, ActionKind::PowerOff, "Arrêter"},
        {"Label2", {}, ActionKind::Restart, "Reboot"},
        {"Veille", {}, ActionKind::Standby, "Veille"},
        {"Label3", {}, ActionKind::PowerOff, "Arrêter"},
        {"Label2", {}, ActionKind::PowerOff, "Arrêter", Qt::RightButton},  // not a click
    };
    QVERIFY(QTest::qWaitForWindowActive(Window(QStringLiteral("Form1"))));
    Control("Arrêter")->setFocus();
    for (const Step& step : steps) {
        if (step.clicked != nullptr) {
            QTest::mouseClick(Control(step.clicked), step.button);
        } else {
            QTest::keyClick(Window(QStringLiteral("Form1"))->focusWidget(), step.key);
        }
        QCOMPARE(harness.program().form1().SelectedOption(), step.selected);
        QVERIFY(Control<QRadioButton>(step.option)->isChecked());
    }
}

void FrontEndTest::refusalShowsItsBoxAndTheExampleFromItsStart() {
    Harness harness;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&icon] {
        QVERIFY(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        icon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(Control("Activer"), Qt::LeftButton);
    QCOMPARE(icon, QMessageBox::Information);
    auto* entry = Control<QLineEdit>("TxTChoix");
    QCOMPARE(entry->text(),
             QStringLiteral("Exemple :                                    04:30:25"));
    // Wider than the field: shown from "Exemple", not scrolled to its end.
    QCOMPARE(entry->cursorPosition(), 0);
}

void FrontEndTest::closeBoxes() {
    Harness harness;
    // A countdown's stops that countdown and nothing else; the main window's
    // ends the program.
    QVERIFY(OpenCountdown(kPowerOff, QStringLiteral("Form2"))->close());
    QVERIFY(!harness.program().Loaded(WindowId::Form2));
    QVERIFY(!harness.program().Ended());
    QVERIFY(harness.powerCalls().empty());
    QVERIFY(Window(QStringLiteral("Form1"))->close());
    QVERIFY(harness.program().Ended());
}

void FrontEndTest::iconActivations_data() {
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("menus");
    QTest::newRow("left click") << QSystemTrayIcon::Trigger << true << 0;
    QTest::newRow("context request") << QSystemTrayIcon::Context << false << 1;
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << false << 0;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << false << 0;
    QTest::newRow("unknown") << QSystemTrayIcon::Unknown << false << 0;
}

void FrontEndTest::iconActivations() {
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, shown);
    QFETCH(int, menus);
    Harness harness;
    QWidget* window = Window(QStringLiteral("Form1"));
    const QRect place = window->geometry();
    Arm(QStringLiteral("04:30:25"));
    QVERIFY(Icon()->isVisible() && !window->isVisible());
    QCOMPARE(Icon()->toolTip(), QStringLiteral("Kalvoro XP"));
    // Off the task list: a tool window has no taskbar entry.
    QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    // Out of sight the clock's ticks write nothing; shown, it is up to date at once.
    auto* clock = Control<QLineEdit>("TxtHeure");
    const QString hiddenClock = clock->text();
    if (shown) {
        harness.SetSecond(10);
        QTRY_VERIFY(harness.program().form1().TxtHeure() == "04:30:10");
        QCOMPARE(clock->text(), hiddenClock);
    }
    MenuWatcher watcher([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
    ClickIcon(reason);
    QCOMPARE(window->isVisible(), shown);
    QCOMPARE(clock->text(), shown ? QStringLiteral("04:30:10") : hiddenClock);
    QCOMPARE(watcher.opened, menus);
    // Back where it was.
    QCOMPARE(window->geometry(), place);
}

void FrontEndTest::menuOpensWithNothingHighlighted() {
    Harness harness;
    Arm(QStringLiteral("04:30:25"));
    QStringList enabled;
    const QAction* highlighted = nullptr;
    QString defaultItem;
    bool openAfterEnter = false;
    MenuWatcher watcher([&](QMenu& menu) {
        for (const QAction* action : menu.actions()) {
            if (action->isEnabled()) {
                enabled << action->text();
            }
        }
        highlighted = menu.activeAction();
        defaultItem = menu.defaultAction() != nullptr ? menu.defaultAction()->text() : QString();
        // A stray Enter closes the menu, as on Windows, and chooses nothing.
        const QPointer<QMenu> open(&menu);
        QTest::keyClick(&menu, Qt::Key_Return);
        openAfterEnter = open && open->isVisible();
        if (openAfterEnter) {
            QTest::keyClick(&menu, Qt::Key_Escape);
        }
    });
    ClickIcon(QSystemTrayIcon::Context);
    QCOMPARE(highlighted, nullptr);
    QCOMPARE(defaultItem, QStringLiteral("&Quitter"));
    QVERIFY(!openAfterEnter);
    QVERIFY(!harness.program().Ended());
    QVERIFY(!harness.program().form1().MnuActiverEnabled());  // still armed
    QCOMPARE(enabled,
             (QStringList{"&Suspendre", "&Montrer", kPowerOff, kStandby, kRestart, "&Quitter"}));
}

void FrontEndTest::menuItemsReachTheirHandlers_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("shown");  // the window shown afterwards, or none
    QTest::addColumn<bool>("armedBefore");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<bool>("ended");
    QTest::newRow("arm") << "&Activer"
                         << "" << false << true << false;
    QTest::newRow("disarm") << "&Suspendre"
                            << "" << true << false << false;
    QTest::newRow("show") << "&Montrer"
                          << "Form1" << false << false << false;
    QTest::newRow("power off") << kPowerOff << "Form2" << false << false << false;
    QTest::newRow("standby") << kStandby << "Form4" << false << false << false;
    QTest::newRow("restart") << kRestart << "Form3" << false << false << false;
    QTest::newRow("quit") << "&Quitter"
                          << "" << false << false << true;
}

void FrontEndTest::menuItemsReachTheirHandlers() {
    QFETCH(QString, item);
    QFETCH(QString, shown);
    QFETCH(bool, armedBefore);
    QFETCH(bool, armed);
    QFETCH(bool, ended);
    Harness harness;
    Arm(QStringLiteral("04:30:25"));
    if (!armedBefore) {
        ClickIcon(QSystemTrayIcon::Trigger);
        QTest::mouseClick(Control("Suspendre"), Qt::LeftButton);
    }
    MenuWatcher watcher([&item](QMenu& menu) { ClickItem(menu, item); });
    ClickIcon(QSystemTrayIcon::Context);
    QCOMPARE(watcher.opened, 1);
    QCOMPARE(!harness.program().form1().MnuActiverEnabled(), armed);
    QCOMPARE(harness.program().Ended(), ended);
    QCOMPARE(Icon()->isVisible(), !ended);
    for (const QString window : {"Form1", "Form2", "Form3", "Form4"}) {
        const QWidget* top = Window(window);
        QCOMPARE(top != nullptr && top->isVisible(), window == shown);
    }
}

void FrontEndTest::withoutNotificationAreaTheMainWindowStandsIn() {
    Harness harness(NotificationArea::MainWindow);
    MenuWatcher watcher([](QMenu& menu) { ClickItem(menu, QStringLiteral("&Montrer")); });
    QWidget* window = Window(QStringLiteral("Form1"));
    const auto rightClick = [window] {
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, QPoint(200, 60));
    };
    // No icon yet, so no menu: the main window's right click is its own.
    rightClick();
    QCOMPARE(watcher.opened, 0);
    Arm(QStringLiteral("04:30:25"));
    // Minimised, not hidden: its taskbar entry is the only way back. Its
    // menu's "&Montrer" then restores it.
    QVERIFY(window->isMinimized());
    QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    rightClick();
    QCOMPARE(watcher.opened, 1);
    QVERIFY(!window->isMinimized());
}

void FrontEndTest::countdownActivatedAtItsFirstShowOnly() {
    Harness harness;
    QWidget* countdown = OpenCountdown(kStandby, QStringLiteral("Form4"));
    // Offscreen every window shown is active; on X11 (the xcb run) the
    // countdown is so only because its first show asks for the focus.
    QVERIFY(!countdown->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(QTest::qWaitForWindowActive(countdown));
    OtherWindow other;
    QVERIFY(QTest::qWaitForWindowActive(&other));
    // Both timers run: the number counts down, the bar grows.
    auto* number = countdown->findChild<QLabel*>(QStringLiteral("Label2"));
    auto* bar = countdown->findChild<QLabel*>(QStringLiteral("Label1"));
    const int barWidth = bar->width();
    QTRY_COMPARE(number->text(), QStringLiteral("11"));
    QTRY_COMPARE(number->text(), QStringLiteral("10"));
    QVERIFY(bar->width() > barWidth);
    QCOMPARE(QApplication::activeWindow(), &other);
}

void FrontEndTest::countdownKeysPressAnnuler_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Enter") << int{Qt::Key_Return} << Qt::KeyboardModifiers{};
    QTest::newRow("Alt+A") << int{Qt::Key_A} << Qt::KeyboardModifiers{Qt::AltModifier};
}

void FrontEndTest::countdownKeysPressAnnuler() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Harness harness;
    QVERIFY(QTest::qWaitForWindowActive(OpenCountdown(kRestart, QStringLiteral("Form3"))));
    // The keys go where the desktop sends them: to the window with the focus.
    QTest::keyClick(QGuiApplication::focusWindow(), static_cast<Qt::Key>(key), modifiers);
    QTRY_VERIFY(harness.program().Ended());
    QCOMPARE(harness.powerCalls().size(), std::size_t{2});
    QVERIFY(harness.powerCalls()[0].starts_with("RebootXP Shutdown -r -t 12"));
    QCOMPARE(harness.powerCalls()[1], "AnnulerRebootXP Shutdown -a");
}

void FrontEndTest::windowsFollowTheLayoutTables() {
    NoEvents events;
    for (const int dpi : {96, 144}) {
        for (const WindowId id :
             {WindowId::Form1, WindowId::Form2, WindowId::Form3, WindowId::Form4}) {
            std::unique_ptr<LayoutWindow> built;
            if (id == WindowId::Form1) {
                built = std::make_unique<MainWindow>(events, dpi);
            } else {
                auto countdown = std::make_unique<CountdownWindow>(id, events, dpi, false);
                // The bar's ticks every 10 ms, exactly; the number's every second.
                QCOMPARE(countdown->Timer(CountdownTimer::Timer1).interval(), 10);
                QCOMPARE(countdown->Timer(CountdownTimer::Timer1).timerType(), Qt::PreciseTimer);
                QCOMPARE(countdown->Timer(CountdownTimer::Timer2).interval(), 1000);
                built = std::move(countdown);
            }
            const layout::WindowLayout& table = layout::LayoutOf(id);
            const auto px = [dpi](layout::Twips twips) {
                return layout::TwipsToPixels(twips, dpi);
            };
            QCOMPARE(built->size(), QSize(px(table.clientWidth), px(table.clientHeight)));
            QCOMPARE(built->minimumSize(), built->maximumSize());
            QCOMPARE(built->windowTitle().trimmed(), FromUtf8(table.title));
            QCOMPARE(built->palette().color(QPalette::Window), ColourOf(table.background));
            if (table.clientOrigin) {
                QCOMPARE(built->geometry().topLeft(),
                         QPoint(px(table.clientOrigin->x), px(table.clientOrigin->y)));
            }
            for (const layout::Control& control : table.controls) {
                VerifyControl(*built, table.defaultFont, control, dpi);
            }
            if (id == WindowId::Form1) {
                // The picture grows with the controls: a point of its ellipse, where
                // no control covers it, is drawn where it lies at 96 dpi, scaled.
                const QColor own = QImage(QStringLiteral(":/fond.gif")).pixelColor(262, 120);
                const QColor drawn = built->grab().toImage().pixelColor(
                    layout::PixelsFrom96(262, dpi), layout::PixelsFrom96(120, dpi));
                QCOMPARE(drawn.name(), own.name());
            }
        }
    }
}

void FrontEndTest::numberStandsInTheGap() {
    NoEvents events;
    for (const int dpi : {96, 120, 144, 192}) {
        for (const ActionKind action :
             {ActionKind::PowerOff, ActionKind::Restart, ActionKind::Standby}) {
            // The countdown of the core's own tests, shown in this front end's window.
            kalvoro::testing::Harness core;
            core.program.OpenCountdown(action);
            Countdown& countdown = *core.program.countdown();
            CountdownWindow window(countdown.window(), events, dpi, false);
            const auto& sentence = *window.findChild<QLabel*>(QStringLiteral("Label3"));
            const auto& number = *window.findChild<QLabel*>(QStringLiteral("Label2"));
            // "12" and "9" (the first narrow sentence) with a blank to spare,
            // then "0" and "-1".
            for (const auto& [ticks, spare] :
                 {std::pair{0, true}, {3, true}, {9, false}, {1, false}}) {
                for (int tick = 0; tick < ticks; ++tick) {
                    countdown.Timer2_Timer();
                }
                window.Refresh(countdown);
                VerifyNumberInTheGap(sentence, number, spare);
            }
            if (action == ActionKind::Standby) {
                // The finish, as the standby window stays open to show it.
                for (int tick = 0; tick < 1312; ++tick) {
                    countdown.Timer1_Timer();
                }
                window.Refresh(countdown);
                QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Annuler"))->text(),
                         QStringLiteral("Fin"));
                QVERIFY(!number.isVisibleTo(&window));
                QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label1"))->width() >=
                        window.width());
            }
        }
    }
}

// The icon as a StatusNotifierItem host meets it: its tip, the menu it exports
// (the one the program pops up itself, kept up to date), a choice made there,
// a right click (ContextMenu) and a left click (Activate).
void FrontEndTest::statusNotifierItem() {
    if (QGuiApplication::platformName() != u"xcb") {
        QSKIP("Qt's StatusNotifierItem comes with a platform theme, which offscreen lacks");
    }
    Harness harness;
    Arm(QStringLiteral("04:30:25"));
    SniHost host;
    QTRY_VERIFY(host.Found());
    QCOMPARE(host.Tip(), QStringLiteral("Kalvoro XP"));
    QStringList popUp;
    MenuWatcher watcher([&popUp](QMenu& menu) {
        for (const QAction* action : menu.actions()) {
            popUp << action->text().replace(u'&', u'_') + (action->isEnabled() ? "" : " (off)");
        }
        menu.close();
    });
    host.Click("ContextMenu");
    QTRY_COMPARE(watcher.opened, 1);
    QCOMPARE(host.Menu(), popUp);
    QVERIFY(popUp.contains(QStringLiteral("_Activer (off)")));
    host.Choose(QStringLiteral("_Suspendre"));  // disarms
    QTRY_VERIFY(host.Menu().contains(QStringLiteral("_Suspendre (off)")));
    QVERIFY(harness.program().form1().MnuActiverEnabled());
    host.Click("Activate");
    QTRY_VERIFY(Window(QStringLiteral("Form1"))->isVisible());
}

void FrontEndTest::countdownSeenOrAnnounced_data() {
    QTest::addColumn<QByteArray>("desktop");  // on a Wayland display, or "" for X11
    QTest::addColumn<int>("refusal");
    QTest::addColumn<bool>("announced");
    QTest::newRow("minimised as it opens, brought back") << QByteArray() << int{Once} << false;
    QTest::newRow("minimised each time") << QByteArray() << int{Each} << true;
    QTest::newRow("placed and stacked by sway") << QByteArray("sway") << int{None} << true;
}

// Where the countdown window does not reach the user's sight, or may not
// (sway places and stacks the windows itself), a notification announces it,
// its number kept up to date, its action doing what "&Annuler" does, and it
// goes with the window; where the window is in sight, nothing is sent.
void FrontEndTest::countdownSeenOrAnnounced() {
    QFETCH(QByteArray, desktop);
    QFETCH(int, refusal);
    QFETCH(bool, announced);
    OnMock(kNotifications, kNotificationsPath, "ClearCalls", {});
    if (!desktop.isEmpty()) {
        qputenv("WAYLAND_DISPLAY", "wayland-1");
        qputenv("XDG_CURRENT_DESKTOP", desktop);
    }
    Harness harness;
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("XDG_CURRENT_DESKTOP");
    QWidget* countdown = OpenCountdown(kRestart, QStringLiteral("Form3"));
    Refuse(*countdown, refusal);
    // Two seconds on: the window has long been checked, the number changed twice.
    QTRY_COMPARE_WITH_TIMEOUT(Control<QLabel>("Label2", QStringLiteral("Form3"))->text(),
                              QStringLiteral("10"), 5000);
    if (!announced) {
        QVERIFY(countdown->isVisible() && !countdown->isMinimized() && countdown->isActiveWindow());
        QVERIFY(LastCall(kNotifications, kNotificationsPath, "Notify").isEmpty());
        return;
    }
    // Each number replaces the notification, by its id.
    QVariantList notice;
    QTRY_COMPARE((notice = LastCall(kNotifications, kNotificationsPath, "Notify")).value(4),
                 QVariant(QStringLiteral("Redémarrage dans : 10 seconde(s) ...")));
    QVERIFY(notice.value(1).toUInt() != 0);
    QCOMPARE(notice.value(5).toStringList(), (QStringList{"button", "Annuler"}));
    OnMock(kNotifications, kNotificationsPath, "EmitSignal",
           {QString::fromUtf8(kNotifications), QStringLiteral("ActionInvoked"),
            QStringLiteral("us"), QVariantList{notice.value(1), QStringLiteral("button")}});
    QTRY_VERIFY(harness.program().Ended());
    QCOMPARE(harness.powerCalls().back(), "AnnulerRebootXP Shutdown -a");
    QTRY_COMPARE(LastCall(kNotifications, kNotificationsPath, "CloseNotification").value(0),
                 notice.value(1));
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::FrontEndTest)
#include "front_end_test.moc"
