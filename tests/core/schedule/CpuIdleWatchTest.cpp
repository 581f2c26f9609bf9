#include "core/schedule/CpuIdleWatch.h"

#include <gtest/gtest.h>

using namespace core;

TEST(CpuIdleWatch, CountsIdleTicksAndFiresOnTheExactCount) {
    SharedState state;
    EXPECT_FALSE(advanceCpuIdleWatch(state, 5, 5, 1)) << "the threshold itself is idle";
    EXPECT_EQ(state.CpuIdleTicks, 1);
    advanceCpuIdleWatch(state, 6, 5, 1);
    EXPECT_EQ(state.CpuIdleTicks, 0);
    for (int i = 1; i < 120; ++i)
        ASSERT_FALSE(advanceCpuIdleWatch(state, 0, 5, 1)) << i;
    EXPECT_TRUE(advanceCpuIdleWatch(state, 0, 5, 1));
    EXPECT_EQ(state.CpuIdleTicks, 120);
    EXPECT_FALSE(advanceCpuIdleWatch(state, 0, 5, 1)) << "past the count nothing fires";
}
