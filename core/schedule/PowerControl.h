#pragma once

#include "SharedState.h"
#include "core/base/Clock.h"
#include "core/base/Prompter.h"
#include "core/files/History.h"
#include "core/power/PowerPort.h"

#include <functional>
#include <vector>

namespace core {

// Turns PendingAction into a request to the system.
class PowerControl {
public:
    // `setMainTimerInterval` puts the scheduler's timer back to its ordinary tick. A refusal of
    // the system is shown through the prompter; every answer goes into the history.
    PowerControl(PowerPort& port, SharedState& state, Prompter& prompter, History& history,
                 const Clock& clock, std::function<void(int)> setMainTimerInterval);
    ~PowerControl();
    PowerControl(const PowerControl&) = delete;
    PowerControl& operator=(const PowerControl&) = delete;

    // A countdown or a tray command begins: its first refusal is shown, the repeats that follow
    // it are not; the history has each answer once.
    void beginRequests() {
        refusalShown_ = false;
        recorded_.clear();
    }

    void EnableShutdownPrivilege();
    // Standby and hibernate return to watching once asked for; None asks for nothing.
    void ExecutePowerAction();
    void ReturnToWatching();
    // A tray command: the action asked for at once, its refusal shown.
    void requestNow(PowerAction action);

private:
    void answered(const PowerAnswer& answer);

    PowerPort& port_;
    SharedState& state_;
    Prompter& prompter_;
    History& history_;
    const Clock& clock_;
    PowerAction requested_ = PowerAction::None;
    // The history's line of an answer bears the moment of its request, which a suspend the
    // system carries out within the call lies hours before.
    LocalTime requestedAt_{};
    bool refusalShown_ = false;
    // The history's lines of this series.
    std::vector<std::string> recorded_;
    std::function<void(int)> setMainTimerInterval_;
};

} // namespace core
