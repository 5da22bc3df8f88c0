// LogindPower against python-dbusmock's logind template on a private system
// bus, which scripts/run-qt-tests.sh starts: each power action must reach
// logind's method with the right arguments, in order, and a restart must
// leave a pending shutdown alone.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QtTest>
#include <chrono>

#include "power/logind/logind_power.h"

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
    void powerOffAndStandbyAskWithoutPrompting();
    void restartIsScheduledTwelveSecondsAheadAndCancelWithdrawsIt();
    void restartWhileAShutdownIsPendingIsRefused();

  private:
    QList<RecordedCall> WaitForCalls(int count);

    QDBusConnection bus_ = QDBusConnection::systemBus();
    std::unique_ptr<QDBusInterface> mock_;
    LogindPower power_{bus_};
};

void LogindPowerTest::initTestCase() {
    QVERIFY2(bus_.isConnected(), "no system bus: run this test through scripts/run-qt-tests.sh");
    mock_ = std::make_unique<QDBusInterface>(QStringLiteral("org.freedesktop.login1"),
                                             QStringLiteral("/org/freedesktop/login1"),
                                             QStringLiteral("org.freedesktop.DBus.Mock"), bus_);
    QVERIFY2(mock_->isValid(), "no mock logind on the system bus");
    // The template predates logind's scheduled shutdowns: teach it the
    // property and both methods, which keep it as logind does.
    const QString property = QStringLiteral(
        "self.Set('org.freedesktop.login1.Manager', 'ScheduledShutdown', "
        "dbus.Struct(%1, signature='st'))");
    QDBusArgument none;
    none.beginStructure();
    none << QString() << quint64{0};
    none.endStructure();
    const QList<QVariantList> teach = {
        {kManager, "ScheduledShutdown",
         QVariant::fromValue(QDBusVariant(QVariant::fromValue(none)))},
        {kManager, "ScheduleShutdown", "st", "", property.arg("(args[0], args[1])")},
        {kManager, "CancelScheduledShutdown", "", "b", property.arg("('', 0)") + "; ret = True"},
    };
    for (const QVariantList& arguments : teach) {
        const QString method = arguments.size() == 3 ? "AddProperty" : "AddMethod";
        QCOMPARE(mock_->callWithArgumentList(QDBus::Block, method, arguments).type(),
                 QDBusMessage::ReplyMessage);
    }
}

void LogindPowerTest::init() {
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

void LogindPowerTest::powerOffAndStandbyAskWithoutPrompting() {
    power_.EteindreXP();
    power_.VeilleXP();
    const QList<RecordedCall> calls = WaitForCalls(2);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].method, QStringLiteral("PowerOff"));
    QCOMPARE(calls[0].arguments, QVariantList{false});
    QCOMPARE(calls[1].method, QStringLiteral("Suspend"));
    QCOMPARE(calls[1].arguments, QVariantList{false});
}

void LogindPowerTest::restartIsScheduledTwelveSecondsAheadAndCancelWithdrawsIt() {
    const quint64 before = MicrosecondsNow();
    power_.RebootXP();
    const quint64 after = MicrosecondsNow();
    power_.AnnulerRebootXP();
    const QList<RecordedCall> calls = WaitForCalls(2);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].method, QStringLiteral("ScheduleShutdown"));
    const QVariantList& arguments = calls[0].arguments;
    QCOMPARE(arguments.size(), 2);
    QCOMPARE(arguments[0].toString(), QStringLiteral("reboot"));
    QCOMPARE(arguments[1].metaType(), QMetaType::fromType<qulonglong>());
    const quint64 due = arguments[1].toULongLong();
    constexpr quint64 kTwelveSeconds = 12'000'000;
    QVERIFY2(due >= before + kTwelveSeconds && due <= after + kTwelveSeconds,
             "the restart is not due 12 s after the call");
    QCOMPARE(calls[1].method, QStringLiteral("CancelScheduledShutdown"));
    QVERIFY(calls[1].arguments.isEmpty());
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

QTEST_GUILESS_MAIN(kalvoro::LogindPowerTest)
#include "logind_power_test.moc"
