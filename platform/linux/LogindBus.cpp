#include "LogindBus.h"

namespace platform {

namespace {

const QString kName = QStringLiteral("Brindlewhistmoore system bus");

} // namespace

LogindBus::LogindBus(QObject* parent) : QObject(parent) {}

LogindBus::~LogindBus() {
    QDBusConnection::disconnectFromBus(kName);
}

QDBusConnection LogindBus::connection() {
    QDBusConnection bus(kName);
    if (bus.isConnected())
        return bus;
    QDBusConnection::disconnectFromBus(kName);
    bus = QDBusConnection::connectToBus(QDBusConnection::SystemBus, kName);
    if (!bus.isConnected())
        return bus;
    const bool again = connectedBefore_;
    connectedBefore_ = true;
    if (again)
        emit reconnected();
    return bus;
}

} // namespace platform
