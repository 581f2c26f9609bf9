#pragma once

#include "NtCpuSource.h"
#include "core/CpuCounter.h"
#include "core/CpuUsageMeter.h"

#include <memory>

namespace platform {

// The CPU usage meter. It chooses its method once, when created: the counter method through
// ntdll when the library, its entry point and the processor count are there, otherwise the
// registry method of the Windows 95 family.
class TCpuUsage : public core::CpuUsageMeter {
public:
    TCpuUsage();

    int getUsage() override { return GetUsage(); }
    std::uint8_t GetUsage();
    virtual std::uint8_t GetUsageNT();
    virtual std::uint8_t GetUsage9x();
    virtual void ResetBaseline();

    bool usesCounterMethod() const { return counter_ != nullptr; }

private:
    NtCpuSource source_;
    std::unique_ptr<core::CpuCounter> counter_;
};

} // namespace platform
