#include "WindowsPower.h"

#include "EntryPoint.h"
#include "SystemError.h"
#include "WideText.h"

#include <cstring>
#include <memory>
#include <string>

namespace platform {

namespace plan = core::windows_power;

static_assert(sizeof(OSVERSIONINFOA) == sizeof(plan::OsVersion));
static_assert(plan::kExitLogOff == EWX_LOGOFF && plan::kExitShutdown == EWX_SHUTDOWN &&
              plan::kExitReboot == EWX_REBOOT && plan::kExitForce == EWX_FORCE &&
              plan::kExitPowerOff == EWX_POWEROFF);
static_assert(plan::kTokenAdjustAndQuery == (TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY) &&
              plan::kPrivilegeEnabled == SE_PRIVILEGE_ENABLED &&
              plan::kShowMinimisedNoActivate == SW_SHOWMINNOACTIVE &&
              plan::kPlatformWindows9x == VER_PLATFORM_WIN32_WINDOWS);

void WindowsPower::prepare() {
    version_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = version_.dwOSVersionInfoSize;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool queried = GetVersionExA(&info) != FALSE;
#pragma GCC diagnostic pop
    if (queried) {
        version_.dwMajorVersion = info.dwMajorVersion;
        version_.dwMinorVersion = info.dwMinorVersion;
        version_.dwBuildNumber = info.dwBuildNumber;
        version_.dwPlatformId = info.dwPlatformId;
        std::memcpy(version_.szCSDVersion.data(), info.szCSDVersion, sizeof info.szCSDVersion);
    }
    if (plan::privilegeStepRuns(version_))
        enableShutdownPrivilege();
}

bool WindowsPower::enableShutdownPrivilege() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), plan::kTokenAdjustAndQuery, &opened))
        return false;
    const std::unique_ptr<void, decltype(&CloseHandle)> token(opened, &CloseHandle);
    TOKEN_PRIVILEGES privileges{};
    const std::string name(plan::kShutdownPrivilege);
    if (!LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid))
        return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = plan::kPrivilegeEnabled;
    TOKEN_PRIVILEGES previous{};
    DWORD previousLength = 0;
    // Never switched off again: the process asks for power actions only.
    return AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof previous, &previous,
                                 &previousLength) != FALSE;
}

void WindowsPower::request(core::PowerAction action) {
    const plan::Plan planned = plan::planRequest(action, version_);
    if (planned.enablePrivilegeFirst)
        enableShutdownPrivilege();
    switch (planned.call) {
    case plan::Call::None:
        return;
    case plan::Call::Exit:
        return exitWindows(planned.exitFlags);
    case plan::Call::PowerState:
        return setSystemPowerState(planned.suspendNotHibernate);
    case plan::Call::Suspend:
        return setSuspendState(planned.hibernate);
    case plan::Call::CommandLine:
        if (auto line = plan::commandLine(commandInterpreter(), planned.arguments))
            winExec(*line);
        return;
    case plan::Call::Lock:
        return lockWorkStation();
    case plan::Call::DisplayOff:
        return displayOff();
    }
}

void WindowsPower::lockWorkStation() {
    if (LockWorkStation())
        accepted();
    else
        refused(systemMessage(GetLastError()));
}

void WindowsPower::displayOff() {
    // Posted, not sent: a window that hangs cannot hold the program up.
    if (PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2))
        accepted();
    else
        refused(systemMessage(GetLastError()));
}

void WindowsPower::exitWindows(std::uint32_t flags) {
    if (ExitWindowsEx(flags, 0))
        accepted();
    else
        refused(systemMessage(GetLastError()));
}

void WindowsPower::setSystemPowerState(bool suspend) {
    // Gone from today's headers and libraries; older systems still export it. The force flag is
    // passed as all bits set.
    using Entry = BOOL(WINAPI*)(BOOL, BOOL);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto entry = kernel == nullptr ? nullptr : entryPoint<Entry>(kernel, "SetSystemPowerState");
    if (entry == nullptr)
        refused(systemMessage(ERROR_PROC_NOT_FOUND));
    else if (entry(suspend, -1))
        accepted();
    else
        refused(systemMessage(GetLastError()));
}

void WindowsPower::winExec(const std::string& commandLine) {
    // WinExec reads the system's ANSI code page, not UTF-8.
    const std::wstring wide = toWide(commandLine);
    std::string ansi(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), static_cast<int>(ansi.size()),
                        nullptr, nullptr);
    // 31 and below are failures, most of them system error codes; 0 is out of resources.
    const UINT started = WinExec(ansi.c_str(), plan::kShowMinimisedNoActivate);
    if (started > 31)
        accepted();
    else
        refused(systemMessage(started == 0 ? ERROR_NOT_ENOUGH_MEMORY : started));
}

std::string WindowsPower::commandInterpreter() {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"ComSpec", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return fromWide({buffer, length});
    length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return fromWide({buffer, length}) + "\\cmd.exe";
}

void WindowsPower::setSuspendState(bool hibernate) {
    using Entry = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    HMODULE library = LoadLibraryA("PowrProf.dll");
    if (library == nullptr) {
        refused(systemMessage(GetLastError()));
        return;
    }
    auto entry = entryPoint<Entry>(library, "SetSuspendState");
    if (entry != nullptr && entry(hibernate, FALSE, FALSE))
        accepted();
    else
        refused(systemMessage(entry == nullptr ? ERROR_PROC_NOT_FOUND : GetLastError()));
    FreeLibrary(library);
}

} // namespace platform
