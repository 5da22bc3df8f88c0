// LogindPower against python-dbusmock's logind template on a private system
// bus, which scripts/run-qt-tests.sh starts: each power action must reach
// logind's method with the right arguments, in order, a restart must leave a
// pending shutdown alone, and the whole program must say what logind refused.
#include <QAbstractButton>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QMessageBox>
#include <QtTest>
#include <chrono>

#include "fakes/fakes.h"
#include "power/logind/logind_power.h"
#include "ui/qt/front_end.h"

namespace kalvoro {
namespace {

const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

struct RecordedCall {
    QString method;
    QVariantList arguments;
};

// Every call that the mock has recorded since it was last cleared, in order.
QList<RecordedCall> RecordedCalls(QDBusInterface& mock) {
    const QDBusMessage reply = mock.call(QStringLiteral("GetCalls"));
    QList<RecordedCall> calls;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return calls;
    }
    const auto records = reply.arguments().constFirst().value<QDBusArgument>();
    records.beginArray();
    while (!records.atEnd()) {
        RecordedCall call;
        quint64 timestamp = 0;
        records.beginStructure();
        records >> timestamp >> call.method;
        records.beginArray();
        while (!records.atEnd()) {
            QDBusVariant argument;
            records >> argument;
            call.arguments << argument.variant();
        }
        records.endArray();
        records.endStructure();
        calls << call;
    }
    records.endArray();
    return calls;
}

// Keeps a restart in the mock's ScheduledShutdown property, (type, due).
const QString kSchedule = QStringLiteral(
    "self.Set('org.freedesktop.login1.Manager', 'ScheduledShutdown', "
    "dbus.Struct(%1, signature='st'))");

// The mock's answers. Each that takes a call notes its method in the
// property Taken; the flag that lets polkit ask for a password is the
// argument of PowerOff and Suspend, in the header of ScheduleShutdown.
const QString kRefuse = QStringLiteral(
    "raise dbus.exceptions.DBusException('Refused by the test.', "
    "name='org.freedesktop.DBus.Error.AccessDenied')");
const QString kTakeIf = QStringLiteral(
    "if not (%1): raise dbus.exceptions.DBusException('Interactive authentication required.', "
    "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')\n"
    "self.Set('org.freedesktop.login1.Manager', 'Taken', '%2')");
const QString kMayAsk = QStringLiteral("args[0]");
const QString kMessageMayAsk = QStringLiteral(
    "[f.frame.f_locals['message'] for f in __import__('inspect').stack() if "
    "isinstance(f.frame.f_locals.get('message'), dbus.lowlevel.MethodCallMessage)][0]"
    ".get_allow_interactive_authorization()");

struct Answering {
    const char* what;
    ActionKind action;
    const char* method;
    QString answer;
    bool cancelled;   // "Annuler" right after the opening
    const char* box;  // its text, or none
    bool ends;        // once the bar is full and the box, if any, closed
};

quint64 MicrosecondsNow() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<quint64>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

}  // namespace

class LogindPowerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void refusalsAreSaidOnceAndTheProgramEndsAfterOk();
    void restartIsScheduledTwelveSecondsAheadAndCancelWithdrawsIt();
    void restartWhileAShutdownIsPendingIsRefused();

  private:
    QList<RecordedCall> WaitForCalls(int count);

    QDBusConnection bus_ = QDBusConnection::systemBus();
    std::unique_ptr<QDBusInterface> mock_;
    std::unique_ptr<QDBusInterface> properties_;
    LogindPower power_{bus_};
};

