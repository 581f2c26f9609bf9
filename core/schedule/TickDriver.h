#pragma once

#include "SharedState.h"
#include "core/base/Clock.h"
#include "core/base/TickTimer.h"

#include <functional>

namespace core {

// Brings the scheduler's ticks: keeps what decides their cadence (the interval the model set,
// whether the window is in sight, whether the loaded file was scanned) and arms the timer for
// the next one after every tick and every change of that state.
class TickDriver {
public:
    struct Events {
        // One tick of the scheduler.
        std::function<void()> tick;
        // Told of a resume before the look it brings.
        std::function<void()> resumed;
        // The clock was set: moments armed elsewhere may be wrong now.
        std::function<void()> clockSet;
    };
    TickDriver(TickTimer& timer, const Clock& clock, const SharedState& state, Events events);
    ~TickDriver();
    TickDriver(const TickDriver&) = delete;
    TickDriver& operator=(const TickDriver&) = delete;

    // Runs one tick now and arms the next.
    void tick();
    // The scan interval means the wall-clock cadences; another is a stretched interval, counted
    // from now.
    void setInterval(int ms);
    // The main window is visible and not minimised.
    void setWindowShown(bool shown);
    // The "終了待ち" watch reads the network's counters or the idle time while this is set.
    void setWatchSampling(bool watched);
    // Arms the next tick for the mode the program is in now; after anything that may change it.
    void reschedule();
    // The next tick at the next half second, whatever the cadence; once.
    void lookSoon();
    // How the ticks come: on the wall clock's seconds and minutes, or every stretched interval
    // while a countdown or a power request holds them.
    enum class Cadence { WallClock, Stretched };
    Cadence cadence() const;

private:
    TickTimer& timer_;
    const Clock& clock_;
    const SharedState& state_;
    Events events_;
    int interval_;
    bool windowShown_ = false;
    bool watchSampling_ = false;
    // The file loaded at the start, or what passed under a countdown, waits for a look.
    bool lookOwed_ = true;
    // The stretched interval runs on from the tick that set it, not from the last reschedule.
    bool stretchedArmed_ = false;
};

} // namespace core
