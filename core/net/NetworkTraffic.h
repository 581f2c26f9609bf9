#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

// One interface's byte counters since it came up, as the system keeps them.
struct InterfaceTraffic {
    std::string name;
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
    friend bool operator==(const InterfaceTraffic&, const InterfaceTraffic&) = default;
};

// The counters of every interface but loopback (and, on Windows, the filter interfaces that
// would count the same bytes twice).
class NetworkCounters {
public:
    virtual ~NetworkCounters() = default;
    // Nothing when the system would not tell.
    virtual std::optional<std::vector<InterfaceTraffic>> read() = 0;
};

} // namespace core
