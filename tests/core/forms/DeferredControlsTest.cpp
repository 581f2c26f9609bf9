#include "core/forms/DeferredControls.h"

#include "tests/support/FakeWindowControls.h"

#include <gtest/gtest.h>

using namespace core;

TEST(DeferredControls, KeepsTheValuesUntilTheWidgetsExistThenHandsThemOver) {
    testing_support::FakeWindowControls face;
    std::vector<std::string> reported;
    DeferredControls controls(
        face, [&] { reported.emplace_back("threshold"); },
        [&] { reported.emplace_back("duration"); }, [&] { reported.emplace_back("job"); });

    controls.setThresholdPercent(250);
    controls.setThresholdPercent(100);
    controls.setDurationMinutes(3);
    EXPECT_EQ(reported, std::vector<std::string>{"threshold"}) << "clamped, and only a change";
    EXPECT_EQ(controls.thresholdPercent(), 100);
    controls.setJobFields({true, "ignored", false, 250000, 3});
    controls.setJobFields({true, "", false, 100000, 3});
    EXPECT_EQ(reported, (std::vector<std::string>{"threshold", "job"}));
    EXPECT_EQ(controls.jobFields(), (JobFields{true, "", false, 100000, 3}))
        << "the rate clamped, the program's text its own";
    controls.selectEqualItem(Selector::Action, "スタンバイ");
    controls.selectEqualItem(Selector::Action, "no such item");
    EXPECT_EQ(controls.selectedItem(Selector::Action), "スタンバイ");
    EXPECT_EQ(controls.selectedItem(Selector::Period), "") << "nothing selected yet";
    controls.selectIndex(Selector::ElapsedMinutes, 30);
    controls.showTab(kCpuTab);
    controls.selectRow(4);
    controls.showClock("12:00:00");
    // A later appearance that leaves the book button as it is keeps the earlier lock of it.
    controls.applyLocks({false, false, false, "locked", true});
    controls.applyLocks({true, true, std::nullopt, "", true});
    controls.showTable();
    controls.addTrayIcon();
    EXPECT_TRUE(face.trayIcon) << "the tray is the window's from the start";
    EXPECT_EQ(face.tableShows, 0);
    EXPECT_EQ(face.threshold, 5);

    controls.widgetsBuilt();
    EXPECT_EQ(face.threshold, 100);
    EXPECT_EQ(face.job.networkRate, 100000);
    EXPECT_EQ(face.selectedItem(Selector::Action), "スタンバイ");
    EXPECT_EQ(face.itemIndex(Selector::Period), -1);
    EXPECT_EQ(face.selectedItem(Selector::ElapsedMinutes), "30");
    EXPECT_EQ(face.tab, kCpuTab);
    EXPECT_EQ(face.row, 4);
    EXPECT_EQ(face.clockText, "12:00:00");
    EXPECT_EQ(face.locked, std::optional<bool>(true));
    EXPECT_EQ(face.tableShows, 1);

    controls.showClock("12:00:01");
    face.threshold = 7;
    EXPECT_EQ(face.clockText, "12:00:01");
    EXPECT_EQ(controls.thresholdPercent(), 7) << "the widgets hold the values now";
}
