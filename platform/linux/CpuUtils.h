#pragma once

#include "core/CpuCounter.h"
#include "core/CpuUsageMeter.h"

#include <memory>

namespace platform {

// The CPU usage meter. It chooses its method once, when created: the counter method when the
// processor times can be read, otherwise the registry method, which on this system finds no
// published statistics and reads 0.
class TCpuUsage : public core::CpuUsageMeter {
public:
    explicit TCpuUsage(std::unique_ptr<core::CpuCounterSource> source);

    int getUsage() override { return GetUsage(); }
    std::uint8_t GetUsage();
    virtual std::uint8_t GetUsageNT();
    virtual std::uint8_t GetUsage9x();
    virtual void ResetBaseline();

    bool usesCounterMethod() const { return counter_ != nullptr; }

private:
    std::unique_ptr<core::CpuCounterSource> source_;
    std::unique_ptr<core::CpuCounter> counter_;
};

} // namespace platform
