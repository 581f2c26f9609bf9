#include "core/PowerControl.h"

#include "tests/support/FakePowerApi.h"
#include "tests/support/FakePrompter.h"

#include <gtest/gtest.h>

using namespace core;
using Calls = std::vector<std::string>;

namespace {

struct Rig {
    testing_support::FakePowerApi api;
    SharedState state;
    std::vector<int> intervals;
    testing_support::FakePrompter prompter;
    PowerControl power{api, state, prompter, [this](int ms) { intervals.push_back(ms); }};

    // The request made for one code, after a privilege step.
    std::string requestFor(const std::string& code) {
        state.PendingAction = code;
        power.EnableShutdownPrivilege();
        api.calls.clear();
        power.ExecutePowerAction();
        return api.calls.empty() ? "" : api.calls.front();
    }
};

const Calls kPrivilegeStep{"GetVersionEx size 148", "OpenProcessToken 40",
                           "LookupPrivilegeValue SeShutdownPrivilege",
                           "AdjustTokenPrivileges 77 1 19 2"};

} // namespace

TEST(PowerControl, PrivilegeStepByVersion) {
    struct Case {
        int major; // -1: the query fails
        std::uint32_t platformId;
        bool runs;
    };
    const Case cases[] = {
        {-1, 0, true}, {3, 2, true}, {4, 2, true},  {4, 1, false},
        {5, 2, true},  {5, 1, true}, {6, 2, false}, {10, 2, false},
    };
    for (const auto& c : cases) {
        Rig rig;
        if (c.major >= 0)
            rig.api.reportVersion(static_cast<std::uint32_t>(c.major), c.platformId);
        rig.power.EnableShutdownPrivilege();
        Calls expected = c.runs ? kPrivilegeStep : Calls{"GetVersionEx size 148"};
        EXPECT_EQ(rig.api.calls, expected) << c.major << "/" << c.platformId;
    }
}

TEST(PowerControl, PrivilegeFailuresEndTheStepSilently) {
    Rig rig;
    rig.api.tokenOpens = false;
    rig.power.EnableShutdownPrivilege();
    EXPECT_EQ(rig.api.calls, (Calls{"GetVersionEx size 148", "OpenProcessToken 40"}));

    Rig lookup;
    lookup.api.lookupSucceeds = false;
    EXPECT_EQ(lookup.requestFor("3"), "ExitWindowsEx 1 0") << "the action is requested anyway";
}

TEST(PowerControl, FailedQueryKeepsTheLastGoodVersion) {
    Rig rig;
    rig.api.reportVersion(6, 2);
    rig.power.EnableShutdownPrivilege();
    EXPECT_EQ(rig.power.osVersion().dwMajorVersion, 6u);
    rig.api = testing_support::FakePowerApi{};
    EXPECT_EQ(rig.requestFor("2"), "WinExec C:\\Windows\\system32\\cmd.exe /c shutdown /r /t 0 7");
    EXPECT_EQ(rig.power.osVersion().dwOSVersionInfoSize, 148u);
}

TEST(PowerControl, DecisionTable) {
    struct Row {
        const char* code;
        const char* major0to4;
        const char* major5;
        const char* major6;
    };
    const Row table[] = {
        {"1", "ExitWindowsEx 0 0", "ExitWindowsEx 0 0", "WinExec CMD /c shutdown /l 7"},
        {"2", "ExitWindowsEx 2 0", "ExitWindowsEx 2 0", "WinExec CMD /c shutdown /r /t 0 7"},
        {"3", "ExitWindowsEx 1 0", "ExitWindowsEx 8 0", "WinExec CMD /c shutdown /s /t 0 7"},
        {"4", "ExitWindowsEx 5 0", "ExitWindowsEx 12 0", "WinExec CMD /c shutdown /s /f /t 0 7"},
        {"5", "ExitWindowsEx 6 0", "ExitWindowsEx 6 0", "WinExec CMD /c shutdown /r /f /t 0 7"},
        {"6", "SetSystemPowerState true true", "SetSystemPowerState true true",
         "SetSuspendState false false false"},
        {"7", "SetSystemPowerState false true", "SetSystemPowerState false true",
         "SetSuspendState true false false"},
    };
    for (const auto& row : table) {
        for (int major : {0, 3, 4, 5, 6, 10}) {
            Rig rig;
            rig.api.interpreter = "CMD";
            if (major != 0)
                rig.api.reportVersion(static_cast<std::uint32_t>(major), 2);
            const char* expected = major >= 6   ? row.major6
                                   : major == 5 ? row.major5
                                                : row.major0to4;
            rig.requestFor(row.code);
            // From 6 on, a suspend enables the privilege first.
            EXPECT_EQ(rig.api.calls.back(), expected) << "code " << row.code << " major " << major;
            EXPECT_EQ(rig.api.calls.size(), major >= 6 && row.code[0] >= '6' ? 4u : 1u);
        }
    }
}

TEST(PowerControl, StandbyAndHibernateReturnToWatching) {
    for (const char* code : {"6", "7"}) {
        for (int major : {4, 6}) {
            Rig rig;
            rig.api.reportVersion(static_cast<std::uint32_t>(major), 1);
            rig.state.ExecutionPhase = "2";
            rig.state.CpuWatchActive = true;
            rig.requestFor(code);
            EXPECT_EQ(rig.state.ExecutionPhase, "1");
            EXPECT_FALSE(rig.state.CpuWatchActive);
            EXPECT_EQ(rig.intervals, std::vector<int>{500});
        }
    }
    Rig rig;
    rig.state.ExecutionPhase = "2";
    rig.requestFor("3");
    EXPECT_EQ(rig.state.ExecutionPhase, "2") << "the next tick asks again";
    EXPECT_TRUE(rig.intervals.empty());
}

TEST(PowerControl, CommandInterpreterOfWindows6AndLater) {
    Rig rig;
    rig.api.reportVersion(10, 2);
    rig.api.interpreter = "C:\\Program Files\\cmd.exe";
    EXPECT_EQ(rig.requestFor("3"), "WinExec \"C:\\Program Files\\cmd.exe\" /c shutdown /s /t 0 7");
    rig.api.interpreter.clear();
    EXPECT_EQ(rig.requestFor("3"), "") << "no interpreter, no command";
}

TEST(PowerControl, UnknownCodesRequestNothing) {
    for (int major : {0, 5, 6}) {
        for (const char* code : {"0", "", "8", "33", "a"}) {
            Rig rig;
            if (major != 0)
                rig.api.reportVersion(static_cast<std::uint32_t>(major), 2);
            EXPECT_EQ(rig.requestFor(code), "") << "code '" << code << "' major " << major;
        }
    }
}
