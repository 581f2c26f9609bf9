#include "CpuIdleWatch.h"

namespace core {

bool advanceCpuIdleWatch(SharedState& state, int usage, int thresholdPercent, int durationMinutes) {
    if (usage > thresholdPercent)
        state.CpuIdleTicks = 0;
    else
        ++state.CpuIdleTicks;
    return durationMinutes * kTicksPerMinute == state.CpuIdleTicks;
}

} // namespace core
