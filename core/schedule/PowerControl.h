#pragma once

#include "SharedState.h"
#include "core/base/Prompter.h"
#include "core/power/PowerPort.h"

#include <functional>

namespace core {

// Turns PendingAction into a request to the system.
class PowerControl {
public:
    // `setMainTimerInterval` puts the scheduler's timer back to its ordinary tick. A refusal of
    // the system is shown through the prompter.
    PowerControl(PowerPort& port, SharedState& state, Prompter& prompter,
                 std::function<void(int)> setMainTimerInterval);
    ~PowerControl();
    PowerControl(const PowerControl&) = delete;
    PowerControl& operator=(const PowerControl&) = delete;

    // A countdown or a tray command begins: its first refusal is shown, the repeats that follow
    // it are not.
    void beginRequests() { refusalShown_ = false; }

    void EnableShutdownPrivilege();
    // Standby and hibernate return to watching once asked for; None asks for nothing.
    void ExecutePowerAction();
    void ReturnToWatching();
    // A tray command: the action asked for at once, its refusal shown.
    void requestNow(PowerAction action);

private:
    void showRefusal(const std::optional<std::string>& reason);

    PowerPort& port_;
    SharedState& state_;
    Prompter& prompter_;
    PowerAction requested_ = PowerAction::None;
    bool refusalShown_ = false;
    std::function<void(int)> setMainTimerInterval_;
};

} // namespace core
