#include "SessionIdleTime.h"

#include "core/lang/Catalogue.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace platform {

namespace {

using std::chrono::milliseconds;

// A session call answers at once or not at all: the watch reads every few seconds.
constexpr int kReplyTimeoutMs = 1000;

std::optional<QVariant> property(const QDBusConnection& bus, const QString& service,
                                 const QString& path, const QString& interface,
                                 const QString& name) {
    auto call = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << interface << name;
    const QDBusReply<QDBusVariant> reply = bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (!reply.isValid())
        return std::nullopt;
    return reply.value().variant();
}

} // namespace

struct SessionIdleTime::X11Connection {
    std::unique_ptr<Display, decltype(&XCloseDisplay)> display{XOpenDisplay(nullptr),
                                                               &XCloseDisplay};
};

SessionIdleTime::SessionIdleTime(LogindBus& logind) : logind_(logind) {}

SessionIdleTime::~SessionIdleTime() = default;

std::variant<milliseconds, std::string> SessionIdleTime::idleTime() {
    // Under Wayland the X server sees only its own clients' input.
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    auto idle = wayland ? fromMutter() : fromX11();
    if (!idle)
        idle = fromLogind();
    if (idle)
        return *idle;
    return core::tr(core::msg("このセッションは、操作のない時間を教えません。"));
}

std::optional<milliseconds> SessionIdleTime::fromX11() {
    if (!x11_)
        x11_ = std::make_unique<X11Connection>();
    Display* display = x11_->display.get();
    // No X server now: looked for again at the next reading.
    if (display == nullptr) {
        x11_.reset();
        return std::nullopt;
    }
    int event = 0;
    int error = 0;
    if (XScreenSaverQueryExtension(display, &event, &error) == 0)
        return std::nullopt;
    const std::unique_ptr<XScreenSaverInfo, decltype(&XFree)> info(XScreenSaverAllocInfo(), &XFree);
    if (!info || XScreenSaverQueryInfo(display, DefaultRootWindow(display), info.get()) == 0)
        return std::nullopt;
    return milliseconds(info->idle);
}

std::optional<milliseconds> SessionIdleTime::fromMutter() {
    const auto call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Mutter.IdleMonitor"),
        QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
        QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
    const QDBusReply<qulonglong> reply =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kReplyTimeoutMs);
    if (!reply.isValid())
        return std::nullopt;
    return milliseconds(reply.value());
}

std::optional<milliseconds> SessionIdleTime::fromLogind() {
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (session.isEmpty())
        return std::nullopt;
    const QDBusConnection bus = logind_.connection();
    auto call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSession"));
    call << session;
    const QDBusReply<QDBusObjectPath> path = bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (!path.isValid())
        return std::nullopt;
    const QString service = QStringLiteral("org.freedesktop.login1");
    const QString interface = QStringLiteral("org.freedesktop.login1.Session");
    const auto hint =
        property(bus, service, path.value().path(), interface, QStringLiteral("IdleHint"));
    const auto sinceHint = property(bus, service, path.value().path(), interface,
                                    QStringLiteral("IdleSinceHintMonotonic"));
    if (!hint || !sinceHint)
        return std::nullopt;
    if (!hint->toBool())
        return milliseconds(0);
    // Both on CLOCK_MONOTONIC.
    const std::chrono::microseconds now = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    const std::chrono::microseconds since(sinceHint->toLongLong());
    return now > since ? std::chrono::duration_cast<milliseconds>(now - since) : milliseconds(0);
}

} // namespace platform
