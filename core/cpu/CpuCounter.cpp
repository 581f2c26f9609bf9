#include "CpuCounter.h"

#include <cmath>

namespace core {

std::uint8_t usagePercent(std::int64_t idleDifference, std::int64_t timeDifference,
                          std::uint8_t processorCount) {
    const long double idle = static_cast<long double>(idleDifference);
    const long double time = static_cast<long double>(timeDifference);
    const long double value = 100.0L - ((idle / time) * 100.0L) / processorCount;
    const long double whole = std::trunc(value);
    if (whole < 0.0L)
        return 0;
    if (whole > 100.0L)
        return 100;
    return static_cast<std::uint8_t>(whole);
}

std::uint8_t CpuCounter::reading() {
    auto time = source_.systemTime();
    if (!time)
        return 0;
    auto idle = source_.idleTime();
    if (!idle)
        return 0;
    std::uint8_t result = 0;
    if (FPrevIdleTime != 0) {
        const std::int64_t idleDifference = *idle - FPrevIdleTime;
        const std::int64_t timeDifference = *time - FPrevSystemTime;
        if (timeDifference != 0 && FProcessorCount != 0)
            result = usagePercent(idleDifference, timeDifference, FProcessorCount);
    }
    FPrevIdleTime = *idle;
    FPrevSystemTime = *time;
    return result;
}

} // namespace core
