#include "LogindBus.h"

namespace platform {

namespace {

const QString kName = QStringLiteral("Brindlewhistmoore system bus");

} // namespace

LogindBus::LogindBus(QObject* parent) : QObject(parent) {}

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