void LogindPowerTest::initTestCase() {
    QVERIFY2(bus_.isConnected(), "no system bus: run this test through scripts/run-qt-tests.sh");
    mock_ = std::make_unique<QDBusInterface>(QStringLiteral("org.freedesktop.login1"),
                                             QStringLiteral("/org/freedesktop/login1"),
                                             QStringLiteral("org.freedesktop.DBus.Mock"), bus_);
    QVERIFY2(mock_->isValid(), "no mock logind on the system bus");
    properties_ = std::make_unique<QDBusInterface>(
        mock_->service(), mock_->path(), QStringLiteral("org.freedesktop.DBus.Properties"), bus_);
    // The template predates logind's scheduled shutdowns: teach it the
    // property and the cancel, which keeps it as logind does.
    QDBusArgument none;
    none.beginStructure();
    none << QString() << quint64{0};
    none.endStructure();
    const QList<QVariantList> teach = {
        {kManager, "ScheduledShutdown",
         QVariant::fromValue(QDBusVariant(QVariant::fromValue(none)))},
        {kManager, "Taken", QVariant::fromValue(QDBusVariant(QString()))},
        {kManager, "CancelScheduledShutdown", "", "b", kSchedule.arg("('', 0)") + "; ret = True"},
    };
    for (const QVariantList& arguments : teach) {
        const QString method = arguments.size() == 3 ? "AddProperty" : "AddMethod";
        QCOMPARE(mock_->callWithArgumentList(QDBus::Block, method, arguments).type(),
                 QDBusMessage::ReplyMessage);
    }
}

void LogindPowerTest::init() {
    // Each method takes every call, no restart is pending, nothing is taken,
    // and every call is recorded anew.
    const QList<QVariantList> methods = {
        {kManager, "PowerOff", "b", "", ""},
        {kManager, "Suspend", "b", "", ""},
        {kManager, "ScheduleShutdown", "st", "", kSchedule.arg("args")},
    };
    for (const QVariantList& arguments : methods) {
        QCOMPARE(mock_->callWithArgumentList(QDBus::Block, "AddMethod", arguments).type(),
                 QDBusMessage::ReplyMessage);
    }
    QDBusMessage cancel = QDBusMessage::createMethodCall(mock_->service(), mock_->path(), kManager,
                                                         QStringLiteral("CancelScheduledShutdown"));
    QCOMPARE(bus_.call(cancel).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(
        properties_->call("Set", kManager, "Taken", QVariant::fromValue(QDBusVariant(""))).type(),
        QDBusMessage::ReplyMessage);
    QCOMPARE(mock_->call(QStringLiteral("ClearCalls")).type(), QDBusMessage::ReplyMessage);
}

QList<RecordedCall> LogindPowerTest::WaitForCalls(int count) {
    // The actions do not wait for logind, so the mock sees them a little later.
    QList<RecordedCall> calls;
    (void)QTest::qWaitFor([&] { return (calls = RecordedCalls(*mock_)).size() >= count; }, 10000);
    // Anything more that was sent comes meanwhile too.
    QTest::qWait(100);
    return RecordedCalls(*mock_);
}

// Each countdown's power call as the program makes it when its bar is full
// (or, for the restart, as it opens), logind answering as the row says: a
// refusal is said once with logind's reason, and the program ends only once
// its box is closed; a call that logind takes once polkit may ask says
// nothing, nor does a refusal that comes after the user's cancel.
void LogindPowerTest::refusalsAreSaidOnceAndTheProgramEndsAfterOk() {
    const QString schedule = kTakeIf.arg(kMessageMayAsk, "ScheduleShutdown") + "\n" +
                             QStringLiteral(
                                 "self.Set('org.freedesktop.login1.Manager', "
                                 "'ScheduledShutdown', dbus.Struct(args, signature='st'))");
    const Answering rows[] = {
        {"power off refused", ActionKind::PowerOff, "PowerOff", kRefuse, false,
         "L'ordinateur n'a pas pu être éteint.\n\nRefused by the test.", true},
        {"standby refused", ActionKind::Standby, "Suspend", kRefuse, false,
         "L'ordinateur n'a pas pu être mis en veille.\n\nRefused by the test.", false},
        {"restart refused", ActionKind::Restart, "ScheduleShutdown", kRefuse, false,
         "L'ordinateur n'a pas pu être redémarré.\n\nRefused by the test.", true},
        {"power off taken", ActionKind::PowerOff, "PowerOff", kTakeIf.arg(kMayAsk, "PowerOff"),
         false, nullptr, true},
        {"standby taken", ActionKind::Standby, "Suspend", kTakeIf.arg(kMayAsk, "Suspend"), false,
         nullptr, false},
        {"restart taken", ActionKind::Restart, "ScheduleShutdown", schedule, false, nullptr, true},
        {"restart cancelled before its refusal", ActionKind::Restart, "ScheduleShutdown",
         "time.sleep(0.5)\n" + kRefuse, true, nullptr, true},
    };
    for (const Answering& row : rows) {
        init();
        const QString signature = row.action == ActionKind::Restart ? "st" : "b";
        QCOMPARE(mock_->call("AddMethod", kManager, row.method, signature, "", row.answer).type(),
                 QDBusMessage::ReplyMessage);
        testing::FakeClock clock;
        LogindPower power(bus_);
        qt::FrontEnd frontEnd(clock, power, qt::NotificationArea::SystemTray);
        frontEnd.Start();
        Program& program = frontEnd.program();
        program.OpenCountdown(row.action);
        if (row.cancelled) {
            program.countdown()->Annuler_Click();
        }
        while (program.countdown() != nullptr && program.countdown()->Timer1Running()) {
            program.countdown()->Timer1_Timer();
        }
        // The box waits in a loop of its own: it is read and closed from there.
        QString shown;
        bool endedWhileShown = false;
        QTimer reader;
        QObject::connect(&reader, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown += box->text();
                endedWhileShown = program.Ended();
                box->button(QMessageBox::Ok)->click();
            }
        });
        reader.start(20);
        QTest::qWait(1500);
        QCOMPARE(shown, QString::fromUtf8(row.box != nullptr ? row.box : ""));
        QVERIFY2(!endedWhileShown, row.what);
        QCOMPARE(program.Ended(), row.ends);
        const QString taken = row.box == nullptr && !row.cancelled ? row.method : "";
        QCOMPARE(properties_->call("Get", kManager, "Taken")
                     .arguments()
                     .value(0)
                     .value<QDBusVariant>()
                     .variant()
                     .toString(),
                 taken);
    }
}

