#pragma once

#include "core/base/SystemLog.h"

#include <optional>
#include <string_view>

namespace core {

// Each kind of history event with its ids in the system's log and its priority.
struct LogEvent {
    std::string_view event; // as the history names it, in the source language
    std::string_view messageId;
    int eventId;
    int priority;
};

// The history's event as the system's log files it; nothing for an event it does not know.
std::optional<LogEvent> logEventOf(std::string_view event);

} // namespace core
