#pragma once

#include <chrono>
#include <functional>

namespace core {

// A timer of the system that wakes the program at a moment of the wall clock, also when the
// machine slept meanwhile, and tells when the clock was set, which makes the moment armed wrong.
class WakeTimer {
public:
    virtual ~WakeTimer() = default;
    void onFired(std::function<void()> handler) { fired_ = std::move(handler); }
    void onClockSet(std::function<void()> handler) { clockSet_ = std::move(handler); }
    // Fires once, `delay` from now on the wall clock; a start replaces what was armed.
    virtual void start(std::chrono::milliseconds delay) = 0;
    virtual void stop() = 0;

protected:
    void fired() const {
        if (fired_)
            fired_();
    }
    void clockSet() const {
        if (clockSet_)
            clockSet_();
    }

private:
    std::function<void()> fired_;
    std::function<void()> clockSet_;
};

} // namespace core
