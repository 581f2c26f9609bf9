#include "Countdown.h"

namespace core {

std::optional<CountdownTexts> countdownTexts(PowerAction pendingAction,
                                             std::string_view shutDownTime) {
    const ActionDescription* description = describe(pendingAction);
    if (description == nullptr)
        return std::nullopt;
    return CountdownTexts{countdownTitle(*description),
                          std::string(shutDownTime) + std::string(description->countdownSuffix)};
}

namespace {

std::string nameOf(PowerAction action) {
    const ActionDescription* description = describe(action);
    return std::string(description != nullptr ? description->name : "");
}

} // namespace

std::string refusalMessage(PowerAction action, std::string_view reason) {
    return nameOf(action) + "できませんでした。" + std::string(reason);
}

std::string unansweredMessage(PowerAction action) {
    return nameOf(action) + "の要求にまだ応答がありません。このあと実行されることがあります。";
}

std::string acceptedMessage(PowerAction action) {
    return nameOf(action) + "の要求が受け付けられました。";
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
