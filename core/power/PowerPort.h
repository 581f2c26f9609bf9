#pragma once

#include "PowerAction.h"

#include <functional>
#include <optional>
#include <string>

namespace core {

// The system's side of the power actions: the program says what it wants, each system knows how.
class PowerPort {
public:
    virtual ~PowerPort() = default;
    // Readies the process for a request, where the system needs that (a privilege); a failure
    // ends the step silently, and the system may then refuse the request.
    virtual void prepare() = 0;
    // Asks for the action. Where the system suspends within the call, it returns after the
    // wake-up; None asks for nothing.
    virtual void request(PowerAction action) = 0;

    // Told when the system refuses a request, with its reason in the system's language (during
    // the call, or when an answer that comes later arrives), or with nothing when no answer came
    // in time: the request may still be carried out.
    using RefusalHandler = std::function<void(const std::optional<std::string>& reason)>;
    void setRefusalHandler(RefusalHandler handler) { refusalHandler_ = std::move(handler); }

protected:
    void refused(const std::string& reason) const {
        if (refusalHandler_)
            refusalHandler_(reason);
    }
    void unanswered() const {
        if (refusalHandler_)
            refusalHandler_(std::nullopt);
    }

private:
    RefusalHandler refusalHandler_;
};

} // namespace core
