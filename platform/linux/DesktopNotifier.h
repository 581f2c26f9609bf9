#pragma once

#include "core/base/Clock.h"
#include "core/schedule/BookingNotices.h"

#include <QObject>
#include <QSet>
#include <vector>

class QDBusServiceWatcher;

namespace platform {

// Desktop notifications through org.freedesktop.Notifications on the session bus, which needs no
// tray. Each carries a "default" action: activating it emits clicked(). A call that found no
// service is sent once more when the name appears on the bus, unless the booking it tells of has
// come by then; one that a service took but did not answer in time may have been shown, and is
// not sent again.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    // A call unanswered after `replyTimeoutMs` is taken as possibly shown.
    explicit DesktopNotifier(const core::Clock& clock, int replyTimeoutMs = -1,
                             QObject* parent = nullptr);

    void show(const core::Notice& notice);

signals:
    void clicked();

private slots:
    void actionInvoked(uint id, const QString& action);

private:
    void send(const core::Notice& notice, bool firstTry);
    void serviceAppeared();

    const core::Clock& clock_;
    int replyTimeoutMs_;
    QSet<uint> shown_;
    std::vector<core::Notice> waiting_;
    QDBusServiceWatcher* watcher_;
};

} // namespace platform
