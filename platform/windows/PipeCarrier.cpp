#include "PipeCarrier.h"

#include "CommandChannel.h"
#include "RegistryPolicySource.h"
#include "SettingsLocation.h"
#include "SingleInstance.h"
#include "StartupShortcut.h"
#include "WideText.h"
#include "WindowsClock.h"
#include "core/files/FilePlaces.h"
#include "core/lang/Catalogue.h"
#include "core/policy/PolicyInForce.h"

#include <algorithm>
#include <objbase.h>

namespace platform {

namespace {

constexpr DWORD kAnswerPatienceMs = 10000;

} // namespace

PipeCarrier::~PipeCarrier() {
    if (copy_ != nullptr)
        CloseHandle(copy_);
}

core::Delivery PipeCarrier::send(const std::vector<std::string>& args, int timeoutMs) {
    return sendCommand(args, std::min(static_cast<DWORD>(timeoutMs), kAnswerPatienceMs));
}

long long PipeCarrier::elapsedMs() {
    return static_cast<long long>(GetTickCount64() - began_);
}

bool PipeCarrier::copyHoldsGuard() {
    return platform::copyHoldsGuard(core::kGuardName);
}

std::optional<std::string> PipeCarrier::sessionEntryFolder() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
        return std::nullopt;
    auto folder =
        StartupShortcut(StartupShortcut::startupFolder(), programFilePath()).startFolder();
    CoUninitialize();
    return folder;
}

// The menu's shortcut starts the program in its own folder. Where this user has a per-user copy
// beside the machine's, that is the user's own: a copy started for a command runs in its folder,
// so it reads the bookings the user's copy keeps.
std::string PipeCarrier::menuFolder() {
    wchar_t own[MAX_PATH * 2] = {};
    DWORD size = sizeof own - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER,
                     L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brindlewhistmoore",
                     L"InstallLocation", RRF_RT_REG_SZ, nullptr, own, &size) == ERROR_SUCCESS &&
        GetFileAttributesW((std::wstring(own) + L"\\Brindlewhistmoore.exe").c_str()) !=
            INVALID_FILE_ATTRIBUTES)
        return fromWide(own);
    const std::string program = programFilePath();
    return program.substr(0, program.find_last_of("\\/"));
}

bool PipeCarrier::enter(const std::string& folder) {
    return SetCurrentDirectoryW(toWide(folder).c_str()) != 0;
}

std::string PipeCarrier::reservationFilePath() {
    return platform::reservationFilePath(settingsFilePath());
}

std::string PipeCarrier::historyFilePath() {
    return core::historyFilePlace(settingsFilePath());
}

// Detached from the console and inheriting no handles, so that the command's own end returns.
bool PipeCarrier::startCopy() {
    const std::wstring program = toWide(programFilePath());
    std::wstring commandLine = L"\"" + program + L"\" " + toWide(core::kStartedForCommand);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS, nullptr, nullptr, &startup, &started))
        return false;
    CloseHandle(started.hThread);
    copy_ = started.hProcess;
    return true;
}

bool PipeCarrier::pause(int ms) {
    const auto wait = static_cast<DWORD>(ms);
    // A copy that could not start has ended already.
    if (copy_ != nullptr && !ended_)
        ended_ = WaitForSingleObject(copy_, wait) == WAIT_OBJECT_0;
    else
        Sleep(wait);
    return !ended_;
}

std::string PipeCarrier::policyReport() {
    RegistryPolicySource source;
    return core::policyReportOf(source, WindowsClock().now());
}

std::string PipeCarrier::helpExamples() const {
    return "  cmd:\n  backup.cmd && Brindlewhistmoore --now poweroff\n" +
           core::tr(core::kPlainExamples) +
           "  PowerShell:\n"
           "  Start-Process render.exe -Wait; Brindlewhistmoore --now poweroff\n"
           "  [Console]::OutputEncoding = [Text.Encoding]::UTF8\n"
           "  Brindlewhistmoore --list --utf8 | Select-String " +
           std::string(core::stored("終了")) + "\n";
}

} // namespace platform
