#pragma once

#include "LogindBus.h"
#include "core/power/ShutdownSchedule.h"

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace platform {

// logind's scheduled shutdown as the program's announcement: a "dry" power-off or reboot, which
// `shutdown --show` and other tools see and `shutdown -c` withdraws, and which logind itself
// only lets pass. Looked at every two seconds while it is held, as logind does not say every
// change of it on the bus.
class LogindSchedule : public QObject, public core::ShutdownSchedule {
    Q_OBJECT
public:
    explicit LogindSchedule(LogindBus& bus, QObject* parent = nullptr);
    // The program's end withdraws what it still holds, waiting a moment for logind's word.
    ~LogindSchedule() override;
    LogindSchedule(const LogindSchedule&) = delete;
    LogindSchedule& operator=(const LogindSchedule&) = delete;

    void announce(Kind kind, std::chrono::seconds in) override;
    void withdraw() override;

private:
    struct Held {
        QString type;
        quint64 usec = 0;
        friend bool operator==(const Held&, const Held&) = default;
    };
    // What logind holds, from its answer to the property's read; nothing when it cannot be read.
    static std::optional<Held> held(const QDBusMessage& reply);
    void readThen(std::function<void(const std::optional<Held>&)> then);
    void look();
    void cancelIfHeld(const Held& ours);

    LogindBus& bus_;
    // What was last asked for, and what logind took of it.
    std::optional<Held> asked_;
    std::optional<Held> ours_;
    QTimer look_;
};

} // namespace platform
