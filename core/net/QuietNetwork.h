#pragma once

#include "NetworkTraffic.h"
#include "core/base/LocalTime.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// How often the counters are read while the network is watched.
inline constexpr std::chrono::seconds kNetworkSampleEvery{5};

// The bytes a counter advanced between two readings. A counter that went back wrapped at 32
// bits when that makes a plausible step, and was reset otherwise (the bytes since the reset):
// never a negative step, never one of the whole counter's range.
std::uint64_t counterAdvance(std::uint64_t before, std::uint64_t after);

// Whether the traffic of all interfaces, in and out together, has stayed at or below a rate for
// a number of minutes. Fed a reading about every kNetworkSampleEvery.
class QuietNetwork {
public:
    QuietNetwork(int kilobytesPerSecond, int minutes);

    // A reading at `now`; true once every interval for the minutes up to now stayed at or below
    // the rate. A failed reading, a gap (a sleep, the clock set) and the first reading start the
    // count again.
    bool sample(LocalTime now, const std::optional<std::vector<InterfaceTraffic>>& counters);
    // The rate of the last interval, in bytes a second; nothing before the second reading.
    std::optional<std::uint64_t> lastRate() const { return lastRate_; }

private:
    std::uint64_t bytesSince(const std::vector<InterfaceTraffic>& counters) const;

    std::uint64_t limitBytesPerSecond_;
    std::chrono::minutes minutes_;
    std::optional<std::vector<InterfaceTraffic>> previous_;
    LocalTime previousAt_{};
    // The start of the quiet stretch that lasts until now.
    std::optional<LocalTime> quietSince_;
    std::optional<std::uint64_t> lastRate_;
};

} // namespace core
