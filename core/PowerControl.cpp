#include "PowerControl.h"

#include "Countdown.h"
#include "SchedulerTick.h"

namespace core {

namespace {

bool isKnownAction(const std::string& code) {
    return code.size() == 1 && code[0] >= '1' && code[0] <= '7';
}

} // namespace

PowerControl::PowerControl(WindowsPowerApi& api, SharedState& state, Prompter& prompter,
                           std::function<void(int)> setMainTimerInterval)
    : api_(api), state_(state), prompter_(prompter),
      setMainTimerInterval_(std::move(setMainTimerInterval)) {
    api_.setRefusalHandler([this](const std::string& reason) { showRefusal(reason); });
}

PowerControl::~PowerControl() {
    api_.setRefusalHandler(nullptr);
}

void PowerControl::showRefusal(const std::string& reason) {
    // Marked before the box opens: the repeated request may come while it is open.
    if (refusalShown_)
        return;
    refusalShown_ = true;
    prompter_.showError(refusalMessage(requested_, reason));
}

void PowerControl::EnableShutdownPrivilege() {
    version_.dwOSVersionInfoSize = sizeof(OsVersion);
    OsVersion queried = version_;
    if (api_.getVersionEx(queried))
        version_ = queried;

    const std::uint32_t major = version_.dwMajorVersion;
    if (major != 0 && major != 3 && major != 4 && major != 5)
        return;
    if (major == 4 && version_.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return;
    enablePrivilege();
}

void PowerControl::enablePrivilege() {
    auto token = api_.openProcessToken(kTokenAdjustAndQuery);
    if (!token)
        return;
    auto luid = api_.lookupPrivilegeValue("SeShutdownPrivilege");
    if (!luid)
        return;
    api_.adjustTokenPrivileges(*token, TokenPrivileges{1, *luid, SE_PRIVILEGE_ENABLED});
}

void PowerControl::ExecutePowerAction() {
    const std::string code = state_.PendingAction;
    // A code of no action would become a log-off below version 6: nothing is requested.
    if (!isKnownAction(code))
        return;
    requested_ = code;
    if (version_.dwMajorVersion >= 6)
        executeByCommandLine(code);
    else
        executeByExitCall(code);
}

void PowerControl::executeByCommandLine(const std::string& code) {
    // Standby and hibernate call the suspend entry itself: through rundll32 its window handle
    // would arrive as the hibernate flag, and a standby would hibernate.
    if (code == "6" || code == "7") {
        enablePrivilege();
        api_.setSuspendState(code == "7", false, false);
        ReturnToWatching();
        return;
    }
    std::string_view arguments;
    if (code == "3")
        arguments = kArgumentsShutDown;
    else if (code == "1")
        arguments = kArgumentsLogOff;
    else if (code == "2")
        arguments = kArgumentsReboot;
    else if (code == "4")
        arguments = kArgumentsForcedShutDown;
    else if (code == "5")
        arguments = kArgumentsForcedReboot;
    // 64-bit Windows has no command.com: the system's own interpreter runs the command.
    std::string interpreter = api_.commandInterpreter();
    if (interpreter.empty())
        return;
    if (interpreter.find(' ') != std::string::npos)
        interpreter = '"' + interpreter + '"';
    api_.winExec(interpreter + " " + std::string(arguments), SW_SHOWMINNOACTIVE);
}

void PowerControl::executeByExitCall(const std::string& code) {
    std::uint32_t flags = EWX_LOGOFF;
    if (code == "2")
        flags = EWX_REBOOT;
    else if (code == "5")
        flags = EWX_REBOOT | EWX_FORCE;

    if (code == "6" || code == "7") {
        api_.setSystemPowerState(code == "6", true);
        ReturnToWatching();
        return;
    }
    const bool version5 = version_.dwMajorVersion == 5;
    if (code == "3")
        flags = version5 ? EWX_POWEROFF : EWX_SHUTDOWN;
    else if (code == "4")
        flags = (version5 ? EWX_POWEROFF : EWX_SHUTDOWN) | EWX_FORCE;
    api_.exitWindowsEx(flags, 0);
}

void PowerControl::ReturnToWatching() {
    state_.ExecutionPhase = kPhaseWatching;
    state_.CpuWatchActive = false;
    setMainTimerInterval_(kScanIntervalMs);
}

} // namespace core
