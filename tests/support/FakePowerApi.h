#pragma once

#include "core/WindowsPowerApi.h"

#include <string>
#include <vector>

namespace testing_support {

// Records each system call as a line of text and answers as configured.
class FakePowerApi : public core::WindowsPowerApi {
public:
    bool getVersionEx(core::OsVersion& version) override {
        calls.push_back("GetVersionEx size " + std::to_string(version.dwOSVersionInfoSize));
        if (!version_)
            return false;
        version.dwMajorVersion = version_->first;
        version.dwPlatformId = version_->second;
        return true;
    }
    std::optional<std::uintptr_t> openProcessToken(std::uint32_t access) override {
        calls.push_back("OpenProcessToken " + std::to_string(access));
        return tokenOpens ? std::optional<std::uintptr_t>(77) : std::nullopt;
    }
    std::optional<std::uint64_t> lookupPrivilegeValue(std::string_view name) override {
        calls.push_back("LookupPrivilegeValue " + std::string(name));
        return lookupSucceeds ? std::optional<std::uint64_t>(19) : std::nullopt;
    }
    void adjustTokenPrivileges(std::uintptr_t token, const core::TokenPrivileges& r) override {
        calls.push_back("AdjustTokenPrivileges " + std::to_string(token) + " " +
                        std::to_string(r.privilegeCount) + " " + std::to_string(r.luid) + " " +
                        std::to_string(r.attributes));
    }
    void exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
        calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reserved));
        refuseIfTold();
    }
    void setSystemPowerState(bool suspend, bool force) override {
        calls.push_back(std::string("SetSystemPowerState ") + (suspend ? "true" : "false") + " " +
                        (force ? "true" : "false"));
        refuseIfTold();
    }
    void winExec(std::string_view commandLine, std::uint32_t showMode) override {
        calls.push_back("WinExec " + std::string(commandLine) + " " + std::to_string(showMode));
        refuseIfTold();
    }
    std::string commandInterpreter() override { return interpreter; }
    void setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) override {
        calls.push_back(std::string("SetSuspendState ") + (hibernate ? "true " : "false ") +
                        (force ? "true " : "false ") + (wakeupEventsDisabled ? "true" : "false"));
        refuseIfTold();
    }

    // Major version and platform id that a query reports; none makes the query fail.
    void reportVersion(std::uint32_t major, std::uint32_t platformId) {
        version_ = {major, platformId};
    }

    std::vector<std::string> calls;
    bool tokenOpens = true;
    bool lookupSucceeds = true;
    std::string interpreter = "C:\\Windows\\system32\\cmd.exe";
    // The reason every request is refused with, when set.
    std::optional<std::string> refusal;

private:
    void refuseIfTold() {
        if (refusal)
            refused(*refusal);
    }

    std::optional<std::pair<std::uint32_t, std::uint32_t>> version_;
};

} // namespace testing_support
