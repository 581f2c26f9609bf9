#pragma once

#include "core/net/NetworkTraffic.h"

namespace testing_support {

// Counters that a test sets; nothing when the system would not tell.
struct FakeNetwork : core::NetworkCounters {
    std::optional<std::vector<core::InterfaceTraffic>> read() override { return counters; }
    // One interface that has moved this many bytes in and out together.
    void total(std::uint64_t bytes) { counters = {{{"eth0", bytes, 0}}}; }

    std::optional<std::vector<core::InterfaceTraffic>> counters =
        std::vector<core::InterfaceTraffic>{};
};

} // namespace testing_support
