#pragma once

#include "core/CpuUsageMeter.h"

namespace platform {

// A meter for a system that offers no processor times: it always reads 0.
class ZeroCpuMeter : public core::CpuUsageMeter {
public:
    int getUsage() override { return 0; }
};

} // namespace platform
