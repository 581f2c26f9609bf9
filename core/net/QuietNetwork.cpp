#include "QuietNetwork.h"

#include <algorithm>

namespace core {

namespace {

constexpr std::uint64_t k32BitRange = std::uint64_t{1} << 32;
constexpr std::uint64_t kBytesPerKilobyte = 1024;
// Longer between readings than this, the interval says nothing of the traffic now.
constexpr auto kLongestInterval = 3 * kNetworkSampleEvery;

} // namespace

std::uint64_t counterAdvance(std::uint64_t before, std::uint64_t after) {
    if (after >= before)
        return after - before;
    // Half the range is more than any link moves between two readings.
    if (before < k32BitRange && k32BitRange - before + after < k32BitRange / 2)
        return k32BitRange - before + after;
    return after;
}

QuietNetwork::QuietNetwork(int kilobytesPerSecond, int minutes)
    : limitBytesPerSecond_(static_cast<std::uint64_t>(std::max(kilobytesPerSecond, 0)) *
                           kBytesPerKilobyte),
      minutes_(minutes) {}

std::uint64_t QuietNetwork::bytesSince(const std::vector<InterfaceTraffic>& counters) const {
    std::uint64_t bytes = 0;
    for (const InterfaceTraffic& now : counters) {
        // An interface that came up since counts from its next reading; one that went, not at all.
        const auto before = std::find_if(previous_->begin(), previous_->end(),
                                         [&](const auto& old) { return old.name == now.name; });
        if (before != previous_->end())
            bytes += counterAdvance(before->received, now.received) +
                     counterAdvance(before->sent, now.sent);
    }
    return bytes;
}

bool QuietNetwork::sample(LocalTime now,
                          const std::optional<std::vector<InterfaceTraffic>>& counters) {
    const auto interval = now - previousAt_;
    const bool measured =
        counters && previous_ && interval > interval.zero() && interval <= kLongestInterval;
    if (measured) {
        const auto milliseconds = static_cast<std::uint64_t>(interval.count());
        lastRate_ = bytesSince(*counters) * 1000 / milliseconds;
        if (*lastRate_ > limitBytesPerSecond_)
            quietSince_ = now;
    } else {
        lastRate_.reset();
        quietSince_ = now;
    }
    previous_ = counters;
    previousAt_ = now;
    return measured && now - *quietSince_ >= minutes_;
}

} // namespace core
