#include "LogindPower.h"

#include "X11DisplayPower.h"
#include "core/lang/Catalogue.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusVariant>
#include <QTimer>
#include <cstdio>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
// A locker takes the screen within this long of logind's word.
constexpr int kLockSettlesMs = 3000;
// The look afterwards blocks the loop: logind answers a property at once or not at all.
constexpr int kLookTimeoutMs = 1000;

void report(const QString& method, const QString& why) {
    std::fprintf(stderr, "Brindlewhistmoore: logind %s: %s\n", method.toUtf8().constData(),
                 why.toUtf8().constData());
}

} // namespace

LogindPower::LogindPower(LogindBus& bus, int replyTimeoutMs, QObject* parent)
    : QObject(parent), bus_(bus), replyTimeoutMs_(replyTimeoutMs) {
    connect(&bus_, &LogindBus::reconnected, this, &LogindPower::subscribe);
    subscribe();
}

void LogindPower::subscribe() {
    bus_.connection().connect(kService, kManagerPath, kManager,
                              QStringLiteral("PrepareForShutdown"), this,
                              SLOT(prepareForShutdown(bool)));
}

void LogindPower::prepareForShutdown(bool starting) {
    if (!starting)
        emit shutdownCalledOff();
}

void LogindPower::prepare() {}

std::optional<std::string> LogindPower::unavailable(core::PowerAction action) const {
    const core::ActionDescription* description = core::describe(action);
    if (description == nullptr)
        return std::nullopt;
    if (description->operation == core::PowerOperation::Lock &&
        !qEnvironmentVariableIsSet("XDG_SESSION_ID"))
        return core::tr(core::msg(
            "画面をロックできません: このプログラムはログインのセッションの外で動いています。"));
    if (description->operation == core::PowerOperation::DisplayOff)
        return x11DisplayPowerRefusal();
    return std::nullopt;
}

void LogindPower::request(core::PowerAction action) {
    const core::ActionDescription* description = core::describe(action);
    if (description == nullptr)
        return;
    switch (description->operation) {
    case core::PowerOperation::EndSession:
        return logOff();
    case core::PowerOperation::Restart:
        return callManager(QStringLiteral("Reboot"), {false});
    case core::PowerOperation::PowerOff:
        return callManager(QStringLiteral("PowerOff"), {false});
    case core::PowerOperation::Suspend:
        return callManager(QStringLiteral("Suspend"), {false});
    case core::PowerOperation::Hibernate:
        return callManager(QStringLiteral("Hibernate"), {false});
    case core::PowerOperation::Lock:
        // logind tells the session's screen locker; an empty id names the caller's session.
        return callManager(QStringLiteral("LockSession"), {qEnvironmentVariable("XDG_SESSION_ID")});
    case core::PowerOperation::DisplayOff:
        if (const auto why = turnX11DisplaysOff())
            return refused(*why);
        return accepted();
    }
}

void LogindPower::logOff() {
    // The user's own session; an empty id names the session of the calling process.
    callManager(QStringLiteral("TerminateSession"), {qEnvironmentVariable("XDG_SESSION_ID")});
}

void LogindPower::callManager(const QString& method, const QVariantList& arguments) {
    QDBusConnection bus = bus_.connectionNow();
    if (!bus.isConnected()) {
        report(method, QStringLiteral("no system bus"));
        refused(bus.lastError().message().toStdString());
        return;
    }
    QDBusMessage call = LogindBus::managerCall(method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, replyTimeoutMs_), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, method](QDBusPendingCallWatcher* w) {
                QDBusPendingReply<> reply = *w;
                w->deleteLater();
                if (!reply.isError()) {
                    accepted();
                    if (method == QStringLiteral("LockSession"))
                        QTimer::singleShot(kLockSettlesMs, this, &LogindPower::checkLocked);
                    return;
                }
                report(method, reply.error().message());
                if (reply.error().type() == QDBusError::NoReply ||
                    reply.error().type() == QDBusError::Timeout)
                    unanswered();
                else
                    refused(reply.error().message().toStdString());
            });
}

void LogindPower::checkLocked() {
    QDBusConnection bus = bus_.connection();
    auto find = QDBusMessage::createMethodCall(kService, kManagerPath, kManager,
                                               QStringLiteral("GetSession"));
    find << qEnvironmentVariable("XDG_SESSION_ID");
    const QDBusReply<QDBusObjectPath> session = bus.call(find, QDBus::Block, kLookTimeoutMs);
    if (!session.isValid())
        return;
    auto get = QDBusMessage::createMethodCall(kService, session.value().path(),
                                              QStringLiteral("org.freedesktop.DBus.Properties"),
                                              QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("LockedHint");
    const QDBusReply<QDBusVariant> locked = bus.call(get, QDBus::Block, kLookTimeoutMs);
    if (locked.isValid() && !locked.value().variant().toBool())
        refused(core::tr(
            core::msg("画面はロックされていません: ロックするプログラムが動いていないようです。")));
}

} // namespace platform
