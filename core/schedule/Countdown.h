#pragma once

#include "SharedState.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

struct CountdownTexts {
    std::string title;
    std::string message;
};

// The dialog's title and message for the action, or nothing for no action. The message starts
// with the setting's text as stored ("030" stays "030").
std::optional<CountdownTexts> countdownTexts(PowerAction pendingAction,
                                             std::string_view shutDownTime);

// "<action>できませんでした。<reason>", the action named as in the countdown's title.
std::string refusalMessage(PowerAction action, std::string_view reason);
// The system has not answered the request in time; it may still carry it out.
std::string unansweredMessage(PowerAction action);
std::string acceptedMessage(PowerAction action);

// One second of the countdown. True on the second that completes it (the count reaching or
// passing the configured length); ExecutionPhase is then "2".
bool advanceCountdown(SharedState& state);

} // namespace core
