#include "TickSchedule.h"

#include "SchedulerTick.h"

namespace core {

TickPlan planNextTick(int timerIntervalMs, LocalTime now, TickMode mode) {
    using namespace std::chrono;
    if (timerIntervalMs != kScanIntervalMs)
        return {timerIntervalMs, {}};
    const bool halfSeconds = mode.windowShown || mode.cpuWatchActive || mode.fileUnscanned;
    const milliseconds step = halfSeconds ? milliseconds(kScanIntervalMs) : minutes(1);
    return {std::nullopt, now - now.time_since_epoch() % step + step};
}

} // namespace core
