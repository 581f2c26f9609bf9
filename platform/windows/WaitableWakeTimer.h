#pragma once

#include "Win32.h"
#include "core/base/AwakePorts.h"

#include <cstdint>
#include <optional>

namespace platform {

// One waitable timer, set with an absolute due time and resume, so that it wakes the machine
// from sleep at its moment. Nothing waits on it: the tick stays on the main window's timer.
// A system that cannot wake by timer (or a power plan that forbids it) is no failure: the timer
// is set all the same and only does not wake.
class WaitableWakeTimer : public core::WakeTimer {
public:
    WaitableWakeTimer();
    ~WaitableWakeTimer() override;
    WaitableWakeTimer(const WaitableWakeTimer&) = delete;
    WaitableWakeTimer& operator=(const WaitableWakeTimer&) = delete;

    void wakeAt(std::optional<core::LocalTime> moment) override;

    // The due time last set, in 100 ns units of UTC since 1601, or nothing when cancelled; for
    // tests, as wine's timer ignores resume.
    std::optional<std::int64_t> dueTime() const { return dueTime_; }

private:
    HANDLE timer_;
    std::optional<std::int64_t> dueTime_;
};

// The wall-clock moment in the system's time zone, by the rules of its date, as UTC in 100 ns
// units since 1601; a reading the clocks skip counts as the first minute after it that they show.
std::optional<std::int64_t> utcFileTime(core::LocalTime moment);

} // namespace platform
