#pragma once

#include "core/power/PowerPort.h"
#include "core/power/ShutdownSchedule.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Records what the program asks of the system, by the actions' keys, and accepts each request
// unless told to refuse it or to stay silent.
class FakePowerPort : public core::PowerPort {
public:
    void prepare() override { calls.emplace_back("prepare"); }
    void request(core::PowerAction action) override {
        const core::ActionDescription* description = core::describe(action);
        calls.push_back("request " + std::string(description ? description->key : "none"));
        if (whileAsked)
            whileAsked();
        if (refusal)
            refused(*refusal);
        else if (silent)
            unanswered();
        else if (description != nullptr)
            accepted();
    }

    std::optional<std::string> unavailable(core::PowerAction action) const override {
        if (action == unavailableAction)
            return "no way here";
        return std::nullopt;
    }

    std::vector<std::string> calls;
    // The one action the session offers no way to carry out.
    core::PowerAction unavailableAction = core::PowerAction::None;
    // The reason every request is refused with, when set.
    std::optional<std::string> refusal;
    bool silent = false;
    // What passes during the call: a suspend the system carries out within it.
    std::function<void()> whileAsked;
};

// Records the announcements, as "announce poweroff 15" and "withdraw"; `tell` is the system's word.
class FakeShutdownSchedule : public core::ShutdownSchedule {
public:
    void announce(Kind kind, std::chrono::seconds in) override {
        calls.push_back(std::string("announce ") +
                        (kind == Kind::PowerOff ? "poweroff " : "reboot ") +
                        std::to_string(in.count()));
    }
    void withdraw() override { calls.emplace_back("withdraw"); }
    void tell(Event::Type type, std::string reason = {}) { told({type, std::move(reason)}); }

    std::vector<std::string> calls;
};

} // namespace testing_support
