#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The version record as the system fills it: 148 bytes, all zero until a query succeeds.
struct OsVersion {
    std::uint32_t dwOSVersionInfoSize = 0;
    std::uint32_t dwMajorVersion = 0;
    std::uint32_t dwMinorVersion = 0;
    std::uint32_t dwBuildNumber = 0;
    std::uint32_t dwPlatformId = 0;
    std::array<char, 128> szCSDVersion{};
};
static_assert(sizeof(OsVersion) == 148);

struct TokenPrivileges {
    std::uint32_t privilegeCount;
    std::uint64_t luid;
    std::uint32_t attributes;
};

inline constexpr std::uint32_t EWX_LOGOFF = 0;
inline constexpr std::uint32_t EWX_SHUTDOWN = 1;
inline constexpr std::uint32_t EWX_REBOOT = 2;
inline constexpr std::uint32_t EWX_FORCE = 4;
inline constexpr std::uint32_t EWX_POWEROFF = 8;
inline constexpr std::uint32_t kTokenAdjustAndQuery = 40;
inline constexpr std::uint32_t SE_PRIVILEGE_ENABLED = 2;
inline constexpr std::uint32_t SW_SHOWMINNOACTIVE = 7;
inline constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;

// The system calls behind the power actions, in the shape the decisions are made for. Results
// that the decisions do not use are not returned.
class WindowsPowerApi {
public:
    virtual ~WindowsPowerApi() = default;
    // False when the query failed; the record is then left as it was.
    virtual bool getVersionEx(OsVersion& version) = 0;
    // The own process's token, or nothing on failure.
    virtual std::optional<std::uintptr_t> openProcessToken(std::uint32_t desiredAccess) = 0;
    virtual std::optional<std::uint64_t> lookupPrivilegeValue(std::string_view name) = 0;
    virtual void adjustTokenPrivileges(std::uintptr_t token, const TokenPrivileges& request) = 0;
    virtual void exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
    // Returns once the machine has woken again.
    virtual void setSystemPowerState(bool suspend, bool force) = 0;
    virtual void winExec(std::string_view commandLine, std::uint32_t showMode) = 0;
    // The system's command interpreter (%ComSpec%, normally cmd.exe), or empty where none is.
    virtual std::string commandInterpreter() = 0;
    // PowrProf's suspend entry; returns once the machine has woken again.
    virtual void setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) = 0;

    // Told when the system refuses a request, with its reason in the system's language: during
    // the call, or when an answer that comes later arrives.
    using RefusalHandler = std::function<void(const std::string& reason)>;
    void setRefusalHandler(RefusalHandler handler) { refusalHandler_ = std::move(handler); }

protected:
    void refused(const std::string& reason) const {
        if (refusalHandler_)
            refusalHandler_(reason);
    }

private:
    RefusalHandler refusalHandler_;
};

} // namespace core
