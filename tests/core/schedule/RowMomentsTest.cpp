// When a row comes: its second, a tick held up, moments passed over, notices ahead, weekdays.
#include "TickFixture.h"

using namespace tick_test;

TEST_F(SchedulerTick, DailyRowFiresOnlyDuringItsSecond) {
    book(1, "毎日", "午後", "０時", "00分");
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 0);
    clock.set(at(2026, 12, 7, 12, 0, 0, 20));
    tick();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"unlock", "countdown 32000"}));
    EXPECT_EQ(state.PendingAction, PowerAction::PowerOff);
    clock.set(at(2026, 12, 7, 12, 0, 1, 0));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 0);
    EXPECT_EQ(table.cell(DateCell, 1), "毎日") << "recurring rows never expire";
    clock.set(at(2026, 12, 7, 11, 59, 59, 500));
    tick();
    clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 0) << "a clock set back does not fire it again";
    clock.set(at(2026, 12, 8, 12, 0, 0, 0));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 1) << "the next day it does";
}

TEST_F(SchedulerTick, TickHeldUpPastTheSecondCatchesUpWithinTheMinute) {
    book(1, "毎日", "午後", "０時", "00分");
    book(2, "2026/12/07", "午後", "０時", "00分", "再起動");
    tick(); // 11:59:59.600
    clock.set(at(2026, 12, 7, 12, 0, 1, 800));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 2) << "both rows fire late";
    EXPECT_TRUE(host.notices.empty()) << "nothing was missed";
    EXPECT_EQ(state.PendingAction, PowerAction::Reboot);
    EXPECT_TRUE(table.cell(DateCell, 2).empty()) << "the one-time row fired, then expired";
    clock.set(at(2026, 12, 7, 12, 0, 33, 800));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 0) << "fires once";

    clock.set(at(2026, 12, 8, 11, 59, 59, 600));
    tick();
    clock.set(at(2026, 12, 8, 12, 1, 0, 100));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 0) << "the row's minute has passed";

    clock.set(at(2026, 12, 9, 11, 59, 59, 600));
    tick();
    clock.set(at(2026, 12, 9, 12, 0, 5, 0));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 1);
    clock.set(at(2026, 12, 9, 12, 0, 2, 0));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 0) << "a clock set back catches nothing up";

    state.CpuWatchActive = true;
    clock.set(at(2026, 12, 10, 11, 59, 59, 600));
    tick();
    state.CpuWatchActive = false;
    clock.set(at(2026, 12, 10, 12, 0, 2, 0));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 0) << "time spent watching is not caught up";
}

TEST_F(SchedulerTick, MomentsPassedOverAreSaidOnceNotFired) {
    book(1, "毎日", "午後", "０時", "00分");
    book(2, "2026/12/07", "午後", "０時", "30分", "再起動");
    book(3, "毎日", "午後", "０時", "10分", "終了", "停止");
    book(4, "2026/12/07", "午前", "９時", "00分", "ログオフ");
    book(5, "2026/12/07", "午前", "９時", "00分", "終了", "停止");
    book(6, "毎日", "午前", "８時", "00分");
    tick(); // 11:59:59.600, the first look since the start
    ASSERT_EQ(host.notices.size(), 1u) << "only active one-time rows are said at the start";
    EXPECT_EQ(host.notices[0],
              (Notice{"起動前に予約の時刻が過ぎました", "2026/12/07 9:00 ログオフ", std::nullopt}));
    EXPECT_TRUE(table.cell(DateCell, 5).empty()) << "the stopped one is removed all the same";

    host.notices.clear();
    clock.set(at(2026, 12, 8, 12, 0, 40, 0)); // asleep for a day
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 1) << "this minute's moment is caught up";
    ASSERT_EQ(host.notices.size(), 1u);
    EXPECT_EQ(host.notices[0].summary, "スリープ中に予約の時刻が過ぎました");
    EXPECT_EQ(host.notices[0].body,
              "2026/12/07 12:00 電源断\n2026/12/07 12:30 再起動\n2026/12/08 8:00 電源断")
        << "earliest first; not the stopped row, not today's caught-up moment";
    EXPECT_TRUE(table.cell(DateCell, 2).empty());

    host.notices.clear();
    state.CpuWatchActive = true;
    clock.set(at(2026, 12, 9, 12, 5, 0, 0));
    tick();
    state.CpuWatchActive = false;
    clock.set(at(2026, 12, 9, 12, 6, 0, 0));
    tick();
    EXPECT_TRUE(host.notices.empty()) << "what the watch held is not said";

    clock.set(at(2026, 12, 10, 12, 0, 0, 5));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 1);
    host.notices.clear();                      // the day's 8:00, passed over
    clock.set(at(2026, 12, 10, 11, 58, 0, 0)); // set back, then forward past the fired minute
    tick();
    clock.set(at(2026, 12, 10, 12, 5, 0, 0));
    tick();
    EXPECT_TRUE(host.notices.empty()) << "a minute the row fired in is no minute missed";
}

