#include "PowerControl.h"

#include "Countdown.h"
#include "SchedulerTick.h"

namespace core {

PowerControl::PowerControl(PowerPort& port, SharedState& state, Prompter& prompter,
                           std::function<void(int)> setMainTimerInterval)
    : port_(port), state_(state), prompter_(prompter),
      setMainTimerInterval_(std::move(setMainTimerInterval)) {
    port_.setRefusalHandler(
        [this](const std::optional<std::string>& reason) { showRefusal(reason); });
}

PowerControl::~PowerControl() {
    port_.setRefusalHandler(nullptr);
}

void PowerControl::showRefusal(const std::optional<std::string>& reason) {
    // Marked before the box opens: the repeated request may come while it is open.
    if (refusalShown_)
        return;
    refusalShown_ = true;
    prompter_.showError(reason ? refusalMessage(requested_, *reason)
                               : unansweredMessage(requested_));
}

void PowerControl::EnableShutdownPrivilege() {
    port_.prepare();
}

void PowerControl::ExecutePowerAction() {
    const PowerAction action = state_.PendingAction;
    if (action == PowerAction::None)
        return;
    requested_ = action;
    port_.request(action);
    if (returnsToWatching(action))
        ReturnToWatching();
}

void PowerControl::ReturnToWatching() {
    state_.ExecutionPhase = Phase::Watching;
    state_.CpuWatchActive = false;
    setMainTimerInterval_(kScanIntervalMs);
}

void PowerControl::requestNow(PowerAction action) {
    beginRequests();
    EnableShutdownPrivilege();
    state_.PendingAction = action;
    ExecutePowerAction();
}

} // namespace core
