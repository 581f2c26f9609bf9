#pragma once

#include "CpuCounter.h"
#include "CpuUsageMeter.h"

#include <memory>

namespace core {

// The CPU usage meter. It chooses its method once, when created: the counter method when there
// is a source of processor times and it tells the processor count, otherwise the registry
// method, which only the Windows 95 family has; elsewhere it finds no statistics and reads 0.
class TCpuUsage : public CpuUsageMeter {
public:
    // No source: the system offers no processor times.
    explicit TCpuUsage(std::unique_ptr<CpuCounterSource> source);

    int getUsage() override { return GetUsage(); }
    std::uint8_t GetUsage();
    virtual std::uint8_t GetUsageNT();
    virtual std::uint8_t GetUsage9x();

    bool usesCounterMethod() const { return counter_ != nullptr; }

private:
    std::unique_ptr<CpuCounterSource> source_;
    std::unique_ptr<CpuCounter> counter_;
};

} // namespace core
