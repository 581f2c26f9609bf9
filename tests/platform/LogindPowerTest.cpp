#include "platform/linux/LogindPower.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QTest>

namespace {

struct Call {
    QString method;
    QString signature;
    QVariantList arguments;
};

QDBusMessage mockCall(const QString& method) {
    return QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                          "org.freedesktop.DBus.Mock", method);
}

// The calls the mock logind recorded, each with its D-Bus signature.
QList<Call> recordedCalls() {
    QDBusMessage reply = QDBusConnection::systemBus().call(mockCall("GetCalls"));
    QList<Call> calls;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        qulonglong time;
        Call call;
        list.beginStructure();
        list >> time >> call.method;
        list.beginArray();
        while (!list.atEnd()) {
            QDBusVariant value;
            list >> value;
            call.arguments << value.variant();
            call.signature +=
                QString::fromLatin1(QDBusMetaType::typeToSignature(value.variant().metaType()));
        }
        list.endArray();
        list.endStructure();
        calls << call;
    }
    list.endArray();
    return calls;
}

// The request is sent without waiting; its arrival is awaited here.
Call waitForOneCall() {
    QList<Call> calls;
    for (int waited = 0; waited < 5000 && calls.isEmpty(); waited += 20) {
        QTest::qWait(20);
        calls = recordedCalls();
    }
    QTest::qWait(50);
    calls = recordedCalls();
    if (calls.size() != 1)
        return {QStringLiteral("%1 calls").arg(calls.size()), {}, {}};
    return calls.front();
}

} // namespace

class LogindPowerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Never a real logind: only the bus the harness made for this run.
        const QByteArray bus = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
        if (bus.isEmpty() || bus != qgetenv("BWM_PRIVATE_SYSTEM_BUS"))
            QFAIL("refusing to run: no private system bus (use with_mock_logind.sh)");
        QVERIFY(QDBusConnection::systemBus().isConnected());
    }

    void init() { QDBusConnection::systemBus().call(mockCall("ClearCalls")); }

    void requestsMapToLogindCalls_data() {
        QTest::addColumn<core::PowerAction>("action");
        QTest::addColumn<QString>("method");
        QTest::newRow("log off") << core::PowerAction::LogOff << "TerminateSession";
        QTest::newRow("power off") << core::PowerAction::PowerOff << "PowerOff";
        QTest::newRow("power off, forced") << core::PowerAction::ForcedPowerOff << "PowerOff";
        QTest::newRow("reboot") << core::PowerAction::Reboot << "Reboot";
        QTest::newRow("reboot, forced") << core::PowerAction::ForcedReboot << "Reboot";
        QTest::newRow("standby") << core::PowerAction::Standby << "Suspend";
        QTest::newRow("hibernate") << core::PowerAction::Hibernate << "Hibernate";
    }

    void requestsMapToLogindCalls() {
        QFETCH(core::PowerAction, action);
        QFETCH(QString, method);
        qputenv("XDG_SESSION_ID", "c7");
        platform::LogindPower power(bus_);
        power.prepare();
        power.request(action);
        Call call = waitForOneCall();
        QCOMPARE(call.method, method);
        if (method == "TerminateSession") {
            QCOMPARE(call.signature, QStringLiteral("s"));
            QCOMPARE(call.arguments.value(0).toString(), QStringLiteral("c7"));
        } else {
            QCOMPARE(call.signature, QStringLiteral("b"));
            QCOMPARE(call.arguments.value(0).toBool(), false);
        }
    }

    void logOffWithoutASessionIdNamesTheCallersSession() {
        qunsetenv("XDG_SESSION_ID");
        platform::LogindPower power(bus_);
        power.request(core::PowerAction::LogOff);
        Call call = waitForOneCall();
        QCOMPARE(call.method, QStringLiteral("TerminateSession"));
        QCOMPARE(call.arguments.value(0).toString(), QString());
    }

    void noActionCallsNothing() {
        platform::LogindPower power(bus_);
        power.request(core::PowerAction::None);
        QTest::qWait(100);
        QVERIFY(recordedCalls().isEmpty());
    }

    // Last: the mock's Hibernate fails and its Suspend is slow from here on.
    void eachAnswerIsToldARefusalWithLogindsReasonAndASilenceAsSuch() {
        QDBusMessage refuse = mockCall("AddMethod");
        refuse.setArguments({"org.freedesktop.login1.Manager", "Hibernate", "b", "",
                             "raise dbus.exceptions.DBusException('no swap', "
                             "name='org.freedesktop.DBus.Error.AccessDenied')"});
        QVERIFY(QDBusConnection::systemBus().call(refuse).type() != QDBusMessage::ErrorMessage);
        QDBusMessage slow = mockCall("AddMethod");
        slow.setArguments(
            {"org.freedesktop.login1.Manager", "Suspend", "b", "", "import time; time.sleep(1)"});
        QVERIFY(QDBusConnection::systemBus().call(slow).type() != QDBusMessage::ErrorMessage);
        platform::LogindPower power(bus_, 300);
        QStringList answers;
        power.setAnswerHandler([&](const core::PowerAnswer& answer) {
            answers << (answer.kind == core::PowerAnswer::Refused
                            ? QString::fromStdString(answer.reason)
                        : answer.kind == core::PowerAnswer::Unanswered
                            ? QStringLiteral("no answer")
                            : QStringLiteral("accepted"));
        });
        power.request(core::PowerAction::Reboot);
        QTRY_COMPARE(answers, QStringList{QStringLiteral("accepted")});
        power.request(core::PowerAction::Hibernate);
        QTRY_COMPARE(answers.value(1), QStringLiteral("no swap"));
        power.request(core::PowerAction::Standby);
        QTRY_COMPARE(answers.value(2), QStringLiteral("no answer"));
    }

private:
    platform::LogindBus bus_;
};

QTEST_GUILESS_MAIN(LogindPowerTest)
#include "LogindPowerTest.moc"
