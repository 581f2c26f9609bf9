#pragma once

#include "SharedState.h"
#include "WindowsPowerApi.h"

#include <functional>

namespace core {

inline constexpr std::string_view kCommandLogOff = "command.com /c shutdown /f";
inline constexpr std::string_view kCommandReboot = "command.com /c shutdown /r /t 0";
inline constexpr std::string_view kCommandShutDown = "command.com /c shutdown /s /t 0";
inline constexpr std::string_view kCommandForcedShutDown = "command.com /c shutdown /s /f /t 0";
inline constexpr std::string_view kCommandForcedReboot = "command.com /c shutdown /r /f /t 0";
inline constexpr std::string_view kCommandSuspend =
    "command.com /c rundll32 PowrProf.dll,SetSuspendState";

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
    void executeByCommandLine(const std::string& code);
    void executeByExitCall(const std::string& code);

    WindowsPowerApi& api_;
    SharedState& state_;
    std::function<void(int)> setMainTimerInterval_;
    OsVersion version_{};
};

} // namespace core
