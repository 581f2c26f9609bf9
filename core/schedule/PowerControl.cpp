#include "PowerControl.h"

#include "Countdown.h"
#include "SchedulerTick.h"

#include <algorithm>

namespace core {

PowerControl::PowerControl(PowerPort& port, SharedState& state, Prompter& prompter,
                           History& history, const Clock& clock,
                           std::function<void(int)> setMainTimerInterval)
    : port_(port), state_(state), prompter_(prompter), history_(history), clock_(clock),
      setMainTimerInterval_(std::move(setMainTimerInterval)) {
    port_.setAnswerHandler([this](const PowerAnswer& answer) { answered(answer); });
}

PowerControl::~PowerControl() {
    port_.setAnswerHandler(nullptr);
}

void PowerControl::answered(const PowerAnswer& answer) {
    const std::string message = answer.kind == PowerAnswer::Accepted ? acceptedMessage(requested_)
                                : answer.kind == PowerAnswer::Refused
                                    ? refusalMessage(requested_, answer.reason)
                                    : unansweredMessage(requested_);
    // A request repeated at every tick answers alike every time.
    if (std::find(recorded_.begin(), recorded_.end(), message) == recorded_.end()) {
        recorded_.push_back(message);
        history_.record(requestedAt_, history::kRequest, message);
    }
    // Marked before the box opens: the repeated request may come while it is open.
    if (answer.kind == PowerAnswer::Accepted || refusalShown_)
        return;
    refusalShown_ = true;
    prompter_.showError(message);
}

void PowerControl::EnableShutdownPrivilege() {
    port_.prepare();
}

void PowerControl::ExecutePowerAction() {
    const PowerAction action = state_.PendingAction;
    if (action == PowerAction::None)
        return;
    requested_ = action;
    requestedAt_ = clock_.now();
    // Watching again before the request: a refusal the request shows in a box at once leaves no
    // request under way while the box is open.
    if (returnsToWatching(action))
        ReturnToWatching();
    port_.request(action);
}

void PowerControl::ReturnToWatching() {
    state_.ExecutionPhase = Phase::Watching;
    state_.CpuWatchActive = false;
    state_.JobWatchActive = false;
    setMainTimerInterval_(kScanIntervalMs);
}

void PowerControl::requestNow(PowerAction action) {
    beginRequests();
    EnableShutdownPrivilege();
    state_.PendingAction = action;
    ExecutePowerAction();
}

} // namespace core
