#pragma once

#include <chrono>
#include <functional>

namespace core {

// The system's timer behind the scheduler's tick. It wakes the program at a moment of the wall
// clock, also when the machine slept meanwhile, or at a steady interval, and tells when the
// clock was set, which makes an armed moment wrong, and when the machine woke from sleep. Each
// start replaces what was armed.
class TickTimer {
public:
    virtual ~TickTimer() = default;
    void onFired(std::function<void()> handler) { fired_ = std::move(handler); }
    void onClockSet(std::function<void()> handler) { clockSet_ = std::move(handler); }
    void onResumed(std::function<void()> handler) { resumed_ = std::move(handler); }
    // Fires `delay` from now on the wall clock.
    virtual void startAt(std::chrono::milliseconds delay) = 0;
    // Fires every `interval`, counted from now.
    virtual void startEvery(std::chrono::milliseconds interval) = 0;

protected:
    void fired() const {
        if (fired_)
            fired_();
    }
    void clockSet() const {
        if (clockSet_)
            clockSet_();
    }
    void resumed() const {
        if (resumed_)
            resumed_();
    }

private:
    std::function<void()> fired_;
    std::function<void()> clockSet_;
    std::function<void()> resumed_;
};

} // namespace core
