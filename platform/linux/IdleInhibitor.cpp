#include "IdleInhibitor.h"

#include "core/lang/Catalogue.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <unistd.h>

namespace platform {

namespace {

const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kWho = QStringLiteral("Brindlewhistmoore");
constexpr std::string_view kWhy = core::msg("電源予約のカウントダウン中");

} // namespace

IdleInhibitor::IdleInhibitor(LogindBus& bus, QObject* parent) : QObject(parent), bus_(bus) {
    connect(&bus_, &LogindBus::reconnected, this, [this] {
        // The lock of the bus that went away went with it.
        if (!held_)
            return;
        closeLock();
        takeLock(generation_);
    });
}

IdleInhibitor::~IdleInhibitor() {
    release();
}

void IdleInhibitor::hold() {
    if (held_)
        return;
    held_ = true;
    const unsigned generation = ++generation_;
    takeLock(generation);

    QDBusMessage screenSaver =
        QDBusMessage::createMethodCall(kScreenSaver, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                       kScreenSaver, QStringLiteral("Inhibit"));
    screenSaver << kWho << QString::fromStdString(core::tr(kWhy));
    auto* cookie =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(screenSaver), this);
    connect(cookie, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* finished) {
                QDBusPendingReply<uint> reply = *finished;
                finished->deleteLater();
                // A desktop without the service answers with an error: nothing to hold there.
                if (reply.isError())
                    return;
                screenSaverCookie_ = reply.value();
                if (!held_ || generation != generation_)
                    uninhibitScreenSaver();
            });
}

void IdleInhibitor::takeLock(unsigned generation) {
    QDBusMessage inhibit = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("idle") << kWho << QString::fromStdString(core::tr(kWhy))
            << QStringLiteral("block");
    auto* lock = new QDBusPendingCallWatcher(bus_.connection().asyncCall(inhibit), this);
    connect(lock, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* finished) {
                QDBusPendingReply<QDBusUnixFileDescriptor> reply = *finished;
                finished->deleteLater();
                if (reply.isError() || !reply.value().isValid())
                    return;
                // The descriptor of the reply closes with it: the lock is held by a copy.
                const int fd = ::dup(reply.value().fileDescriptor());
                if (held_ && generation == generation_ && lockFd_ < 0)
                    lockFd_ = fd;
                else if (fd >= 0)
                    ::close(fd);
            });
}

void IdleInhibitor::release() {
    if (!held_)
        return;
    held_ = false;
    closeLock();
    uninhibitScreenSaver();
}

void IdleInhibitor::closeLock() {
    if (lockFd_ >= 0)
        ::close(lockFd_);
    lockFd_ = -1;
}

void IdleInhibitor::uninhibitScreenSaver() {
    if (!screenSaverCookie_)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kScreenSaver, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                       kScreenSaver, QStringLiteral("UnInhibit"));
    call << *screenSaverCookie_;
    QDBusConnection::sessionBus().send(call);
    screenSaverCookie_.reset();
}

} // namespace platform
