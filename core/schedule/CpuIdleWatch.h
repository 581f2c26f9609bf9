#pragma once

#include "SharedState.h"

namespace core {

inline constexpr int kTicksPerMinute = 120;

// One watch step: a usage at or below the threshold counts as idle. Returns true on the tick
// whose idle count reaches the duration exactly; firing leaves the count as it is.
bool advanceCpuIdleWatch(SharedState& state, int usage, int thresholdPercent, int durationMinutes);

} // namespace core
