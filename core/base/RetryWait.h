#pragma once

#include <chrono>
#include <optional>

namespace core {

// When to look again for a service that was not there (the system bus, say): a program that
// looks on every tick looks again only once the wait after a failed look is over, so a service
// that stays away costs one look a wait, and one that comes back is found within the wait. What
// must not wait (a power request) looks at once regardless.
class RetryWait {
public:
    using Clock = std::chrono::steady_clock;

    explicit RetryWait(Clock::duration wait) : wait_(wait) {}

    bool due(Clock::time_point now) const { return !next_ || now >= *next_; }
    void failed(Clock::time_point now) { next_ = now + wait_; }
    void succeeded() { next_.reset(); }

private:
    Clock::duration wait_;
    std::optional<Clock::time_point> next_;
};

} // namespace core
