#include "core/schedule/ProgramEnds.h"

#include "tests/support/FakeProcesses.h"

#include <gtest/gtest.h>

using namespace core;

TEST(ProgramEnds, EveryProgramEndsFirstAndANameIsLookedForAgain) {
    EXPECT_EQ(processTarget("1234").id, 1234);
    EXPECT_EQ(processTarget("render.exe").name, "render.exe");
    EXPECT_EQ(processTarget("7zip").name, "7zip") << "a name that begins with digits";

    testing_support::FakeProcesses processes;
    processes.running = {"render", "4242"};
    ProgramEnds ends(processes);
    int held = 0;
    EXPECT_EQ(ends.start({"render", "4242", "rendr"}, [&] { ++held; }),
              "そのプログラムは動いていません。");
    EXPECT_TRUE(processes.waits.empty()) << "a mistyped name waits for nothing";

    ASSERT_EQ(ends.start({"render", "4242"}, [&] { ++held; }), std::nullopt);
    EXPECT_EQ(ends.names(), "render, 4242");
    processes.end("4242");
    EXPECT_EQ(held, 0);
    processes.end("render", true);
    EXPECT_EQ(held, 0) << "a successor of the same name is waited for";
    processes.end("render");
    EXPECT_EQ(held, 1);

    processes.running = {"render"};
    ASSERT_EQ(ends.start({"render"}, [&] { ++held; }), std::nullopt);
    auto late = processes.waits["render"];
    ends.stop();
    late();
    EXPECT_EQ(held, 1) << "an end told after the watch stopped";
}
