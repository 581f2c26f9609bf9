#pragma once

#include "Bookings.h"
#include "SessionServices.h"
#include "core/files/History.h"

#include <optional>
#include <string>

namespace core {

// The command run when a countdown has run out, before the action is asked for: the
// administrator's where the policy gives one, else the user's where the policy allows it. Its
// end, status, time and last line of output go into the history; a command still running when
// its seconds are up is ended with every process it started. Where the user asked for it, a
// failure calls the action off, but never the administrator's countdown that may not be
// cancelled by the user's own command.
class PreActionStep {
public:
    PreActionStep(const SessionServices& services, History& history, Bookings& bookings)
        : services_(services), history_(history), bookings_(bookings) {}

    // Starts the command for PendingAction; false when there is none to run.
    bool begin();
    bool running() const { return startedAt_.has_value(); }
    // Looked at each second while it runs: what the countdown says meanwhile, or nothing once
    // it has ended or its time is up (and callsOff() says whether the action is called off).
    std::optional<std::string> step();
    // Ends a command still running (a cancel, a postponement), said in the history.
    void stop();
    bool callsOff() const { return callsOff_; }

private:
    // The command line in force, or nothing.
    std::optional<std::string> commandLine();
    // The command failed for `why`: said, and the action called off where that was asked.
    void failed(const std::string& why);
    void record(const std::string& details);
    std::string took() const;

    const SessionServices& services_;
    History& history_;
    Bookings& bookings_;
    std::optional<LocalTime> startedAt_;
    bool userCommand_ = false;
    bool callsOff_ = false;
};

} // namespace core
