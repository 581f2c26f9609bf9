// One tick's decisions: what fires, the CPU-idle hand-over, the administrator's rows first.
#include "TickFixture.h"

using namespace tick_test;

TEST_F(SchedulerTick, CountdownLengthFollowsTheSetting) {
    book(1, "毎日", "午前", "０時", "00分", "ログオフ");
    clock.set(at(2026, 12, 8, 0, 0, 0, 400));
    state.settings.ShutDownTime = "120";
    tick();
    EXPECT_EQ(host.count("countdown 122000"), 1);
    state.settings.ShutDownTime = "abc";
    clock.set(at(2026, 12, 9, 0, 0, 0, 400));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 1) << "a text that is no number counts as 30";
    EXPECT_EQ(state.PendingAction, PowerAction::LogOff);
    for (const char* tooLong : {"2147483647", "2147483", "99999999999999999999"}) {
        state.settings.ShutDownTime = tooLong;
        EXPECT_EQ(countdownTimerInterval(state), 122000) << tooLong;
        EXPECT_EQ(state.settings.shutDownText(), "120") << "the message says what is counted";
    }
    state.settings.ShutDownTime = "030";
    EXPECT_EQ(state.settings.shutDownText(), "030");
}

TEST_F(SchedulerTick, OnlyActiveRowsWithAKnownActionFire) {
    book(1, "毎日", "午後", "０時", "00分", "終了", "停止");
    book(2, "毎日", "午後", "０時", "00分", "シャットダウン");
    book(3, "毎日", "午後", "０時", "00分", "終了", "稼働中");
    state.PendingAction = PowerAction::Standby;
    clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    tick();
    EXPECT_EQ(host.calls, std::vector<std::string>{"unlock"});
    EXPECT_EQ(state.PendingAction, PowerAction::Standby);
}

TEST_F(SchedulerTick, TwoRowsAtOneMinuteBothSetTheActionInRowOrder) {
    book(4, "毎日", "午後", "０時", "00分", "終了");
    book(9, "毎日", "午後", "０時", "00分", "休止状態");
    book(12, "毎週土曜", "午後", "０時", "00分", "ログオフ");
    clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    tick();
    EXPECT_EQ(host.count("countdown 32000"), 2);
    EXPECT_EQ(host.rows, (std::vector<int>{4, 9}));
    EXPECT_EQ(state.PendingAction, PowerAction::Hibernate);
}

TEST_F(SchedulerTick, CpuHandOverEndsTheScanAtOnce) {
    state.settings.CPUchange = "1";
    book(2, "毎日", "午後", "０時", "00分", "スタンバイ");
    book(3, "毎日", "午後", "０時", "00分", "ログオフ");
    book(5, "2026/12/01", "午前", "９時", "05分");
    book(6, "毎日", "午前", "", "");
    clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    tick(5);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"unlock", "watch from row"}));
    EXPECT_EQ(host.rows, std::vector<int>{2});
    EXPECT_EQ(state.PendingAction, PowerAction::Standby);
    EXPECT_TRUE(table.isComplete(5)) << "rows after the hand-over are not scanned";
    EXPECT_TRUE(table.isHalfFilled(6));

    state.settings.CPUchange = "01";
    clock.set(at(2026, 12, 8, 12, 0, 0, 0));
    tick();
    EXPECT_EQ(host.count("watch from row"), 0) << "only exactly \"1\" is on";
    EXPECT_EQ(host.count("countdown 32000"), 2);
}

TEST_F(SchedulerTick, ModesByPriority) {
    book(1, "毎日", "午後", "０時", "00分");
    clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    state.CpuWatchActive = true;
    tick(0, 42);
    EXPECT_EQ(host.calls, std::vector<std::string>{"watch 42"});
    state.ExecutionPhase = Phase::Execute;
    tick();
    EXPECT_EQ(host.calls, std::vector<std::string>{"power"});
}

