#pragma once

#include "core/base/LocalTime.h"

#include <optional>

namespace core {

// When the scheduler's next tick comes. While a countdown runs, and in the repeats after it, the
// timer keeps the stretched interval the model gave it, counted from the tick that set it.
// Otherwise the tick follows the wall clock, one millisecond past each boundary: on each half
// second (:000 and :500) while the main window is shown or the CPU-idle watch runs, so that the
// clock label turns with the second and a reservation fires within milliseconds of it; at each
// minute's start while the window is hidden or minimised (every 5 seconds while a watch reads the
// network or the idle time), as booked times are whole minutes and that scan finds what the
// half-second scans would have. After the reservation file was loaded the
// first tick comes at the next half second all the same, to clear what the file holds of past and
// half-filled rows. A deliberate change from a fixed 500 ms timer, for the battery and for
// precision. A countdown that ends before its time owes a look at the next half second too.
struct TickMode {
    bool windowShown; // visible and not minimised
    bool cpuWatchActive;
    // A look is owed at once: the file was loaded and no tick has scanned it yet, or a countdown
    // ended, under which an administrator's booking may have come.
    bool lookOwed;
    // The "終了待ち" watch reads the network's counters or the idle time: a hidden window ticks
    // every 5 seconds.
    bool watchSampling = false;
};

struct TickPlan {
    // The stretched interval, from the tick that set it; empty when on the wall clock.
    std::optional<int> intervalMs;
    // On the wall clock: the first boundary (plus its millisecond) strictly after the reading,
    // so that a tick that comes a little early still comes again at its boundary.
    LocalTime due{};
};

// `timerIntervalMs` is the interval the model last gave the timer: the scan interval means the
// wall-clock cadences.
TickPlan planNextTick(int timerIntervalMs, LocalTime now, TickMode mode);

} // namespace core
