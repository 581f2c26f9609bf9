#pragma once

#include "Prompter.h"
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
    // `setMainTimerInterval` puts the scheduler's timer back to its ordinary tick. A refusal of
    // the system is shown through the prompter.
    PowerControl(WindowsPowerApi& api, SharedState& state, Prompter& prompter,
                 std::function<void(int)> setMainTimerInterval);
    ~PowerControl();
    PowerControl(const PowerControl&) = delete;
    PowerControl& operator=(const PowerControl&) = delete;

    // A countdown or a tray command begins: its first refusal is shown, the repeats that follow
    // it are not.
    void beginRequests() { refusalShown_ = false; }

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
    void showRefusal(const std::string& reason);

    WindowsPowerApi& api_;
    SharedState& state_;
    Prompter& prompter_;
    std::string requested_;
    bool refusalShown_ = false;
    std::function<void(int)> setMainTimerInterval_;
    OsVersion version_{};
};

} // namespace core
