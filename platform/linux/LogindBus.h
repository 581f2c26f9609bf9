#pragma once

#include <QDBusConnection>
#include <QObject>

namespace platform {

// The system bus as the program speaks to logind on it: one connection, made afresh when it went
// away (the bus restarted, say), for the power requests, the idle lock and the resume signal
// alike. Nothing watches it: it is looked at when the program looks anyway.
class LogindBus : public QObject {
    Q_OBJECT
public:
    explicit LogindBus(QObject* parent = nullptr);
    ~LogindBus() override;

    // The connection, connected afresh first when it went away.
    QDBusConnection connection();

signals:
    // A fresh connection replaced one that went away: what was subscribed or held on the old one
    // is to be subscribed or taken again.
    void reconnected();

private:
    bool connectedBefore_ = false;
};

} // namespace platform
