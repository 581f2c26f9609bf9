#pragma once

#include "PowerAction.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace core {

// The system's own record of a power-off or reboot to come, which other tools show and may
// withdraw. Announced only: the system is not to carry it out itself, the program still asks for
// the action when its count ends.
class ShutdownSchedule {
public:
    enum class Kind { PowerOff, Reboot };
    // What the system said of the announcement, now or later.
    struct Event {
        enum Type {
            // It was not taken, for the reason.
            Refused,
            // Another program withdrew it.
            Withdrawn,
            // Another program put one of its own in its place, which is not this program's.
            Replaced,
        };
        Type type = Refused;
        std::string reason;
    };
    using EventHandler = std::function<void(const Event& event)>;

    virtual ~ShutdownSchedule() = default;
    // The action is to come `in` from now.
    virtual void announce(Kind kind, std::chrono::seconds in) = 0;
    // Withdraws this program's announcement; one that was replaced is left alone.
    virtual void withdraw() = 0;

    void setEventHandler(EventHandler handler) { handler_ = std::move(handler); }

protected:
    void told(const Event& event) const {
        if (handler_)
            handler_(event);
    }

private:
    EventHandler handler_;
};

// The kind an action is announced as; nothing for the actions the system's schedule has no
// word for (standby, hibernation, log-off, the screen's).
inline std::optional<ShutdownSchedule::Kind> scheduledAs(PowerAction action) {
    const ActionDescription* described = describe(action);
    if (described == nullptr)
        return std::nullopt;
    switch (described->operation) {
    case PowerOperation::PowerOff:
        return ShutdownSchedule::Kind::PowerOff;
    case PowerOperation::Restart:
        return ShutdownSchedule::Kind::Reboot;
    default:
        return std::nullopt;
    }
}

} // namespace core
