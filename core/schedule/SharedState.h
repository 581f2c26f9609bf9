#pragma once

#include "core/base/LocalTime.h"
#include "core/base/Settings.h"
#include "core/lang/Catalogue.h"
#include "core/power/PowerAction.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// What the scan remembers of each row of one table (index 1 to 30).
struct RowScans {
    // The clock reading at which the last scan looked at the row, so that a tick held up past a
    // row's second still fires it. Empty after a tick that did not scan.
    std::array<std::optional<LocalTime>, 31> LastScanReadings{};
    // The wall-clock minute in which the row last fired: a clock set back across it does not
    // fire the row a second time.
    std::array<std::optional<LocalTime>, 31> LastFiredMinutes{};
};

// What an administrator's policy allows the countdown that shows; a user's own countdown has
// none of these limits.
struct CountdownLimits {
    bool cancelAllowed = true;
    bool postponeAllowed = true;
    // The count lasts at least this long (seconds).
    int leastSeconds = 0;
    friend bool operator==(const CountdownLimits&, const CountdownLimits&) = default;
};

// The state the three windows share; one instance is owned by the program.
struct SharedState {
    Phase ExecutionPhase = Phase::Watching;
    PowerAction PendingAction = PowerAction::None;
    bool CpuWatchActive = false;
    // The "終了待ち" watch waits for programs to end; it holds the table as the CPU-idle watch
    // does.
    bool JobWatchActive = false;
    // A booking's countdown waits for the user's presentation or full-screen work to end; it
    // holds the tick as a countdown does.
    bool BusyWaitActive = false;
    int CpuIdleTicks = 0;
    int CountdownTicks = 0;
    Settings settings;
    RowScans UserScans;
    // The administrator's bookings are looked at also while a watch holds the user's table.
    RowScans PolicyScans;
    CountdownLimits Limits;
    // A scan has looked at the table loaded at the start.
    bool FirstScanDone = false;
    // When the tick was last given back by a countdown or its request: an administrator's moment
    // that passed under it was held up, not missed, and comes at the next look.
    std::optional<LocalTime> HeldUntil;

    // The countdown's length: the setting, or the policy's least length when that is longer.
    int countdownSeconds() const {
        return settings.shutDownSeconds() > Limits.leastSeconds ? settings.shutDownSeconds()
                                                                : Limits.leastSeconds;
    }
    // The length as the countdown's message says it: the setting's text as stored, or the
    // policy's number.
    std::string countdownText() const {
        return settings.shutDownSeconds() >= Limits.leastSeconds
                   ? settings.shutDownText()
                   : std::to_string(Limits.leastSeconds);
    }
};

} // namespace core
