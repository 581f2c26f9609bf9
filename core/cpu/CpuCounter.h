#pragma once

#include <cstdint>
#include <optional>

namespace core {

// What the counter method needs of the system: times in 100 ns units from a fixed origin.
class CpuCounterSource {
public:
    virtual ~CpuCounterSource() = default;
    // Asked once, when the meter is created: 1 to 255, or nothing on failure.
    virtual std::optional<std::uint8_t> processorCount() = 0;
    virtual std::optional<std::int64_t> systemTime() = 0;
    // Cumulative idle time of all processors together.
    virtual std::optional<std::int64_t> idleTime() = 0;
};

// 100 − ((idle ÷ time) × 100) ÷ processors in extended precision, truncated toward zero and
// clamped to 0–100. The caller rules out a zero time difference and processor count.
std::uint8_t usagePercent(std::int64_t idleDifference, std::int64_t timeDifference,
                          std::uint8_t processorCount);

// Average usage between two samples. The first successful reading only takes the baseline; a
// reading whose sample fails returns 0 and keeps the old baseline.
class CpuCounter {
public:
    CpuCounter(CpuCounterSource& source, std::uint8_t processorCount)
        : source_(source), FProcessorCount(processorCount) {}

    std::uint8_t reading();

private:
    CpuCounterSource& source_;
    std::int64_t FPrevIdleTime = 0; // 0: no previous reading
    std::int64_t FPrevSystemTime = 0;
    std::uint8_t FProcessorCount;
};

} // namespace core
