#include "Countdown.h"

namespace core {

std::optional<CountdownTexts> countdownTexts(PowerAction pendingAction,
                                             std::string_view shutDownTime) {
    const ActionDescription* description = describe(pendingAction);
    if (description == nullptr)
        return std::nullopt;
    return CountdownTexts{countdownTitle(*description),
                          fill(tr(description->countdownMessage), {shutDownTime})};
}

std::string refusalMessage(PowerAction action, std::string_view reason) {
    return fill(tr("{0}できませんでした。"), {actionName(describe(action))}) + std::string(reason);
}

std::string unansweredMessage(PowerAction action) {
    return fill(tr("{0}の要求にまだ応答がありません。このあと実行されることがあります。"),
                {actionName(describe(action))});
}

std::string acceptedMessage(PowerAction action) {
    return fill(tr("{0}の要求が受け付けられました。"), {actionName(describe(action))});
}

bool advanceCountdown(SharedState& state) {
    ++state.CountdownTicks;
    // Read afresh every second; a length lowered meanwhile ends the count at once.
    if (state.CountdownTicks < state.countdownSeconds())
        return false;
    state.ExecutionPhase = Phase::Execute;
    return true;
}

} // namespace core
