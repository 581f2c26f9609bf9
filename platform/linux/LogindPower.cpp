#include "LogindPower.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <cstdio>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

void report(const QString& method, const QString& why) {
    std::fprintf(stderr, "Brindlewhistmoore: logind %s: %s\n", method.toUtf8().constData(),
                 why.toUtf8().constData());
}

} // namespace

LogindPower::LogindPower(QObject* parent) : QObject(parent) {}

bool LogindPower::getVersionEx(core::OsVersion&) {
    return false;
}

std::optional<std::uintptr_t> LogindPower::openProcessToken(std::uint32_t) {
    return std::nullopt;
}

std::optional<std::uint64_t> LogindPower::lookupPrivilegeValue(std::string_view) {
    return std::nullopt;
}

void LogindPower::adjustTokenPrivileges(std::uintptr_t, const core::TokenPrivileges&) {}

void LogindPower::exitWindowsEx(std::uint32_t flags, std::uint32_t) {
    const std::uint32_t what = flags & ~core::EWX_FORCE;
    if (what == core::EWX_REBOOT)
        callManager(QStringLiteral("Reboot"), {false});
    else if (what == core::EWX_SHUTDOWN || what == core::EWX_POWEROFF)
        callManager(QStringLiteral("PowerOff"), {false});
    else if (what == core::EWX_LOGOFF)
        logOff();
    else
        report(QStringLiteral("request"), QStringLiteral("unknown flags %1").arg(flags));
}

void LogindPower::setSystemPowerState(bool suspend, bool) {
    callManager(suspend ? QStringLiteral("Suspend") : QStringLiteral("Hibernate"), {false});
}

void LogindPower::setSuspendState(bool hibernate, bool, bool) {
    setSystemPowerState(!hibernate, true);
}

void LogindPower::winExec(std::string_view commandLine, std::uint32_t) {
    report(QStringLiteral("request"),
           QStringLiteral("no command interpreter for \"%1\"")
               .arg(QString::fromUtf8(commandLine.data(),
                                      static_cast<qsizetype>(commandLine.size()))));
}

std::string LogindPower::commandInterpreter() {
    return {};
}

void LogindPower::logOff() {
    // The user's own session; an empty id names the session of the calling process.
    callManager(QStringLiteral("TerminateSession"), {qEnvironmentVariable("XDG_SESSION_ID")});
}

void LogindPower::callManager(const QString& method, const QVariantList& arguments) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        report(method, QStringLiteral("no system bus"));
        refused(bus.lastError().message().toStdString());
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
    call.setArguments(arguments);
    call.setInteractiveAuthorizationAllowed(false);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, method](QDBusPendingCallWatcher* w) {
                QDBusPendingReply<> reply = *w;
                w->deleteLater();
                if (reply.isError()) {
                    report(method, reply.error().message());
                    refused(reply.error().message().toStdString());
                }
            });
}

} // namespace platform
