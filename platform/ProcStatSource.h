#pragma once

#include "core/CpuCounter.h"

#include <string>

namespace platform {

// Processor times from the kernel's statistics file: the first "cpu" line's idle and iowait
// ticks, in 100 ns units, and a monotonic clock for the time.
class ProcStatSource : public core::CpuCounterSource {
public:
    explicit ProcStatSource(std::string path = "/proc/stat");

    std::optional<std::uint8_t> processorCount() override;
    std::optional<std::int64_t> systemTime() override;
    std::optional<std::int64_t> idleTime() override;

private:
    std::optional<std::string> readFile() const;

    std::string path_;
    std::int64_t unitsPerTick_;
};

} // namespace platform