TEST_F(SchedulerTick, AdministratorsBookingsFireFirstAlsoDuringAWatchAndAreNeverSaved) {
    const auto administer = [this](int row, const char* date, const char* action) {
        const char* cells[] = {date, "午後", "０時", "00分", action, "稼働"};
        for (int c = 0; c < 6; ++c)
            policy.setCell(c + 1, row, cells[c]);
    };
    state.settings.CPUchange = "1";
    book(1, "毎日", "午後", "０時", "00分", "ログオフ");
    administer(2, "毎日", "終了");
    administer(3, "2026/12/07", "再起動");
    clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    tick();
    EXPECT_EQ(host.calls, std::vector<std::string>{"policy countdown"})
        << "the first of them outranks the user's row and is never handed to the watch";
    EXPECT_EQ(host.rows, std::vector<int>{2});
    EXPECT_EQ(state.PendingAction, PowerAction::PowerOff);
    EXPECT_TRUE(policy.isComplete(3)) << "the scan ended with the countdown";

    host.rows.clear();
    state.CpuWatchActive = true;
    clock.set(at(2026, 12, 8, 11, 59, 59, 600));
    tick(0, 9);
    clock.set(at(2026, 12, 8, 12, 0, 1, 500));
    tick(0, 9);
    EXPECT_EQ(host.calls, std::vector<std::string>{"policy countdown"})
        << "caught up while the watch holds the user's table";
    EXPECT_EQ(host.rows, std::vector<int>{2});
    EXPECT_TRUE(policy.isEmpty(3)) << "the passed one-time booking went, unsaved";
    EXPECT_EQ(host.count("save"), 0);
    ASSERT_EQ(host.notices.size(), 1u) << "its moment while the countdown held the tick";

    state.ExecutionPhase = Phase::Execute;
    clock.set(at(2026, 12, 9, 12, 0, 0, 0));
    tick();
    EXPECT_EQ(host.calls, std::vector<std::string>{"power"}) << "a request under way comes first";
}

TEST_F(SchedulerTick, HalfFilledRowsAreClearedAndSaved) {
    book(3, "毎日", "", "", "", "終了", "稼働");
    book(4, "", "", "", "", "終了", "稼働");
    tick();
    EXPECT_EQ(host.count("save"), 1);
    EXPECT_EQ(table.cell(StateCell, 3), "");
    EXPECT_EQ(table.cell(ActionCell, 4), "終了") << "action and state alone are not counted";
}

TEST_F(SchedulerTick, UnparsableOneTimeRowIsKeptAndTheScanGoesOn) {
    book(1, "2026-12-07", "午前", "９時", "05分");
    book(2, "2026/12/01", "午前", "９時", "05分");
    clock.set(at(2026, 12, 7, 10, 0, 0));
    tick(1);
    EXPECT_TRUE(table.isComplete(1));
    EXPECT_FALSE(table.isOccupied(2));
    EXPECT_EQ(host.remaining, std::nullopt);
    EXPECT_EQ(host.count("hide remaining"), 1);
}

TEST_F(SchedulerTick, RemainingTimeOfTheSelectedRow) {
    book(1, "2026/12/08", "午後", "２時", "03分");
    book(2, "毎日", "午後", "２時", "03分");
    clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    tick(1);
    ASSERT_TRUE(host.remaining);
    EXPECT_EQ(host.remaining->days, 1);
    EXPECT_EQ(host.remaining->hours, 2);
    EXPECT_EQ(host.remaining->minutes, 3);
    EXPECT_EQ(host.count("remaining"), 1) << "only the selected row shows";

    clock.set(at(2026, 12, 7, 12, 0, 59, 999));
    tick(1);
    EXPECT_EQ(host.remaining->hours * 60 + host.remaining->minutes, 122)
        << "whole minutes, truncated";

    tick(2);
    EXPECT_EQ(host.calls.back(), "hide remaining");
    tick(7);
    EXPECT_EQ(host.calls.back(), "hide remaining") << "an empty row hides the labels";
    tick(0);
    EXPECT_EQ(host.count("hide remaining") + host.count("remaining"), 0);
}

TEST_F(SchedulerTick, SaveFailureEndsTheTick) {
    book(1, "毎日", "", "", "");
    book(2, "毎日", "午前", "", "");
    host.failSaves = true;
    EXPECT_THROW(tick(), std::runtime_error);
    EXPECT_EQ(table.cell(DateCell, 1), "") << "cleared in memory before the save";
    EXPECT_EQ(table.cell(DateCell, 2), "毎日") << "the tick ended before row 2";
    host.failSaves = false;
    tick();
    EXPECT_EQ(table.cell(DateCell, 2), "");
}
