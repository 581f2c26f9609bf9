#include "WindowsPowerPlan.h"

namespace core::windows_power {

namespace {

// From 6 on the actions are commands of the system's command interpreter. Log-off needs its
// own switch: "shutdown /f" alone does nothing.
std::string_view shutdownArguments(PowerOperation operation, bool forced) {
    switch (operation) {
    case PowerOperation::EndSession:
        return "/c shutdown /l";
    case PowerOperation::Restart:
        return forced ? "/c shutdown /r /f /t 0" : "/c shutdown /r /t 0";
    case PowerOperation::PowerOff:
        return forced ? "/c shutdown /s /f /t 0" : "/c shutdown /s /t 0";
    case PowerOperation::Suspend:
    case PowerOperation::Hibernate:
    case PowerOperation::Lock:
    case PowerOperation::DisplayOff:
        break;
    }
    return {};
}

std::uint32_t exitFlags(PowerOperation operation, bool forced, std::uint32_t major) {
    std::uint32_t flags = kExitLogOff;
    if (operation == PowerOperation::Restart)
        flags = kExitReboot;
    else if (operation == PowerOperation::PowerOff)
        flags = major == 5 ? kExitPowerOff : kExitShutdown;
    return forced ? flags | kExitForce : flags;
}

} // namespace

bool privilegeStepRuns(const OsVersion& version) {
    const std::uint32_t major = version.dwMajorVersion;
    if (major != 0 && major != 3 && major != 4 && major != 5)
        return false;
    return !(major == 4 && version.dwPlatformId == kPlatformWindows9x);
}

Plan planRequest(PowerAction action, const OsVersion& version) {
    const ActionDescription* description = describe(action);
    if (description == nullptr)
        return {};
    const PowerOperation operation = description->operation;
    Plan plan;
    if (operation == PowerOperation::Lock || operation == PowerOperation::DisplayOff) {
        plan.call = operation == PowerOperation::Lock ? Call::Lock : Call::DisplayOff;
        return plan;
    }
    const bool suspends =
        operation == PowerOperation::Suspend || operation == PowerOperation::Hibernate;
    if (version.dwMajorVersion >= 6) {
        if (suspends) {
            plan.call = Call::Suspend;
            plan.enablePrivilegeFirst = true;
            plan.hibernate = operation == PowerOperation::Hibernate;
        } else {
            plan.call = Call::CommandLine;
            plan.arguments = shutdownArguments(operation, description->forced);
        }
    } else if (suspends) {
        plan.call = Call::PowerState;
        plan.suspendNotHibernate = operation == PowerOperation::Suspend;
    } else {
        plan.call = Call::Exit;
        plan.exitFlags = exitFlags(operation, description->forced, version.dwMajorVersion);
    }
    return plan;
}

std::optional<std::string> commandLine(std::string interpreter, std::string_view arguments) {
    // 64-bit Windows has no command.com: the system's own interpreter runs the command.
    if (interpreter.empty())
        return std::nullopt;
    if (interpreter.find(' ') != std::string::npos)
        interpreter = '"' + interpreter + '"';
    return interpreter + " " + std::string(arguments);
}

} // namespace core::windows_power
