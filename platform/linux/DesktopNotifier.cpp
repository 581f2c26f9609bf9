#include "DesktopNotifier.h"

#include "core/forms/FormDesign.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDefaultAction = QStringLiteral("default");

// Errors that say no service took the call. A call that timed out was taken by one, which may
// have shown it.
bool noService(const QDBusError& error) {
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::Disconnected:
        return true;
    default:
        return error.name().startsWith(QStringLiteral("org.freedesktop.DBus.Error.Spawn"));
    }
}

} // namespace

DesktopNotifier::DesktopNotifier(const core::Clock& clock, int replyTimeoutMs, QObject* parent)
    : QObject(parent), clock_(clock), replyTimeoutMs_(replyTimeoutMs),
      watcher_(new QDBusServiceWatcher(kService, QDBusConnection::sessionBus(),
                                       QDBusServiceWatcher::WatchForRegistration, this)) {
    QDBusConnection::sessionBus().connect(kService, kPath, kService,
                                          QStringLiteral("ActionInvoked"), this,
                                          SLOT(actionInvoked(uint, QString)));
    connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this,
            &DesktopNotifier::serviceAppeared);
}

void DesktopNotifier::show(const core::Notice& notice) {
    send(notice, true);
}

void DesktopNotifier::send(const core::Notice& notice, bool firstTry) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QStringLiteral("Brindlewhistmoore") << 0u << QStringLiteral("brindlewhistmoore")
         << QString::fromStdString(notice.summary) << QString::fromStdString(notice.body)
         << QStringList{kDefaultAction, QString::fromStdString(core::tr(core::design::form1::N1))}
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("brindlewhistmoore")}}
         << -1;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call, replyTimeoutMs_), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, notice, firstTry](QDBusPendingCallWatcher* finished) {
                QDBusPendingReply<uint> reply = *finished;
                finished->deleteLater();
                if (!reply.isError()) {
                    shown_.insert(reply.value());
                    return;
                }
                if (!firstTry || !noService(reply.error()))
                    return;
                waiting_.push_back(notice);
                // It may have come up while the call failed.
                const auto registered =
                    QDBusConnection::sessionBus().interface()->isServiceRegistered(kService);
                if (registered.isValid() && registered.value())
                    serviceAppeared();
            });
}

void DesktopNotifier::serviceAppeared() {
    std::vector<core::Notice> waiting;
    waiting.swap(waiting_);
    const core::LocalTime now = clock_.now();
    for (const core::Notice& notice : waiting) {
        if (!notice.dueBy || now < *notice.dueBy)
            send(notice, false);
    }
}

void DesktopNotifier::actionInvoked(uint id, const QString& action) {
    if (action == kDefaultAction && shown_.contains(id))
        emit clicked();
}

} // namespace platform
