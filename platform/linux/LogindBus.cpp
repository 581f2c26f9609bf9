#include "LogindBus.h"

namespace platform {

namespace {

const QString kName = QStringLiteral("Brindlewhistmoore system bus");

} // namespace

LogindBus::LogindBus(QObject* parent) : QObject(parent) {}

QDBusMessage LogindBus::managerCall(const QString& method) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), method);
    call.setInteractiveAuthorizationAllowed(false);
    return call;
}

QDBusMessage LogindBus::managerProperty(const QString& name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.login1.Manager") << name;
    return get;
}

LogindBus::~LogindBus() {
    QDBusConnection::disconnectFromBus(kName);
}

QDBusConnection LogindBus::connected(bool now) {
    QDBusConnection bus(kName);
    if (bus.isConnected())
        return bus;
    const auto time = core::RetryWait::Clock::now();
    if (!now && !retry_.due(time))
        return bus;
    QDBusConnection::disconnectFromBus(kName);
    bus = QDBusConnection::connectToBus(QDBusConnection::SystemBus, kName);
    if (!bus.isConnected()) {
        retry_.failed(time);
        return bus;
    }
    retry_.succeeded();
    const bool again = connectedBefore_;
    connectedBefore_ = true;
    if (again)
        emit reconnected();
    return bus;
}

} // namespace platform
