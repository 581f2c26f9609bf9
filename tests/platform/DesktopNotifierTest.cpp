#include "platform/linux/DesktopNotifier.h"

#include "tests/support/FakeClock.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QTest>

using testing_support::at;

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

// The notification service as the test plays it, on its own connection to the private session
// bus: it records each notification's body, and answers or keeps silent.
class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit Notifications(const QString& connection)
        : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection)) {
        bus_.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                            QDBusConnection::ExportAllSlots);
    }
    void appear() { bus_.registerService(kService); }
    void leave() { bus_.unregisterService(kService); }

    QStringList bodies;
    bool answers = true;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString&, const QString& body,
                const QStringList&, const QVariantMap&, int, const QDBusMessage& message) {
        bodies << body;
        // A service held up: the call is never answered.
        if (!answers)
            message.setDelayedReply(true);
        return static_cast<uint>(bodies.size());
    }

private:
    QDBusConnection bus_;
};

} // namespace

class DesktopNotifierTest : public QObject {
    Q_OBJECT
private slots:
    void aNoticeThatTimedOutIsNotSentAgain() {
        Notifications service(QStringLiteral("held up"));
        service.answers = false;
        service.appear();
        testing_support::FakeClock clock(at(2026, 12, 7, 11, 55, 0, 0));
        platform::DesktopNotifier notifier(clock, 300);
        notifier.show({"電源断予告", "12:00 に電源断します。", at(2026, 12, 7, 12, 0, 0, 0)});
        QTest::qWait(1200);
        QCOMPARE(service.bodies, QStringList{QStringLiteral("12:00 に電源断します。")});
        service.leave();
    }

    void aNoticeWaitsForTheServiceUntilItsBookingComes() {
        Notifications service(QStringLiteral("late"));
        testing_support::FakeClock clock(at(2026, 12, 7, 11, 55, 0, 0));
        platform::DesktopNotifier notifier(clock, 300);
        notifier.show({"電源断予告", "12:00 に電源断します。", at(2026, 12, 7, 12, 0, 0, 0)});
        notifier.show({"再起動予告", "13:00 に再起動します。", at(2026, 12, 7, 13, 0, 0, 0)});
        notifier.show({"起動前に予約の時刻が過ぎました", "2026/12/07 9:00 ログオフ", std::nullopt});
        QTest::qWait(300);
        clock.set(at(2026, 12, 7, 12, 30, 0, 0));
        service.appear();
        QTRY_COMPARE(service.bodies.size(), 2);
        QTest::qWait(300);
        QCOMPARE(service.bodies, (QStringList{QStringLiteral("13:00 に再起動します。"),
                                              QStringLiteral("2026/12/07 9:00 ログオフ")}));
        service.leave();
    }
};

QTEST_GUILESS_MAIN(DesktopNotifierTest)
#include "DesktopNotifierTest.moc"
