#include "core/schedule/PowerControl.h"

#include "core/power/WindowsPowerPlan.h"
#include "tests/support/FakePowerPort.h"
#include "tests/support/FakePrompter.h"

#include <gtest/gtest.h>

using namespace core;
using Calls = std::vector<std::string>;
namespace wp = core::windows_power;

namespace {

struct Rig {
    testing_support::FakePowerPort port;
    SharedState state;
    std::vector<int> intervals;
    testing_support::FakePrompter prompter;
    PowerControl power{port, state, prompter, [this](int ms) { intervals.push_back(ms); }};

    void run(PowerAction action) {
        state.PendingAction = action;
        power.EnableShutdownPrivilege();
        power.ExecutePowerAction();
    }
};

// The plan as one line, in the words of the calls it makes.
} // namespace

TEST(PowerControl, StandbyAndHibernateReturnToWatching) {
    for (PowerAction action : {PowerAction::Standby, PowerAction::Hibernate}) {
        Rig rig;
        rig.state.ExecutionPhase = Phase::Execute;
        rig.state.CpuWatchActive = true;
        rig.run(action);
        EXPECT_EQ(rig.port.calls.size(), 2u);
        EXPECT_EQ(rig.state.ExecutionPhase, Phase::Watching);
        EXPECT_FALSE(rig.state.CpuWatchActive);
        EXPECT_EQ(rig.intervals, std::vector<int>{500});
    }
    Rig rig;
    rig.state.ExecutionPhase = Phase::Execute;
    rig.run(PowerAction::PowerOff);
    EXPECT_EQ(rig.port.calls, (Calls{"prepare", "request poweroff"}));
    EXPECT_EQ(rig.state.ExecutionPhase, Phase::Execute) << "the next tick asks again";
    EXPECT_TRUE(rig.intervals.empty());
}

TEST(PowerControl, NoActionRequestsNothing) {
    Rig rig;
    rig.run(PowerAction::None);
    EXPECT_EQ(rig.port.calls, Calls{"prepare"});
    EXPECT_TRUE(rig.intervals.empty());
}
