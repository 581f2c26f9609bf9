#pragma once

#include "LogindBus.h"
#include "core/power/PowerPort.h"

#include <QObject>
#include <QString>
#include <QVariantList>

namespace platform {

// Power requests carried out through systemd-logind on the system bus. Forced variants make the
// same call; logind asks polkit whether inhibitors may be overridden. No privilege is prepared:
// logind decides by polkit.
class LogindPower : public QObject, public core::PowerPort {
    Q_OBJECT
public:
    // A request unanswered after `replyTimeoutMs` is said as such, not as a refusal.
    explicit LogindPower(LogindBus& bus, int replyTimeoutMs = 25000, QObject* parent = nullptr);

    void prepare() override;
    void request(core::PowerAction action) override;
    // The lock needs this login session's id; the displays' power an X11 server with DPMS.
    std::optional<std::string> unavailable(core::PowerAction action) const override;

signals:
    // logind called a shutdown or reboot off after announcing it.
    void shutdownCalledOff();

private slots:
    void prepareForShutdown(bool starting);

private:
    void subscribe();
    void logOff();
    // Sent without waiting: an error that arrives later is reported as a refusal.
    void callManager(const QString& method, const QVariantList& arguments);
    // logind only tells the session's locker: a session that keeps LockedHint and still says
    // false a moment after the lock was accepted had no locker, which is said as a refusal.
    void checkLocked();

    LogindBus& bus_;
    int replyTimeoutMs_;
};

} // namespace platform