TEST_F(SchedulerTick, NoticeOnceAheadOfEachMoment) {
    AdvanceNotices notices;
    book(1, "毎日", "午後", "０時", "00分");
    book(2, "毎週火曜", "午前", "０時", "02分", "休止状態");
    book(3, "毎日", "午後", "０時", "03分", "終了", "停止");
    notices.observe(table, at(2026, 12, 7, 11, 0, 0, 0)); // the start
    EXPECT_TRUE(notices.due(table, 5, at(2026, 12, 7, 11, 54, 59, 0)).empty());
    EXPECT_EQ(notices.due(table, 5, at(2026, 12, 7, 11, 55, 0, 1)),
              (std::vector<Notice>{
                  {"電源断予告", "12:00 に電源断します。", at(2026, 12, 7, 12, 0, 0, 0)}}));
    EXPECT_TRUE(notices.due(table, 5, at(2026, 12, 7, 11, 56, 0, 1)).empty()) << "once";
    EXPECT_TRUE(notices.due(table, 5, at(2026, 12, 7, 11, 50, 0, 1)).empty())
        << "nor again when the clock is set back";
    EXPECT_EQ(notices.due(table, 5, at(2026, 12, 7, 23, 57, 0, 1)),
              (std::vector<Notice>{
                  {"休止状態予告", "0:02 に休止状態にします。", at(2026, 12, 8, 0, 2, 0, 0)}}))
        << "a Tuesday moment, noticed on the Monday";

    // Booked before its notice window, and inside it.
    book(4, "毎日", "午後", "１時", "00分", "再起動");
    notices.observe(table, at(2026, 12, 8, 12, 54, 0, 0));
    EXPECT_EQ(notices.due(table, 5, at(2026, 12, 8, 12, 55, 0, 1)),
              (std::vector<Notice>{
                  {"再起動予告", "13:00 に再起動します。", at(2026, 12, 8, 13, 0, 0, 0)}}));
    book(5, "毎日", "午後", "１時", "01分", "再起動");
    notices.observe(table, at(2026, 12, 8, 12, 56, 30, 0));
    EXPECT_TRUE(notices.due(table, 5, at(2026, 12, 8, 12, 57, 0, 1)).empty())
        << "booked inside its window";
    table.setCell(StateCell, 3, "稼働");
    EXPECT_TRUE(notices.due(table, 5, at(2026, 12, 9, 12, 0, 0, 1)).empty())
        << "re-activated inside its window";

    AdvanceNotices started;
    started.observe(table, at(2026, 12, 10, 11, 58, 0, 0));
    EXPECT_EQ(started.due(table, 5, at(2026, 12, 10, 11, 58, 0, 1)).size(), 2u)
        << "a start inside the window says it at once";

    // The bookings of one moment share one notice: a tray icon shows one balloon at a time.
    book(6, "毎日", "午後", "３時", "00分", "ログオフ");
    book(7, "毎日", "午後", "３時", "00分", "終了");
    book(8, "毎日", "午後", "３時", "00分", "ログオフ");
    book(9, "毎日", "午後", "３時", "01分", "スタンバイ");
    started.observe(table, at(2026, 12, 10, 14, 0, 0, 0));
    EXPECT_EQ(started.due(table, 5, at(2026, 12, 10, 14, 56, 0, 1)),
              (std::vector<Notice>{{"ログオフ予告・電源断予告",
                                    "15:00 にログオフします。\n15:00 に電源断します。",
                                    at(2026, 12, 10, 15, 0, 0, 0)},
                                   {"スタンバイ予告", "15:01 にスタンバイ状態にします。",
                                    at(2026, 12, 10, 15, 1, 0, 0)}}));
}

TEST_F(SchedulerTick, OneTimeRowFiresAndIsRemovedInTheSameTick) {
    book(1, "2026/12/07", "午前", "９時", "05分", "再起動");
    book(2, "2026/12/08", "午前", "９時", "05分");
    clock.set(at(2026, 12, 7, 9, 5, 0, 3));
    tick();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"unlock", "countdown 32000", "save"}));
    EXPECT_EQ(state.PendingAction, PowerAction::Reboot);
    EXPECT_FALSE(table.isOccupied(1));
    EXPECT_EQ(table.cell(StateCell, 1), "");
    EXPECT_TRUE(table.isComplete(2)) << "tomorrow's row stays";
}

TEST_F(SchedulerTick, ExpiryAllowsOneMillisecond) {
    book(1, "2026/12/07", "午前", "９時", "05分", "終了", "停止");
    clock.set(at(2026, 12, 7, 9, 5, 0, 0));
    tick();
    EXPECT_TRUE(table.isComplete(1));
    clock.set(at(2026, 12, 7, 9, 5, 0, 1));
    tick();
    EXPECT_FALSE(table.isOccupied(1)) << "a stopped row expires too";
    EXPECT_EQ(host.count("countdown 32000"), 0) << "and never fires";
}

TEST_F(SchedulerTick, WeeklyRowsFollowTheWeekdayTable) {
    struct Case {
        const char* dateCell;
        std::vector<int> dueDays; // 6 = Sunday 2026-12-06 ... 12 = Saturday
    };
    const Case cases[] = {
        {"毎週日曜", {6}},
        {"毎週月曜", {7}},
        {"毎週火曜", {8}},
        {"毎週水曜", {9}},
        {"毎週木曜", {10}},
        {"毎週金曜", {11}},
        {"毎週土曜", {12}},
        {"毎週月～金", {7, 8, 9, 10, 11}},
        {"毎週月～土", {7, 8, 9, 10, 11, 12}},
        {"毎週土日", {6, 12}},
        {"毎週祝日", {}},
        {"毎月", {}},
    };
    for (const auto& c : cases) {
        for (int d = 6; d <= 12; ++d) {
            table = ReservationTable{};
            book(1, c.dateCell, "午後", "10時", "30分");
            clock.set(at(2026, 12, static_cast<unsigned>(d), 22, 30, 0, 100));
            tick();
            bool due = std::find(c.dueDays.begin(), c.dueDays.end(), d) != c.dueDays.end();
            EXPECT_EQ(host.count("countdown 32000"), due ? 1 : 0) << c.dateCell << " day " << d;
        }
    }
}
