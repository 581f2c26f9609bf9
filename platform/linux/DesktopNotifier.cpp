#include "DesktopNotifier.h"

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

// Errors that say no service took the call, as opposed to one that answered with a refusal.
bool unanswered(const QDBusError& error) {
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::Disconnected:
        return true;
    default:
        return error.name().startsWith(QStringLiteral("org.freedesktop.DBus.Error.Spawn"));
    }
}

} // namespace

DesktopNotifier::DesktopNotifier(QObject* parent)
    : QObject(parent),
      watcher_(new QDBusServiceWatcher(kService, QDBusConnection::sessionBus(),
                                       QDBusServiceWatcher::WatchForRegistration, this)) {
    QDBusConnection::sessionBus().connect(kService, kPath, kService,
                                          QStringLiteral("ActionInvoked"), this,
                                          SLOT(actionInvoked(uint, QString)));
    connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this,
            &DesktopNotifier::serviceAppeared);
}

void DesktopNotifier::show(const QString& summary, const QString& body) {
    send({summary, body}, true);
}

void DesktopNotifier::send(const Texts& texts, bool firstTry) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QStringLiteral("Brindlewhistmoore") << 0u << QStringLiteral("brindlewhistmoore")
         << texts.first << texts.second << QStringList{kDefaultAction, QStringLiteral("予約設定")}
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("brindlewhistmoore")}}
         << -1;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, texts, firstTry](QDBusPendingCallWatcher* finished) {
                QDBusPendingReply<uint> reply = *finished;
                finished->deleteLater();
                if (!reply.isError()) {
                    shown_.insert(reply.value());
                    return;
                }
                if (!firstTry || !unanswered(reply.error()))
                    return;
                waiting_.push_back(texts);
                // It may have come up while the call failed.
                const auto registered =
                    QDBusConnection::sessionBus().interface()->isServiceRegistered(kService);
                if (registered.isValid() && registered.value())
                    serviceAppeared();
            });
}

void DesktopNotifier::serviceAppeared() {
    std::vector<Texts> waiting;
    waiting.swap(waiting_);
    for (const Texts& texts : waiting)
        send(texts, false);
}

void DesktopNotifier::actionInvoked(uint id, const QString& action) {
    if (action == kDefaultAction && shown_.contains(id))
        emit clicked();
}

} // namespace platform
