#pragma once

#include "core/base/Clock.h"

#include <chrono>
#include <ctime>

namespace platform {

// Local wall-clock time of the zone the system is in now (TZ honoured). A change of zone while
// the program runs is seen within `zoneCheckInterval`.
class SystemClock : public core::Clock {
public:
    explicit SystemClock(std::chrono::milliseconds zoneCheckInterval = std::chrono::seconds(1))
        : zoneCheckInterval_(zoneCheckInterval) {}
    core::LocalTime now() const override;

private:
    // True when the zone was looked at afresh.
    bool followZoneChanges() const;

    std::chrono::milliseconds zoneCheckInterval_;
    mutable std::chrono::steady_clock::time_point lastZoneCheck_{};
    mutable bool zoneChecked_ = false;
    // The last second converted: a tick reads the clock once per row, mostly within one second.
    mutable std::time_t convertedSecond_ = -1;
    mutable core::LocalTime convertedLocal_{};
};

} // namespace platform
