#pragma once

#include "Settings.h"

#include <string>

namespace core {

inline constexpr const char* kPhaseWatching = "1";
inline constexpr const char* kPhaseExecute = "2";
inline constexpr const char* kNoAction = "0";

// The state the three windows share; one instance is owned by the program.
struct SharedState {
    std::string ExecutionPhase = kPhaseWatching;
    std::string PendingAction = kNoAction;
    bool CpuWatchActive = false;
    int CpuIdleTicks = 0;
    int RemainingMinutes = 0;
    int CountdownTicks = 0;
    Settings settings;
};

} // namespace core
