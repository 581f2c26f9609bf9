#include "WindowsPower.h"

#include "EntryPoint.h"
#include "SystemError.h"
#include "WideText.h"

#include <cstring>
#include <string>
#include <windows.h>

namespace platform {

static_assert(sizeof(OSVERSIONINFOA) == sizeof(core::OsVersion));

bool WindowsPower::getVersionEx(core::OsVersion& version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = version.dwOSVersionInfoSize;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info))
        return false;
#pragma GCC diagnostic pop
    version.dwMajorVersion = info.dwMajorVersion;
    version.dwMinorVersion = info.dwMinorVersion;
    version.dwBuildNumber = info.dwBuildNumber;
    version.dwPlatformId = info.dwPlatformId;
    std::memcpy(version.szCSDVersion.data(), info.szCSDVersion, sizeof info.szCSDVersion);
    return true;
}

std::optional<std::uintptr_t> WindowsPower::openProcessToken(std::uint32_t desiredAccess) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), desiredAccess, &token))
        return std::nullopt;
    return reinterpret_cast<std::uintptr_t>(token);
}

std::optional<std::uint64_t> WindowsPower::lookupPrivilegeValue(std::string_view name) {
    LUID luid{};
    if (!LookupPrivilegeValueA(nullptr, std::string(name).c_str(), &luid))
        return std::nullopt;
    return static_cast<std::uint64_t>(luid.HighPart) << 32 | luid.LowPart;
}

void WindowsPower::adjustTokenPrivileges(std::uintptr_t token,
                                         const core::TokenPrivileges& request) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = request.privilegeCount;
    privileges.Privileges[0].Luid.LowPart = static_cast<DWORD>(request.luid & 0xFFFFFFFF);
    privileges.Privileges[0].Luid.HighPart = static_cast<LONG>(request.luid >> 32);
    privileges.Privileges[0].Attributes = request.attributes;
    TOKEN_PRIVILEGES previous{};
    DWORD previousLength = 0;
    AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &privileges, sizeof previous,
                          &previous, &previousLength);
}

void WindowsPower::exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
    if (!ExitWindowsEx(flags, reserved))
        refused(systemMessage(GetLastError()));
}

void WindowsPower::setSystemPowerState(bool suspend, bool force) {
    // Gone from today's headers and libraries; older systems still export it.
    using Entry = BOOL(WINAPI*)(BOOL, BOOL);
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll"))
        if (auto entry = entryPoint<Entry>(kernel, "SetSystemPowerState"))
            entry(suspend, force ? -1 : FALSE);
}

void WindowsPower::winExec(std::string_view commandLine, std::uint32_t showMode) {
    // WinExec reads the system's ANSI code page, not UTF-8.
    const std::wstring wide = toWide(commandLine);
    std::string ansi(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), static_cast<int>(ansi.size()),
                        nullptr, nullptr);
    // 31 and below are failures, most of them system error codes; 0 is out of resources.
    const UINT started = WinExec(ansi.c_str(), showMode);
    if (started <= 31)
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

void WindowsPower::setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) {
    using Entry = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    HMODULE library = LoadLibraryA("PowrProf.dll");
    if (library == nullptr) {
        refused(systemMessage(GetLastError()));
        return;
    }
    auto entry = entryPoint<Entry>(library, "SetSuspendState");
    if (entry == nullptr || !entry(hibernate, force, wakeupEventsDisabled))
        refused(systemMessage(entry == nullptr ? ERROR_PROC_NOT_FOUND : GetLastError()));
    FreeLibrary(library);
}

} // namespace platform
