#include "core/book/Vocabulary.h"

#include "core/book/ReservationTable.h"
#include "core/power/PowerAction.h"

#include <gtest/gtest.h>

using namespace core;

TEST(ReservationTable, LabelsAndHeaders) {
    ReservationTable table;
    EXPECT_EQ(table.cell(0, 1), "予約１");
    EXPECT_EQ(table.cell(0, 9), "予約９");
    EXPECT_EQ(table.cell(0, 10), "予約10");
    EXPECT_EQ(table.cell(0, 30), "予約30");
    EXPECT_EQ(table.cell(0, 0), "");
    const char* headers[] = {"年月日", "午前午後", "時", "分", "動作", "状態"};
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(table.cell(c, 0), headers[c - 1]);
    EXPECT_EQ(table.cell(DateCell, 30), "");
    EXPECT_THROW(table.cell(7, 1), std::out_of_range);
    EXPECT_THROW(table.setCell(1, 31, "x"), std::out_of_range);
}

TEST(ReservationTable, RowConditionsCountOnlyTheFourTimeCells) {
    ReservationTable table;
    EXPECT_FALSE(table.isComplete(1));
    EXPECT_FALSE(table.isHalfFilled(1));

    table.setCell(ActionCell, 1, "終了");
    table.setCell(StateCell, 1, "稼働");
    EXPECT_FALSE(table.isHalfFilled(1)) << "action and state are not counted";

    table.setCell(DateCell, 1, "毎日");
    EXPECT_TRUE(table.isHalfFilled(1));
    EXPECT_FALSE(table.isOccupied(1));
    table.setCell(PeriodCell, 1, "午前");
    table.setCell(HourCell, 1, "７時");
    EXPECT_TRUE(table.isOccupied(1));
    EXPECT_TRUE(table.isHalfFilled(1));
    table.setCell(MinuteCell, 1, "00分");
    EXPECT_TRUE(table.isComplete(1));
    EXPECT_FALSE(table.isHalfFilled(1));

    auto before = table.revision();
    table.setCell(MinuteCell, 1, "00分");
    EXPECT_EQ(table.revision(), before) << "an unchanged text is no change";
    table.clearRow(1);
    EXPECT_GT(table.revision(), before);
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(table.cell(c, 1), "");
    EXPECT_EQ(table.cell(0, 1), "予約１") << "clearing keeps the label";
}

TEST(Vocabulary, Hour24TextMatchesExactLabelsOnly) {
    EXPECT_EQ(hour24Text("午前", "０時"), "0");
    EXPECT_EQ(hour24Text("午前", "９時"), "9");
    EXPECT_EQ(hour24Text("午前", "11時"), "11");
    EXPECT_EQ(hour24Text("午後", "０時"), "12");
    EXPECT_EQ(hour24Text("午後", "10時"), "22");
    EXPECT_EQ(hour24Text("午後", "11時"), "23");
    EXPECT_EQ(hour24Text("午前", "0時"), "") << "ASCII 0 is not a label";
    EXPECT_EQ(hour24Text("午前", "１０時"), "") << "full-width 10 is not a label";
    EXPECT_EQ(hour24Text("午前", "12時"), "");
    EXPECT_EQ(hour24Text("", "５時"), "");
    EXPECT_EQ(hour24Text("AM", "５時"), "");
}

TEST(Vocabulary, KeysAndDateTimeText) {
    EXPECT_EQ(minuteText("05分"), "05");
    EXPECT_EQ(minuteText("5分"), "5") << "two bytes: the digit and no half of 分";
    EXPECT_EQ(minuteText(""), "");
    EXPECT_EQ(triggerKey("9", "05"), "9:05:00");
    EXPECT_EQ(triggerKey("21", "30"), "21:30:00");
    EXPECT_EQ(triggerKey("", "30"), ":30:00");
    EXPECT_EQ(oneTimeDateTimeText("2007/10/11", "9", "05"), "2007/10/11 9:05:00");
}

TEST(Vocabulary, ReservationKinds) {
    EXPECT_EQ(reservationKind("毎週月～金"), ReservationKind::Weekly);
    EXPECT_EQ(reservationKind("毎日"), ReservationKind::Daily);
    EXPECT_EQ(reservationKind("2007/10/11"), ReservationKind::OneTime);
    EXPECT_EQ(reservationKind(""), ReservationKind::OneTime);
    EXPECT_EQ(reservationKind("毎月"), ReservationKind::Unknown);
}

TEST(Vocabulary, ActionWordsIndicesAndCodes) {
    const std::pair<const char*, int> table[] = {
        {"終了", 3},       {"強制終了", 4}, {"再起動", 2},     {"強制再起", 5}, {"ログオフ", 1},
        {"スタンバイ", 6}, {"休止状態", 7}, {"画面ロック", 8}, {"画面オフ", 9},
    };
    for (int i = 0; i < 9; ++i) {
        const auto action = actionFromWord(table[i].first);
        ASSERT_TRUE(action) << table[i].first;
        EXPECT_EQ(static_cast<int>(*action), table[i].second);
        EXPECT_EQ(actionAtSelectorIndex(i), action);
        EXPECT_EQ(selectorIndexOf(*action), i);
    }
    EXPECT_EQ(actionFromWord("強制再起動"), std::nullopt);
    EXPECT_EQ(actionFromWord(""), std::nullopt);
    EXPECT_EQ(actionAtSelectorIndex(-1), std::nullopt);
    EXPECT_EQ(actionAtSelectorIndex(9), std::nullopt);
    EXPECT_EQ(selectorIndexOf(PowerAction::None), std::nullopt);
    EXPECT_EQ(describe(PowerAction::None), nullptr);
    EXPECT_TRUE(returnsToWatching(PowerAction::Standby));
    EXPECT_TRUE(returnsToWatching(PowerAction::Hibernate));
    // The session goes on after a lock or with the displays off: the table is watched again.
    EXPECT_TRUE(returnsToWatching(PowerAction::LockScreen));
    EXPECT_TRUE(returnsToWatching(PowerAction::DisplayOff));
    EXPECT_FALSE(returnsToWatching(PowerAction::ForcedReboot));
    EXPECT_FALSE(returnsToWatching(PowerAction::None));
}
