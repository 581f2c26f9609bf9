#include "core/schedule/Countdown.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Countdown, TextsByAction) {
    auto texts = countdownTexts(PowerAction::PowerOff, "30");
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->title, "電源断予告");
    EXPECT_EQ(texts->message, "30秒後にPowerOffします");
    EXPECT_EQ(countdownTexts(PowerAction::LogOff, "15")->message, "15秒後にログオフします");
    EXPECT_EQ(countdownTexts(PowerAction::ForcedReboot, "30")->title, "強制再起動予告");
    EXPECT_EQ(countdownTexts(PowerAction::Hibernate, "30")->message, "30秒後に休止状態にします");
    EXPECT_EQ(countdownTexts(PowerAction::PowerOff, "030")->message, "030秒後にPowerOffします");
    EXPECT_EQ(countdownTexts(PowerAction::None, "30"), std::nullopt);
}

TEST(Countdown, EndsOnTheLastSecond) {
    SharedState state;
    state.settings.ShutDownTime = "030";
    for (int i = 1; i < 30; ++i)
        ASSERT_FALSE(advanceCountdown(state)) << i;
    EXPECT_EQ(state.ExecutionPhase, Phase::Watching);
    EXPECT_TRUE(advanceCountdown(state));
    EXPECT_EQ(state.CountdownTicks, 30);
    EXPECT_EQ(state.ExecutionPhase, Phase::Execute);
}

TEST(Countdown, ALengthLoweredMeanwhileEndsItAtOnce) {
    SharedState state;
    for (int i = 0; i < 20; ++i)
        advanceCountdown(state);
    state.settings.ShutDownTime = "15";
    EXPECT_TRUE(advanceCountdown(state));
    EXPECT_EQ(state.ExecutionPhase, Phase::Execute);
}
