#pragma once

#include "SharedState.h"
#include "WindowsPowerApi.h"

#include <functional>

namespace core {

// From Windows 6 on, the actions are commands of the system's command interpreter, which runs
// them with these arguments. Log-off needs its own switch: "shutdown /f" alone does nothing.
inline constexpr std::string_view kArgumentsLogOff = "/c shutdown /l";
inline constexpr std::string_view kArgumentsReboot = "/c shutdown /r /t 0";
inline constexpr std::string_view kArgumentsShutDown = "/c shutdown /s /t 0";
inline constexpr std::string_view kArgumentsForcedShutDown = "/c shutdown /s /f /t 0";
inline constexpr std::string_view kArgumentsForcedReboot = "/c shutdown /r /f /t 0";

// Turns PendingAction into a request to the system, by the system's version.
class PowerControl {
public:
    // `setMainTimerInterval` puts the scheduler's timer back to its ordinary tick.
    PowerControl(WindowsPowerApi& api, SharedState& state,
                 std::function<void(int)> setMainTimerInterval);

    // Refreshes the version record and, where the version needs it, enables the shutdown
    // privilege; every failure silently ends the step.
    void EnableShutdownPrivilege();
    void ExecutePowerAction();
    void ReturnToWatching();

    const OsVersion& osVersion() const { return version_; }

private:
    // Opens the process token and enables the shutdown privilege; a failure ends it silently.
    void enablePrivilege();
    void executeByCommandLine(const std::string& code);
    void executeByExitCall(const std::string& code);

    WindowsPowerApi& api_;
    SharedState& state_;
    std::function<void(int)> setMainTimerInterval_;
    OsVersion version_{};
};

} // namespace core
