#include "core/base/Settings.h"

#include "core/forms/SpinRule.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Settings, NumbersFallBackToTheirDefaults) {
    Settings settings;
    EXPECT_EQ(settings.shutDownSeconds(), 30);
    EXPECT_EQ(settings.cpuPercent(), 5);
    EXPECT_EQ(settings.cpuMinutes(), 3);
    settings.ShutDownTime = "030";
    EXPECT_EQ(settings.shutDownSeconds(), 30);
    settings.ShutDownTime = "15";
    EXPECT_EQ(settings.shutDownSeconds(), 15);
    for (const char* bad : {"", "1.5", " 15", "15s", "0x10", "0", "-4", "-99999999999"}) {
        settings.ShutDownTime = bad;
        EXPECT_EQ(settings.shutDownSeconds(), 30) << bad;
    }
    settings.CPUPersent = "-3";
    EXPECT_EQ(settings.cpuPercent(), -3);
    settings.CPUMinitu = "x";
    EXPECT_EQ(settings.cpuMinutes(), 3);
}

TEST(Settings, OnlyExactlyOneIsOn) {
    EXPECT_TRUE(isOn("1"));
    EXPECT_FALSE(isOn("01"));
    EXPECT_FALSE(isOn("1 "));
    EXPECT_FALSE(isOn("true"));
    EXPECT_FALSE(isOn(""));
}

TEST(SpinRule, TypedValuesStandUntilTheFieldIsLeft) {
    const SpinRange range{1, 100};
    EXPECT_EQ(range.value("250"), 250);
    EXPECT_EQ(range.value("x"), 1) << "no number reads as the minimum";
    EXPECT_EQ(range.correctionOnLeaving("250"), 100);
    EXPECT_EQ(range.correctionOnLeaving(""), 1);
    EXPECT_EQ(range.correctionOnLeaving("007"), 7) << "written as the value";
    EXPECT_EQ(range.correctionOnLeaving("42"), std::nullopt);
    EXPECT_EQ(range.stepped("250", -1), 100) << "an arrow brings a typed value into range";
    EXPECT_EQ(range.stepped("100", 1), 100);
    EXPECT_EQ(range.stepped("5", -1), 4);
}
