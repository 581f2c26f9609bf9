#pragma once

#include "LocalTime.h"

#include <optional>

namespace core {

// Keeps the system out of its idle sleep while held. It does not hold back a standby or
// hibernation the program asks for itself.
class IdleSleepBlock {
public:
    virtual ~IdleSleepBlock() = default;
    virtual void hold() = 0;
    // Releasing what is not held does nothing.
    virtual void release() = 0;
};

// A timer that wakes the machine from sleep at a moment of the wall clock; it only wakes it.
class WakeTimer {
public:
    virtual ~WakeTimer() = default;
    // Each call replaces the moment set before; nothing cancels it.
    virtual void wakeAt(std::optional<LocalTime> moment) = 0;
};

} // namespace core
