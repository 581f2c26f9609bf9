#include "platform/linux/LogindPower.h"

#include "core/PowerControl.h"

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
        QTest::addColumn<int>("kind");
        QTest::addColumn<unsigned>("argument");
        QTest::addColumn<QString>("method");
        QTest::newRow("log off") << 0 << core::EWX_LOGOFF << "TerminateSession";
        QTest::newRow("shut down") << 0 << core::EWX_SHUTDOWN << "PowerOff";
        QTest::newRow("power off, forced")
            << 0 << (core::EWX_POWEROFF | core::EWX_FORCE) << "PowerOff";
        QTest::newRow("reboot") << 0 << core::EWX_REBOOT << "Reboot";
        QTest::newRow("reboot, forced") << 0 << (core::EWX_REBOOT | core::EWX_FORCE) << "Reboot";
        QTest::newRow("standby") << 1 << 1u << "Suspend";
        QTest::newRow("hibernate") << 1 << 0u << "Hibernate";
    }

    void requestsMapToLogindCalls() {
        QFETCH(int, kind);
        QFETCH(unsigned, argument);
        QFETCH(QString, method);
        qputenv("XDG_SESSION_ID", "c7");
        platform::LogindPower power;
        if (kind == 0)
            power.exitWindowsEx(argument, 0);
        else
            power.setSystemPowerState(argument == 1, true);
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
        platform::LogindPower power;
        power.exitWindowsEx(core::EWX_LOGOFF | core::EWX_FORCE, 0);
        Call call = waitForOneCall();
        QCOMPARE(call.method, QStringLiteral("TerminateSession"));
        QCOMPARE(call.arguments.value(0).toString(), QString());
    }

    void suspendEntryMapsByMeaning() {
        platform::LogindPower power;
        power.setSuspendState(true, false, false);
        QCOMPARE(waitForOneCall().method, QStringLiteral("Hibernate"));
    }

    void theSystemIsNotWindows() {
        platform::LogindPower power;
        core::OsVersion version{};
        QVERIFY(!power.getVersionEx(version));
        QVERIFY(!power.openProcessToken(core::kTokenAdjustAndQuery));
        QVERIFY(!power.lookupPrivilegeValue("SeShutdownPrivilege"));
        QVERIFY(power.commandInterpreter().empty());
    }

    // Last: the mock's Hibernate fails from here on.
    void aRefusalIsToldWithLogindsReason() {
        QDBusMessage refuse = mockCall("AddMethod");
        refuse.setArguments({"org.freedesktop.login1.Manager", "Hibernate", "b", "",
                             "raise dbus.exceptions.DBusException('no swap', "
                             "name='org.freedesktop.DBus.Error.AccessDenied')"});
        QVERIFY(QDBusConnection::systemBus().call(refuse).type() != QDBusMessage::ErrorMessage);
        platform::LogindPower power;
        QStringList reasons;
        power.setRefusalHandler(
            [&](const std::string& reason) { reasons << QString::fromStdString(reason); });
        power.setSuspendState(true, false, false);
        QTRY_COMPARE(reasons, QStringList{QStringLiteral("no swap")});
    }
};

QTEST_GUILESS_MAIN(LogindPowerTest)
#include "LogindPowerTest.moc"
