#pragma once

#include "PowerAction.h"

#include <functional>
#include <optional>
#include <string>

namespace core {

// What the system said to a request.
struct PowerAnswer {
    enum Kind {
        Accepted,
        Refused,
        // No answer came in time: the request may still be carried out.
        Unanswered,
    };
    Kind kind = Accepted;
    // Why it was refused.
    std::string reason;
};

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
    // Why this session cannot carry out the action, where that is known before asking (no way to
    // turn its displays off, say); nothing where it can.
    virtual std::optional<std::string> unavailable(PowerAction action) const = 0;

    // Told how the system answered a request: during the call, or when an answer that comes
    // later arrives.
    using AnswerHandler = std::function<void(const PowerAnswer& answer)>;
    void setAnswerHandler(AnswerHandler handler) { answerHandler_ = std::move(handler); }

protected:
    void accepted() const { answer({PowerAnswer::Accepted, {}}); }
    // With the system's reason, in the system's language.
    void refused(const std::string& reason) const { answer({PowerAnswer::Refused, reason}); }
    void unanswered() const { answer({PowerAnswer::Unanswered, {}}); }

private:
    void answer(const PowerAnswer& given) const {
        if (answerHandler_)
            answerHandler_(given);
    }

    AnswerHandler answerHandler_;
};

} // namespace core
