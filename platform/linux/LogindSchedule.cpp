#include "LogindSchedule.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDateTime>

namespace platform {

namespace {

constexpr int kLookEveryMs = 2000;
constexpr int kReplyTimeoutMs = 1000;

} // namespace

LogindSchedule::LogindSchedule(LogindBus& bus, QObject* parent) : QObject(parent), bus_(bus) {
    look_.setInterval(kLookEveryMs);
    connect(&look_, &QTimer::timeout, this, &LogindSchedule::look);
}

LogindSchedule::~LogindSchedule() {
    if (!ours_)
        return;
    QDBusConnection bus = bus_.connection();
    if (held(bus.call(LogindBus::managerProperty(QStringLiteral("ScheduledShutdown")), QDBus::Block,
                      kReplyTimeoutMs)) == ours_)
        bus.call(LogindBus::managerCall(QStringLiteral("CancelScheduledShutdown")), QDBus::Block,
                 kReplyTimeoutMs);
}

void LogindSchedule::announce(Kind kind, std::chrono::seconds in) {
    const Held wanted{
        kind == Kind::PowerOff ? QStringLiteral("dry-poweroff") : QStringLiteral("dry-reboot"),
        static_cast<quint64>(QDateTime::currentMSecsSinceEpoch() + in.count() * 1000) * 1000};
    asked_ = wanted;
    QDBusConnection bus = bus_.connectionNow();
    QDBusMessage call = LogindBus::managerCall(QStringLiteral("ScheduleShutdown"));
    call << wanted.type << QVariant::fromValue(wanted.usec);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReplyTimeoutMs * 5), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, wanted](QDBusPendingCallWatcher* w) {
                QDBusPendingReply<> reply = *w;
                w->deleteLater();
                if (asked_ != wanted) {
                    // Withdrawn while logind had not answered yet.
                    if (!reply.isError())
                        cancelIfHeld(wanted);
                    return;
                }
                if (reply.isError())
                    return told({Event::Refused, reply.error().message().toStdString()});
                ours_ = wanted;
                look_.start();
            });
}

void LogindSchedule::withdraw() {
    look_.stop();
    asked_.reset();
    if (ours_)
        cancelIfHeld(*ours_);
    ours_.reset();
}

void LogindSchedule::cancelIfHeld(const Held& ours) {
    // Read first: one another program put in its place is not this program's to withdraw.
    readThen([this, ours](const std::optional<Held>& now) {
        if (now && *now == ours)
            bus_.connection().asyncCall(
                LogindBus::managerCall(QStringLiteral("CancelScheduledShutdown")), kReplyTimeoutMs);
    });
}

std::optional<LogindSchedule::Held> LogindSchedule::held(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const auto argument =
        reply.arguments().constFirst().value<QDBusVariant>().variant().value<QDBusArgument>();
    Held now;
    argument.beginStructure();
    argument >> now.type >> now.usec;
    argument.endStructure();
    return now;
}

void LogindSchedule::readThen(std::function<void(const std::optional<Held>&)> then) {
    auto* watcher = new QDBusPendingCallWatcher(
        bus_.connection().asyncCall(LogindBus::managerProperty(QStringLiteral("ScheduledShutdown")),
                                    kReplyTimeoutMs),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [then = std::move(then)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                then(held(w->reply()));
            });
}

void LogindSchedule::look() {
    readThen([this](const std::optional<Held>& now) {
        if (!now || !ours_ || *now == *ours_)
            return;
        look_.stop();
        ours_.reset();
        told({now->type.isEmpty() ? Event::Withdrawn : Event::Replaced, {}});
    });
}

} // namespace platform
