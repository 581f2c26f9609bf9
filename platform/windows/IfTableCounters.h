#pragma once

#include "core/net/NetworkTraffic.h"

namespace platform {

// The interfaces' byte counters from the IP helper's interface table: the rows that are neither
// loopback nor filter interfaces, which would count the bytes of the adapter below them again.
class IfTableCounters : public core::NetworkCounters {
public:
    std::optional<std::vector<core::InterfaceTraffic>> read() override;
};

} // namespace platform
