#include "TickSchedule.h"

#include "SchedulerTick.h"
#include "core/net/QuietNetwork.h"

namespace core {

TickPlan planNextTick(int timerIntervalMs, LocalTime now, TickMode mode) {
    using namespace std::chrono;
    if (timerIntervalMs != kScanIntervalMs)
        return {timerIntervalMs, {}};
    const bool halfSeconds = mode.windowShown || mode.cpuWatchActive || mode.lookOwed;
    const milliseconds step = halfSeconds ? milliseconds(kScanIntervalMs)
                              : mode.watchSampling
                                  ? duration_cast<milliseconds>(kNetworkSampleEvery)
                                  : minutes(1);
    // One millisecond past the boundary: a one-time row expires one millisecond after its
    // minute begins, so the look that fires it also removes it.
    constexpr milliseconds kPastBoundary{1};
    const LocalTime shifted = now - kPastBoundary;
    return {std::nullopt, shifted - shifted.time_since_epoch() % step + step + kPastBoundary};
}

} // namespace core
