#include "core/schedule/PowerControl.h"

#include "core/power/WindowsPowerPlan.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePowerPort.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemoryFileStore.h"

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
    testing_support::FakeClock clock{testing_support::at(2026, 12, 7, 2, 0, 2)};
    testing_support::MemoryFileStore files;
    History history{files, "history.txt", clock};
    PowerControl power{port,    state, prompter,
                       history, clock, [this](int ms) { intervals.push_back(ms); }};

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

TEST(PowerControl, EachAnswerGoesIntoTheHistoryOnceAtTheMomentOfItsRequest) {
    Rig rig;
    rig.port.whileAsked = [&] { rig.clock.set(testing_support::at(2026, 12, 7, 7, 30, 0)); };
    rig.power.beginRequests();
    rig.run(PowerAction::Standby);
    rig.port.whileAsked = nullptr;
    rig.power.beginRequests();
    rig.run(PowerAction::PowerOff);
    rig.run(PowerAction::PowerOff); // the next tick asks again
    rig.port.refusal = "アクセスが拒否されました。";
    rig.run(PowerAction::PowerOff);
    rig.run(PowerAction::PowerOff);
    rig.port.refusal.reset();
    rig.port.silent = true;
    rig.run(PowerAction::PowerOff);
    EXPECT_EQ(rig.files.files["history.txt"],
              "\xEF\xBB\xBF"
              "2026/12/07 2:00:02\t要求\tスタンバイの要求が受け付けられました。\n"
              "2026/12/07 7:30:00\t要求\t電源断の要求が受け付けられました。\n"
              "2026/12/07 7:30:00\t要求\t電源断できませんでした。アクセスが拒否されました。\n"
              "2026/12/07 7:30:00\t要求\t電源断の要求にまだ応答がありません。"
              "このあと実行されることがあります。\n");
    EXPECT_EQ(rig.prompter.errors,
              std::vector<std::string>{"電源断できませんでした。アクセスが拒否されました。"})
        << "an acceptance is no box; a refusal is one box per series";
}
