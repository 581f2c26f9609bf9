#pragma once

#include "core/base/LocalTime.h"
#include "core/base/Settings.h"
#include "core/power/PowerAction.h"

#include <array>
#include <optional>
#include <string>

namespace core {

// The state the three windows share; one instance is owned by the program.
struct SharedState {
    Phase ExecutionPhase = Phase::Watching;
    PowerAction PendingAction = PowerAction::None;
    bool CpuWatchActive = false;
    // The "終了待ち" watch waits for programs to end; it holds the table as the CPU-idle watch
    // does.
    bool JobWatchActive = false;
    int CpuIdleTicks = 0;
    int CountdownTicks = 0;
    Settings settings;
    // The clock reading at which the last scan looked at each row (index 1 to 30), so that a
    // tick held up past a row's second still fires it. Empty after a tick that did not scan.
    std::array<std::optional<LocalTime>, 31> LastScanReadings{};
    // The wall-clock minute in which each row last fired: a clock set back across it does not
    // fire the row a second time.
    std::array<std::optional<LocalTime>, 31> LastFiredMinutes{};
    // A scan has looked at the table loaded at the start.
    bool FirstScanDone = false;
};

} // namespace core
