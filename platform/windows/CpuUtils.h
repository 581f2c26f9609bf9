#pragma once

#include "core/cpu/CpuUsage.h"

namespace platform {

// The meter with the counter method through ntdll (when the library and its entry point are
// there) and the registry method of the Windows 95 family.
class TCpuUsage : public core::TCpuUsage {
public:
    TCpuUsage();
    std::uint8_t GetUsage9x() override;
};

} // namespace platform
