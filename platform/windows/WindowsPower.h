#pragma once

#include "core/WindowsPowerApi.h"

namespace platform {

// The power and privilege calls of the Windows API, made for real.
class WindowsPower : public core::WindowsPowerApi {
public:
    bool getVersionEx(core::OsVersion& version) override;
    std::optional<std::uintptr_t> openProcessToken(std::uint32_t desiredAccess) override;
    std::optional<std::uint64_t> lookupPrivilegeValue(std::string_view name) override;
    void adjustTokenPrivileges(std::uintptr_t token, const core::TokenPrivileges& request) override;
    void exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
    void setSystemPowerState(bool suspend, bool force) override;
    void winExec(std::string_view commandLine, std::uint32_t showMode) override;
    // %ComSpec%, or the interpreter in the system folder when it is not set.
    std::string commandInterpreter() override;
    // PowrProf.dll's SetSuspendState, looked up when it is needed.
    void setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) override;
};

} // namespace platform
