#pragma once

#include "core/cpu/CpuCounter.h"

#include <string>

namespace platform {

// Processor times from the kernel's statistics file: the first "cpu" line's idle and iowait
// ticks, in 100 ns units, and a monotonic clock for the time.
class ProcStatSource : public core::CpuCounterSource {
public:
    explicit ProcStatSource(std::string path = "/proc/stat");
    ~ProcStatSource() override;
    ProcStatSource(const ProcStatSource&) = delete;
    ProcStatSource& operator=(const ProcStatSource&) = delete;

    std::optional<std::uint8_t> processorCount() override;
    std::optional<std::int64_t> systemTime() override;
    std::optional<std::int64_t> idleTime() override;

private:
    // The whole file, read afresh; nothing when it cannot be read.
    const std::string* readFile();

    std::string path_;
    std::int64_t unitsPerTick_;
    // Kept open, and the text's buffer kept, because the meter reads the file twice a second.
    int fd_ = -1;
    std::string text_;
};

} // namespace platform