void LogindPowerTest::restartIsScheduledTwelveSecondsAheadAndCancelWithdrawsIt() {
    const quint64 before = MicrosecondsNow();
    power_.RebootXP();
    const quint64 after = MicrosecondsNow();
    // Before logind's answer: logind may take a restart that waited for a
    // password after the cancel, so the cancel comes again after the answer.
    power_.AnnulerRebootXP();
    const QList<RecordedCall> calls = WaitForCalls(3);
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].method, QStringLiteral("ScheduleShutdown"));
    const QVariantList& arguments = calls[0].arguments;
    QCOMPARE(arguments.size(), 2);
    QCOMPARE(arguments[0].toString(), QStringLiteral("reboot"));
    QCOMPARE(arguments[1].metaType(), QMetaType::fromType<qulonglong>());
    const quint64 due = arguments[1].toULongLong();
    constexpr quint64 kTwelveSeconds = 12'000'000;
    QVERIFY2(due >= before + kTwelveSeconds && due <= after + kTwelveSeconds,
             "the restart is not due 12 s after the call");
    for (const RecordedCall& cancel : calls.mid(1)) {
        QCOMPARE(cancel.method, QStringLiteral("CancelScheduledShutdown"));
        QVERIFY(cancel.arguments.isEmpty());
    }
}

void LogindPowerTest::restartWhileAShutdownIsPendingIsRefused() {
    // As the system's own command: the second restart does not replace the
    // first; once that is withdrawn, a restart is taken again.
    // Each step once logind has seen the one before, as a user's steps come.
    const auto step = [this](void (LogindPower::*action)(), int seen) {
        (power_.*action)();
        WaitForCalls(seen);
    };
    step(&LogindPower::RebootXP, 1);
    step(&LogindPower::RebootXP, 1);
    step(&LogindPower::AnnulerRebootXP, 2);
    step(&LogindPower::RebootXP, 3);
    power_.AnnulerRebootXP();
    const QList<RecordedCall> calls = WaitForCalls(4);
    QStringList methods;
    for (const RecordedCall& call : calls) {
        methods << call.method;
    }
    QCOMPARE(methods, (QStringList{"ScheduleShutdown", "CancelScheduledShutdown",
                                   "ScheduleShutdown", "CancelScheduledShutdown"}));
}

}  // namespace kalvoro

QTEST_MAIN(kalvoro::LogindPowerTest)
#include "logind_power_test.moc"
