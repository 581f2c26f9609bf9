#include "DesktopBusy.h"

#include "X11ErrorTrap.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <X11/Xlib.h>
#include <memory>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kReplyTimeoutMs = 1000;

// One property of the window as 32-bit items, or nothing.
std::vector<unsigned long> windowProperty(Display* display, Window window, const char* name) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 64, False,
                           AnyPropertyType, &actualType, &format, &count, &after, &data);
    const std::unique_ptr<unsigned char, decltype(&XFree)> owned(data, &XFree);
    if (status != Success || format != 32 || data == nullptr)
        return {};
    // Xlib hands 32-bit items as longs.
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    return {items, items + count};
}

// logind's inhibitor: what, who, why, mode, uid, pid.
struct Inhibitor {
    QString what;
    QString who;
    QString why;
    QString mode;
    uint uid = 0;
    uint pid = 0;
};

const QDBusArgument& operator>>(const QDBusArgument& argument, Inhibitor& inhibitor) {
    argument.beginStructure();
    argument >> inhibitor.what >> inhibitor.who >> inhibitor.why >> inhibitor.mode >>
        inhibitor.uid >> inhibitor.pid;
    argument.endStructure();
    return argument;
}

} // namespace

bool x11ActiveWindowFullScreen() {
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                                     &XCloseDisplay);
    if (!display)
        return false;
    const X11ErrorTrap trap;
    const auto active =
        windowProperty(display.get(), DefaultRootWindow(display.get()), "_NET_ACTIVE_WINDOW");
    if (active.empty() || active.front() == None)
        return false;
    const Atom fullScreen = XInternAtom(display.get(), "_NET_WM_STATE_FULLSCREEN", False);
    const auto states =
        windowProperty(display.get(), static_cast<Window>(active.front()), "_NET_WM_STATE");
    // A window gone since the manager named it is no full-screen window.
    if (trap.refused(display.get()))
        return false;
    for (const unsigned long state : states)
        if (state == fullScreen)
            return true;
    return false;
}

std::optional<core::Busy> DesktopBusy::busy() {
    if (!qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && x11ActiveWindowFullScreen())
        return core::Busy{core::BusyKind::FullScreen, {}};
    return blockingInhibitor();
}

std::optional<core::Busy> DesktopBusy::blockingInhibitor() {
    const auto call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors"));
    const QDBusMessage reply = logind_.connection().call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const auto list = qvariant_cast<QDBusArgument>(reply.arguments().constFirst());
    const auto own = static_cast<uint>(getpid());
    list.beginArray();
    while (!list.atEnd()) {
        Inhibitor inhibitor;
        list >> inhibitor;
        if (inhibitor.mode != QStringLiteral("block") || inhibitor.pid == own ||
            inhibitor.who == QStringLiteral("Brindlewhistmoore"))
            continue;
        for (const QString& what : inhibitor.what.split(u':'))
            if (what == QStringLiteral("idle") || what == QStringLiteral("sleep") ||
                what == QStringLiteral("shutdown")) {
                list.endArray();
                return core::Busy{core::BusyKind::Inhibited, inhibitor.who.toStdString()};
            }
    }
    list.endArray();
    return std::nullopt;
}

} // namespace platform
