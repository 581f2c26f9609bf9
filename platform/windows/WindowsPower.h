#pragma once

#include "core/power/PowerPort.h"
#include "core/power/WindowsPowerPlan.h"

namespace platform {

// Power requests on the Windows API, made for real: each action's plan for this system's
// version, carried out.
class WindowsPower : public core::PowerPort {
public:
    // Reads the version afresh (a failed query keeps the last one) and, where the version needs
    // it, enables the shutdown privilege.
    void prepare() override;
    void request(core::PowerAction action) override;
    // Every action has its call on every Windows this program runs on.
    std::optional<std::string> unavailable(core::PowerAction /*action*/) const override {
        return std::nullopt;
    }

    const core::windows_power::OsVersion& osVersion() const { return version_; }
    // Enables the shutdown privilege of this process; false when a step failed.
    bool enableShutdownPrivilege();
    // %ComSpec%, or the interpreter in the system folder when it is not set.
    static std::string commandInterpreter();

private:
    void exitWindows(std::uint32_t flags);
    void setSystemPowerState(bool suspend);
    // PowrProf.dll's SetSuspendState, looked up when it is needed.
    void setSuspendState(bool hibernate);
    void lockWorkStation();
    void displayOff();
    void winExec(const std::string& commandLine);

    core::windows_power::OsVersion version_{};
};

} // namespace platform
