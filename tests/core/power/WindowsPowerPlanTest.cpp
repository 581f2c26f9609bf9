#include "core/power/WindowsPowerPlan.h"

#include <gtest/gtest.h>

using namespace core;
namespace wp = core::windows_power;

namespace {

wp::OsVersion version(std::uint32_t major, std::uint32_t platformId = 2) {
    wp::OsVersion v{};
    v.dwMajorVersion = major;
    v.dwPlatformId = platformId;
    return v;
}

std::string planText(PowerAction action, std::uint32_t major) {
    const wp::Plan plan = wp::planRequest(action, version(major));
    const std::string privilege = plan.enablePrivilegeFirst ? "privilege, " : "";
    auto flag = [](bool on) { return on ? std::string("true") : std::string("false"); };
    switch (plan.call) {
    case wp::Call::None:
        return "";
    case wp::Call::Exit:
        return privilege + "ExitWindowsEx " + std::to_string(plan.exitFlags) + " 0";
    case wp::Call::PowerState:
        return privilege + "SetSystemPowerState " + flag(plan.suspendNotHibernate) + " true";
    case wp::Call::Suspend:
        return privilege + "SetSuspendState " + flag(plan.hibernate) + " false false";
    case wp::Call::CommandLine:
        return privilege + "WinExec CMD " + std::string(plan.arguments) + " 7";
    case wp::Call::Lock:
        return privilege + "LockWorkStation";
    case wp::Call::DisplayOff:
        return privilege + "PostMessage SC_MONITORPOWER 2";
    }
    return "?";
}

} // namespace

TEST(WindowsPowerPlan, PrivilegeStepByVersion) {
    struct Case {
        std::uint32_t major; // 0: no query has succeeded
        std::uint32_t platformId;
        bool runs;
    };
    const Case cases[] = {
        {0, 0, true}, {3, 2, true}, {4, 2, true},  {4, 1, false},
        {5, 2, true}, {5, 1, true}, {6, 2, false}, {10, 2, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wp::privilegeStepRuns(version(c.major, c.platformId)), c.runs)
            << c.major << "/" << c.platformId;
}

TEST(WindowsPowerPlan, DecisionTable) {
    struct Row {
        PowerAction action;
        const char* major0to4;
        const char* major5;
        const char* major6;
    };
    const Row table[] = {
        {PowerAction::LogOff, "ExitWindowsEx 0 0", "ExitWindowsEx 0 0",
         "WinExec CMD /c shutdown /l 7"},
        {PowerAction::Reboot, "ExitWindowsEx 2 0", "ExitWindowsEx 2 0",
         "WinExec CMD /c shutdown /r /t 0 7"},
        {PowerAction::PowerOff, "ExitWindowsEx 1 0", "ExitWindowsEx 8 0",
         "WinExec CMD /c shutdown /s /t 0 7"},
        {PowerAction::ForcedPowerOff, "ExitWindowsEx 5 0", "ExitWindowsEx 12 0",
         "WinExec CMD /c shutdown /s /f /t 0 7"},
        {PowerAction::ForcedReboot, "ExitWindowsEx 6 0", "ExitWindowsEx 6 0",
         "WinExec CMD /c shutdown /r /f /t 0 7"},
        // From 6 on, a suspend enables the privilege first.
        {PowerAction::Standby, "SetSystemPowerState true true", "SetSystemPowerState true true",
         "privilege, SetSuspendState false false false"},
        {PowerAction::Hibernate, "SetSystemPowerState false true", "SetSystemPowerState false true",
         "privilege, SetSuspendState true false false"},
        // The same calls on every version, without the shutdown privilege.
        {PowerAction::LockScreen, "LockWorkStation", "LockWorkStation", "LockWorkStation"},
        {PowerAction::DisplayOff, "PostMessage SC_MONITORPOWER 2", "PostMessage SC_MONITORPOWER 2",
         "PostMessage SC_MONITORPOWER 2"},
    };
    for (const auto& row : table) {
        for (std::uint32_t major : {0u, 3u, 4u, 5u, 6u, 10u}) {
            const char* expected = major >= 6   ? row.major6
                                   : major == 5 ? row.major5
                                                : row.major0to4;
            EXPECT_EQ(planText(row.action, major), expected)
                << "action " << static_cast<int>(row.action) << " major " << major;
        }
    }
    for (std::uint32_t major : {0u, 5u, 6u})
        EXPECT_EQ(planText(PowerAction::None, major), "") << "no action, no call, major " << major;
}

TEST(WindowsPowerPlan, CommandInterpreterOfWindows6AndLater) {
    EXPECT_EQ(wp::commandLine("C:\\Windows\\system32\\cmd.exe", "/c shutdown /r /t 0"),
              "C:\\Windows\\system32\\cmd.exe /c shutdown /r /t 0");
    EXPECT_EQ(wp::commandLine("C:\\Program Files\\cmd.exe", "/c shutdown /s /t 0"),
              "\"C:\\Program Files\\cmd.exe\" /c shutdown /s /t 0");
    EXPECT_EQ(wp::commandLine("", "/c shutdown /s /t 0"), std::nullopt)
        << "no interpreter, no command";
}
