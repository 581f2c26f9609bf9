#pragma once

#include "core/cpu/CpuUsage.h"

namespace platform {

// Linux has no registry statistics: the core's meter as it is, over /proc/stat.
using TCpuUsage = core::TCpuUsage;

} // namespace platform
