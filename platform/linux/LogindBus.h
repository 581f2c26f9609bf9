#pragma once

#include "core/base/RetryWait.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

namespace platform {

// The system bus as the program speaks to logind on it: one connection, made afresh when it went
// away (the bus restarted, say), for the power requests, the idle lock and the resume signal
// alike. Nothing watches it: it is looked at when the program looks anyway, and after a failed
// try only ten minutes later, as each try wakes the bus's thread twice; a power request tries at
// once.
class LogindBus : public QObject {
    Q_OBJECT
public:
    explicit LogindBus(QObject* parent = nullptr);
    ~LogindBus() override;

    // The connection, connected afresh first when it went away and the wait is over.
    QDBusConnection connection() { return connected(false); }
    // The same, connected afresh at once whatever the wait: a power request does not wait.
    QDBusConnection connectionNow() { return connected(true); }

    // A call of logind's manager, which asks no password.
    static QDBusMessage managerCall(const QString& method);
    // The read of one of the manager's properties.
    static QDBusMessage managerProperty(const QString& name);

signals:
    // A fresh connection replaced one that went away: what was subscribed or held on the old one
    // is to be subscribed or taken again.
    void reconnected();

private:
    QDBusConnection connected(bool now);

    bool connectedBefore_ = false;
    core::RetryWait retry_{std::chrono::minutes(10)};
};

} // namespace platform
