#pragma once

#include "PowerAction.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How Windows is asked for a power action, by its version. Only the Windows platform carries a
// plan out; it lives here so that every version's decision is tested on any system.
namespace core::windows_power {

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

// The values of the API's flags, under names of their own.
inline constexpr std::uint32_t kExitLogOff = 0;
inline constexpr std::uint32_t kExitShutdown = 1;
inline constexpr std::uint32_t kExitReboot = 2;
inline constexpr std::uint32_t kExitForce = 4;
inline constexpr std::uint32_t kExitPowerOff = 8;
inline constexpr std::uint32_t kTokenAdjustAndQuery = 40;
inline constexpr std::uint32_t kPrivilegeEnabled = 2;
inline constexpr std::uint32_t kShowMinimisedNoActivate = 7;
inline constexpr std::uint32_t kPlatformWindows9x = 1;
inline constexpr std::string_view kShutdownPrivilege = "SeShutdownPrivilege";

// Whether preparing for a request enables the shutdown privilege on this version: below 6, but
// not on the Windows 95 family. A version never read counts as 0.
bool privilegeStepRuns(const OsVersion& version);

enum class Call {
    None,
    Exit,        // ExitWindowsEx: exitFlags, reserved 0
    PowerState,  // SetSystemPowerState: suspendNotHibernate, force
    Suspend,     // PowrProf's SetSuspendState: hibernate, no force, wake-up events enabled
    CommandLine, // WinExec: the command interpreter with `arguments`, shown minimised
    Lock,        // LockWorkStation
    DisplayOff,  // WM_SYSCOMMAND SC_MONITORPOWER 2, posted to every top-level window
};

struct Plan {
    Call call = Call::None;
    // Enable the shutdown privilege just before the call.
    bool enablePrivilegeFirst = false;
    std::uint32_t exitFlags = 0;
    bool suspendNotHibernate = false;
    bool hibernate = false;
    std::string_view arguments;
};

// Below 6 the exit call or the power-state call; from 6 on the "shutdown" command, and the
// suspend entry itself for standby and hibernate (through rundll32 its window handle would
// arrive as the hibernate flag, and a standby would hibernate). The lock and the display's
// power are the same calls on every version. None plans no call.
Plan planRequest(PowerAction action, const OsVersion& version);

// "<interpreter> <arguments>", the interpreter quoted when its path holds a space; nothing
// without an interpreter.
std::optional<std::string> commandLine(std::string interpreter, std::string_view arguments);

} // namespace core::windows_power
