// The session's countdown from its start to the requests after it, under the policy's limits.
#include "SessionWindow.h"

#include <gtest/gtest.h>

using namespace session_test;

TEST(MainWindowModel, TickCadences) {
    using std::chrono::milliseconds;
    Window w({"毎日,午後,０時,00分,スタンバイ,稼働"});
    EXPECT_FALSE(w.tickTimer.every);
    EXPECT_EQ(w.tickTimer.moment, milliseconds(301)) << "the loaded file at 12:00:00.001";
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 4));
    w.tickTimer.fire();
    EXPECT_EQ(w.controls.countdowns, 1);
    EXPECT_FALSE(w.tickTimer.moment);
    EXPECT_EQ(w.tickTimer.every, milliseconds(32000)) << "stretched, from the tick that set it";
    w.model.setWindowShown(true);
    w.clock.set(at(2026, 12, 7, 12, 0, 32, 4));
    w.tickTimer.fire();
    EXPECT_EQ(w.tickTimer.intervalStarts, 1) << "a showing and a tick keep the interval running";
    w.state.ExecutionPhase = Phase::Execute;
    w.tickTimer.fire(); // the standby, and back to watching
    EXPECT_FALSE(w.tickTimer.every);
    EXPECT_EQ(w.tickTimer.moment, milliseconds(497)) << "shown: every half second";
    w.model.setWindowShown(false);
    EXPECT_EQ(w.tickTimer.moment, milliseconds(27997)) << "hidden: the next minute";
    w.model.Button1Click();
    EXPECT_EQ(w.tickTimer.moment, milliseconds(497)) << "the watch samples every half second";
    w.model.Button5Click();
    w.clock.set(at(2026, 12, 7, 10, 0, 30));
    w.tickTimer.setClock();
    EXPECT_EQ(w.tickTimer.moment, milliseconds(30001)) << "a clock set back arms anew";
    w.clock.set(at(2026, 12, 8, 12, 0, 0, 4));
    w.tickTimer.fire();
    w.clock.set(at(2026, 12, 8, 12, 0, 10, 0));
    w.tickTimer.resume();
    EXPECT_EQ(w.controls.clockText, "12:00:00") << "a resume during a countdown does not scan";
}

TEST(MainWindowModel, ExecutePhaseAndTrayCommandsRequestTheAction) {
    Window w;
    w.state.ExecutionPhase = Phase::Execute;
    w.state.PendingAction = PowerAction::PowerOff;
    w.model.Timer1Timer();
    EXPECT_EQ(w.power.calls, (Texts{"prepare", "request poweroff"}));
    EXPECT_EQ(w.state.ExecutionPhase, Phase::Execute) << "asked again at the next tick";

    w.model.N4Click();
    EXPECT_EQ(w.power.calls.back(), "request reboot");
    w.power.calls.clear();
    w.prompter.answer = false;
    w.model.N5Click();
    EXPECT_EQ(w.prompter.questions, Texts{"強制的に再起動しますか？"});
    EXPECT_TRUE(w.power.calls.empty());
    EXPECT_EQ(w.state.PendingAction, PowerAction::Reboot);
    w.prompter.answer = true;
    w.model.N5Click();
    EXPECT_EQ(w.power.calls.back(), "request force-reboot");
    w.model.N2Click();
    EXPECT_EQ(w.state.PendingAction, PowerAction::PowerOff);
}

TEST(MainWindowModel, ARefusalIsShownOncePerCountdownAndPerTrayCommand) {
    Window w({"2026/12/07,午後,０時,00分,休止状態,稼働"});
    w.power.refusal = "アクセスが拒否されました。";
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 40));
    w.model.Timer1Timer();
    w.state.ExecutionPhase = Phase::Execute; // the countdown ran out
    w.ticks(3);
    EXPECT_EQ(w.prompter.errors, Texts{"休止状態できませんでした。アクセスが拒否されました。"});

    w.model.N2Click();
    w.model.N2Click();
    EXPECT_EQ(w.prompter.errors.size(), 3u);
    EXPECT_EQ(w.prompter.errors.back(), "電源断できませんでした。アクセスが拒否されました。");
}

TEST(MainWindowModel, PostponingBooksTenMinutesOnAndHoldsTheMachineAwakeMeanwhile) {
    Window w({"毎日,午後,０時,00分,スタンバイ,稼働"});
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 4));
    w.tickTimer.fire();
    EXPECT_TRUE(w.awake.held) << "from the countdown's showing";
    w.clock.set(at(2026, 12, 7, 12, 0, 20, 0));
    EXPECT_EQ(w.model.countdownPostponed(), std::nullopt);
    EXPECT_FALSE(w.awake.held);
    EXPECT_FALSE(w.tickTimer.every) << "back on the wall clock";
    EXPECT_EQ(w.table.cell(DateCell, 2) + w.table.cell(MinuteCell, 2) +
                  w.table.cell(ActionCell, 2) + w.table.cell(StateCell, 2),
              "2026/12/0710分スタンバイ稼働");
    EXPECT_EQ(w.controls.row, 1) << "the selection stays";
    EXPECT_EQ(w.controls.confirmed, Texts{"スタンバイを 12:10 に延期しました。"})
        << "said to a reader, with the moment booked";
    EXPECT_NE(w.files.files["SetTimeData.txt"].find(encodeCp932("2026/12/07,午後,０時,10分")),
              std::string::npos);

    w.clock.set(at(2026, 12, 7, 12, 10, 0, 4));
    w.tickTimer.fire(); // the postponed row fires and expires; the daily one stays
    w.clock.set(at(2026, 12, 7, 12, 59, 30, 0));
    EXPECT_EQ(w.model.countdownPostponed(), std::nullopt) << "postponed again";
    EXPECT_EQ(w.table.cell(HourCell, 2) + w.table.cell(MinuteCell, 2), "１時09分");

    w.clock.set(at(2026, 12, 8, 12, 0, 0, 4));
    w.tickTimer.fire();
    for (int row = 2; row <= kLastReservation; ++row)
        w.table.setCell(ActionCell, row, "終了"); // in use, though nothing else is set
    EXPECT_EQ(w.model.countdownPostponed(),
              "予約の空きがないので延期できません。カウントダウンは続きます。");
    EXPECT_TRUE(w.prompter.informed.empty()) << "no box covers the countdown";
    EXPECT_TRUE(w.awake.held) << "the count goes on";
    w.table.setCell(ActionCell, 2, "");
    w.files.refuseWrites = true;
    EXPECT_EQ(w.model.countdownPostponed(),
              "予約を保存できません: SetTimeData.txt: Permission denied");
    EXPECT_TRUE(w.prompter.errors.empty());
    EXPECT_TRUE(w.table.isEmpty(2)) << "a postponement that could not be saved is undone";
    EXPECT_TRUE(w.awake.held) << "the count goes on";
    w.files.refuseWrites = false;
    w.state.ExecutionPhase = Phase::Execute;
    w.tickTimer.fire();
    EXPECT_FALSE(w.awake.held) << "released before the standby is asked for";
    EXPECT_EQ(w.power.calls.back(), "request standby");

    Window watch;
    watch.model.Button1Click();
    watch.state.CpuIdleTicks = 3 * 120 - 1;
    watch.tickTimer.fire();
    ASSERT_EQ(watch.controls.countdowns, 1);
    EXPECT_EQ(watch.model.countdownPostponed(), std::nullopt);
    EXPECT_TRUE(watch.state.CpuWatchActive) << "the watch counts a full idle period again";
    EXPECT_EQ(watch.state.CpuIdleTicks, 0);
    EXPECT_EQ(firstEmptyRow(watch.table), 1) << "nothing booked";
    EXPECT_FALSE(watch.awake.held);
}

TEST(MainWindowModel, AnAcceptedCancelRequestsNothingAndLeavesNoGapBehind) {
    const std::string threeSeconds = "[SET]\r\nShutDownTime=3\r\n";
    Window w({}, threeSeconds);
    const auto run = [&](std::vector<std::string> args) {
        return w.model.runCommandLine({"ja", args});
    };
    w.controls.onCancelCountdown = [&](CancelledBy by) { w.model.countdownCancelled(by); };
    ASSERT_EQ(run({"--now", "standby"}).status, kDone);
    w.state.ExecutionPhase = Phase::Execute; // the count ran out; the next tick would ask
    EXPECT_EQ(run({"--cancel"}), (CommandAnswer{kDone, "キャンセルしました。\n", ""}));
    w.tickTimer.fire();
    EXPECT_TRUE(w.power.calls.empty());

    ASSERT_EQ(run({"--now", "standby"}).status, kDone);
    w.state.ExecutionPhase = Phase::Execute;
    EXPECT_EQ(w.model.countdownPostponed(), std::nullopt);
    w.tickTimer.fire();
    EXPECT_TRUE(w.power.calls.empty()) << "postponed: nothing asked for";

    ASSERT_EQ(run({"--now", "poweroff"}).status, kDone);
    w.state.ExecutionPhase = Phase::Execute;
    w.tickTimer.fire();
    EXPECT_EQ(w.power.calls.back(), "request poweroff");
    EXPECT_EQ(run({"--cancel"}),
              (CommandAnswer{kDone, "繰り返していた電源操作の要求を止めました。\n", ""}));
    w.power.calls.clear();
    w.tickTimer.fire();
    EXPECT_TRUE(w.power.calls.empty()) << "the repeat ends";
    w.model.cancelFromTray();
    EXPECT_EQ(w.prompter.informed, Texts{"カウントダウンは動いていません。"})
        << "the tray's キャンセル";

    // Under a policy that forbids cancelling, only the system's own call-off ends the repeat.
    ASSERT_EQ(run({"--now", "reboot"}).status, kDone);
    w.state.Limits.cancelAllowed = false;
    w.state.ExecutionPhase = Phase::Execute;
    w.tickTimer.fire();
    w.model.cancelFromTray();
    EXPECT_EQ(w.prompter.informed.back(), "管理者の設定で、キャンセルできません。");
    EXPECT_EQ(run({"--cancel"}).status, kRefused);
    w.tickTimer.fire();
    EXPECT_EQ(w.power.calls.back(), "request reboot") << "asked again";
    w.model.sessionEndCalledOff();
    w.power.calls.clear();
    w.tickTimer.fire();
    EXPECT_TRUE(w.power.calls.empty());
    EXPECT_EQ(historyEvents(w.files).back(), "キャンセル\t再起動: システムが終了を取り消しました");

    // Moments inside a long countdown are neither said missed nor caught up after its cancel.
    Window gap({"毎日,午後,０時,00分,スタンバイ,稼働", "毎日,午後,０時,01分,終了,稼働"},
               "[SET]\r\nShutDownTime=90\r\n");
    gap.model.setWindowShown(true);
    gap.clock.set(at(2026, 12, 7, 12, 0, 0, 4));
    gap.tickTimer.fire();
    ASSERT_EQ(gap.controls.countdowns, 1);
    gap.clock.set(at(2026, 12, 7, 12, 1, 10, 0));
    gap.model.countdownCancelled(CancelledBy::Button);
    gap.clock.set(at(2026, 12, 7, 12, 1, 10, 500));
    gap.tickTimer.fire();
    gap.clock.set(at(2026, 12, 7, 12, 2, 0, 0));
    gap.tickTimer.fire();
    EXPECT_EQ(gap.controls.countdowns, 1) << "not fired late";
    EXPECT_TRUE(gap.controls.notices.empty()) << "nothing slept";
}

TEST(MainWindowModel, AnAdministratorsBookingsFireUnderThePolicysLimits) {
    Window w({"毎日,午後,０時,00分,ログオフ,稼働"});
    PolicyLayer machine{.place = "HKLM",
                        .allowCancel = false,
                        .maxPostpones = 1,
                        .minimumCountdown = 60,
                        .bookings = testing_support::numbered({"poweroff --at 12:00 --daily"})};
    w.policy.set({machine, {.place = "HKCU", .allowCancel = true, .allowUserBookings = false}});
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 4));
    w.tickTimer.fire();
    ASSERT_EQ(w.controls.countdowns, 1);
    EXPECT_EQ(w.state.PendingAction, PowerAction::PowerOff) << "the administrator's outranks";
    EXPECT_EQ(w.tickTimer.every, std::chrono::milliseconds(62000)) << "the least length";
    EXPECT_EQ(w.state.Limits, (CountdownLimits{false, true, 60}));
    const CommandAnswer refused = w.model.runCommandLine({"ja", {"--cancel"}});
    EXPECT_EQ(refused.status, kRefused);
    EXPECT_EQ(refused.err, "管理者の設定で、キャンセルできません。\n");
    EXPECT_FALSE(w.model.FormCloseQuery()) << "ソフト終了 and the close box are refused too";
    EXPECT_EQ(w.prompter.informed, Texts{"管理者の設定で、キャンセルできません。\n"
                                         "カウントダウンが終わるまで、終了もできません。"});

    w.clock.set(at(2026, 12, 7, 12, 0, 30, 0));
    EXPECT_EQ(w.model.countdownPostponed(), std::nullopt);
    EXPECT_EQ(firstEmptyRow(w.table), 2) << "the user's table holds no postponement";
    EXPECT_EQ(w.files.files["SetTimeData.txt"],
              encodeCp932("毎日,午後,０時,00分,ログオフ,稼働\r\n"));
    EXPECT_EQ(w.state.Limits, CountdownLimits{}) << "the next countdown is the user's own";
    EXPECT_TRUE(w.model.FormCloseQuery());
    EXPECT_EQ(w.files.files["/opt/bwm/Brindlewhistmoore-postponed.txt"],
              "2026/12/07\t午後\t０時\t10分\t終了\t稼働\t1\t1\n")
        << "kept for a restart";
    w.clock.set(at(2026, 12, 7, 12, 10, 0, 4));
    w.tickTimer.fire();
    ASSERT_EQ(w.controls.countdowns, 2) << "the postponed moment fires";
    EXPECT_FALSE(w.state.Limits.postponeAllowed) << "one postponement was allowed";
    EXPECT_EQ(w.controls.policyLine, "管理者の予約: 1件");
    w.model.openPolicyBookings();
    EXPECT_EQ(w.controls.policyLines,
              (std::vector<PolicyBookingLine>{
                  {"管理者の予約1", "毎日", "午後０時00分", "終了", "2026/12/08 12:00"},
                  {"管理者の予約1 (10分延期)", "2026/12/07", "午後０時10分", "終了", ""}}))
        << "the postponed moment passed: the scan clears it at the next look";
    EXPECT_EQ(w.controls.policyLimits,
              "キャンセル: できない  10分延期: 1回まで  カウントダウン: 60秒以上  予約の変更: "
              "できない");
    EXPECT_EQ(w.model.countdownPostponed(), "管理者の設定で、これ以上延期できません。");

    const Texts events = historyEvents(w.files);
    EXPECT_EQ(Texts(events.begin(), events.begin() + 3),
              (Texts{"カウントダウン\t電源断: 管理者の予約1 毎日 午後０時00分 終了",
                     "10分延期\t電源断: 管理者の予約1 2026/12/07 午後０時10分 終了",
                     "カウントダウン\t電源断: 管理者の予約1 2026/12/07 午後０時10分 終了"}))
        << "a postponement is named by its booking";
}

TEST(MainWindowModel, ACountdownTakesNothingInAndHoldsTheAdministratorsBookingUpUntilItEnds) {
    using std::chrono::milliseconds;
    const PolicyLayer daily{.place = "/etc/p.ini",
                            .allowCancel = false,
                            .minimumCountdown = 20,
                            .bookings = testing_support::numbered({"poweroff --at 22:00 --daily"})};
    Window w({"毎日,午後,１０時,01分,スタンバイ,稼働"}, "[SET]\r\nShutDownTime=3\r\n");
    w.policy.set({daily});
    w.clock.set(at(2026, 12, 7, 21, 59, 48, 0));
    w.tickTimer.fire();
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--now", "standby"}}).status, kDone);
    w.clock.set(at(2026, 12, 7, 22, 0, 5, 100));
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_EQ(w.tickTimer.moment, milliseconds(401)) << "a look at once, not the next minute";
    w.clock.set(at(2026, 12, 7, 22, 0, 5, 501));
    w.tickTimer.fire();
    ASSERT_EQ(w.controls.countdowns, 2) << "the administrator's booking comes, late";
    EXPECT_EQ(w.state.PendingAction, PowerAction::PowerOff);
    EXPECT_FALSE(w.state.Limits.cancelAllowed);
    EXPECT_TRUE(w.controls.notices.empty()) << "nothing slept, nothing was missed";

    // The count made longer in the settings: the tick armed for the shorter one takes nothing
    // in, the user's row of the next minute included, and the request follows the count's end.
    w.state.settings.ShutDownTime = "120";
    w.clock.set(at(2026, 12, 7, 22, 1, 0, 1));
    w.tickTimer.fire();
    EXPECT_EQ(w.controls.countdowns, 2);
    EXPECT_EQ(w.state.PendingAction, PowerAction::PowerOff);
    w.state.ExecutionPhase = Phase::Execute;
    w.model.countdownFinished();
    EXPECT_EQ(w.tickTimer.every, milliseconds(2000));
    for (int tick = 0; tick < 3; ++tick)
        w.tickTimer.fire();
    EXPECT_EQ(w.power.calls, (Texts{"prepare", "request poweroff", "prepare", "request poweroff",
                                    "prepare", "request poweroff"}));
    EXPECT_EQ(w.tickTimer.every, milliseconds(122000)) << "repeated a count's length apart";
    const Texts events = historyEvents(w.files);
    EXPECT_EQ(std::count(events.begin(), events.end(),
                         "要求\t電源断: 終わるまで 122 秒ごとに繰り返し要求します"),
              1)
        << "the repeat said once";
}

TEST(MainWindowModel, ABookingWaitsForFullScreenWorkOnceAndAtMostThePolicysMinutes) {
    Window w({"2026/12/07,午後,０時,00分,終了,稼働", "毎日,午後,１時,00分,再起動,稼働"},
             "[SET]\r\nDEFERchange=1\r\n");
    w.busy.now = Busy{BusyKind::FullScreen, {}};
    const auto tickAt = [&](int hour, int minute, int second) {
        w.clock.set(at(2026, 12, 7, hour, minute, second, 1));
        w.tickTimer.fire();
    };
    tickAt(12, 0, 0);
    EXPECT_EQ(w.controls.countdowns, 0) << "full screen: the countdown waits";
    EXPECT_EQ(w.controls.notices.back().body, "全画面表示中のため、電源断を待っています。");
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--list"}}).out,
              "1\t2026/12/07\t午後\t０時\t00分\t終了\t待機中\n"
              "2\t毎日\t午後\t１時\t00分\t再起動\t稼働\n")
        << "the one-time row stays, shown as waiting";
    const int looks = w.busy.looks;
    tickAt(12, 0, 30);
    EXPECT_EQ(w.busy.looks, looks) << "looked at again only after a minute";
    w.busy.now.reset();
    tickAt(12, 1, 0);
    ASSERT_EQ(w.controls.countdowns, 1) << "within a minute of the full screen's end";
    EXPECT_EQ(w.state.PendingAction, PowerAction::PowerOff);
    EXPECT_EQ(w.table.cell(DateCell, 1), "") << "gone once its countdown started";
    w.model.countdownCancelled(CancelledBy::Button);
    tickAt(12, 1, 30);
    EXPECT_EQ(w.controls.countdowns, 1) << "it fired once";

    // The administrator turns the guard on whatever the user's setting, for two minutes at most.
    w.policy.set({{.place = "HKLM", .deferWhileBusy = true, .maxDeferMinutes = 2}});
    w.state.settings.DEFERchange = "0";
    w.busy.now = Busy{BusyKind::Inhibited, "vlc"};
    tickAt(13, 0, 0);
    EXPECT_EQ(w.controls.notices.back().body, "vlc の抑止中のため、再起動を待っています。");
    tickAt(13, 1, 0);
    EXPECT_EQ(w.controls.countdowns, 1);
    tickAt(13, 2, 0);
    ASSERT_EQ(w.controls.countdowns, 2) << "gave up waiting after the policy's two minutes";
    EXPECT_EQ(w.state.PendingAction, PowerAction::Reboot);
    EXPECT_EQ(w.table.cell(StateCell, 2), "稼働") << "a daily row stays";
    w.model.countdownCancelled(CancelledBy::Button);

    // 停止 of the waiting row ends the wait with no countdown.
    w.clock.set(at(2026, 12, 8, 12, 59, 0, 1));
    w.tickTimer.fire();
    w.clock.set(at(2026, 12, 8, 13, 0, 0, 1));
    w.tickTimer.fire();
    EXPECT_TRUE(w.state.BusyWaitActive);
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--stop", "2"}}).status, kDone);
    w.clock.set(at(2026, 12, 8, 13, 0, 0, 501));
    w.tickTimer.fire();
    EXPECT_FALSE(w.state.BusyWaitActive);
    EXPECT_EQ(w.controls.countdowns, 2);
    const Texts events = historyEvents(w.files);
    EXPECT_EQ(events.back(), "待機\t再起動: 予約が変わったので、待つのをやめました");
    for (const char* line :
         {"待機\t電源断: 全画面表示中のため待ちます: 予約1 2026/12/07 午後０時00分 終了",
          "待機\t電源断: 全画面表示中が終わりました",
          "待機\t再起動: vlc の抑止中のため待ちます: 予約2 毎日 午後１時00分 再起動",
          "待機\t再起動: 2 分待ちました。まだ終わりませんが、始めます"})
        EXPECT_NE(std::find(events.begin(), events.end(), line), events.end()) << line;
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& e) { return e.starts_with("未実行"); }),
              0)
        << "nothing that waited is reported missed";
}

TEST(MainWindowModel, APowerOffOrRebootCountIsInTheSystemsScheduleWhileItRuns) {
    using Event = ShutdownSchedule::Event;
    Window w({"毎日,午後,０時,00分,終了,稼働", "毎日,午後,０時,01分,スタンバイ,稼働"},
             "[SET]\r\nShutDownTime=20\r\n");
    w.controls.onCancelCountdown = [&](CancelledBy by) { w.model.countdownCancelled(by); };
    const auto now = [&](const char* action) {
        ASSERT_EQ(w.model.runCommandLine({"ja", {"--now", action}}).status, kDone);
    };
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 4));
    w.tickTimer.fire();
    w.model.countdownCancelled(CancelledBy::Button);
    w.clock.set(at(2026, 12, 7, 12, 1, 0, 4));
    w.tickTimer.fire();
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_EQ(w.schedule.calls, (Texts{"announce poweroff 20", "withdraw"})) << "not standby";
    // The system's log gets the booking of a countdown's lines as fields of their own.
    ASSERT_EQ(w.log.entries.size(), 4U);
    EXPECT_EQ(w.log.entries[1].booking, (LogBooking{"予約1", "poweroff", "2026/12/07 12:00"}));
    EXPECT_EQ(w.log.entries[3].booking, (LogBooking{"予約2", "standby", "2026/12/07 12:01"}));

    now("reboot");
    EXPECT_EQ(w.log.entries.back().booking, std::nullopt) << "--now is no booking";
    w.state.CountdownTicks = 5;
    EXPECT_EQ(w.model.countdownPostponed(), std::nullopt);
    now("poweroff");
    w.schedule.tell(Event::Withdrawn);
    EXPECT_EQ(historyEvents(w.files).back(),
              "キャンセル\t電源断: システムの予定から取り消されました")
        << "withdrawn by another program: cancelled";
    now("reboot");
    w.schedule.tell(Event::Replaced);
    w.model.countdownCancelled(CancelledBy::Button);
    now("poweroff");
    w.state.ExecutionPhase = Phase::Execute;
    w.model.countdownFinished();
    w.tickTimer.fire();
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--cancel"}}).status, kDone);
    EXPECT_EQ(w.schedule.calls,
              (Texts{"announce poweroff 20", "withdraw", "announce reboot 20", "withdraw",
                     "announce poweroff 20", "announce reboot 20", "announce poweroff 20"}))
        << "a postponement withdraws; one withdrawn, replaced or come is not withdrawn again";

    // Refused: said once while the program runs; the count goes on.
    w.schedule.calls.clear();
    for (int i = 0; i < 2; ++i) {
        now("poweroff");
        w.schedule.tell(Event::Refused, "Access denied");
        EXPECT_EQ(w.model.runCommandLine({"ja", {"--cancel"}}).status, kDone) << "it goes on";
    }
    const Texts events = historyEvents(w.files);
    EXPECT_EQ(std::count(events.begin(), events.end(),
                         "カウントダウン\t電源断: システムの予定に載せられません: Access denied"),
              1);
    EXPECT_EQ(w.schedule.calls, (Texts{"announce poweroff 20", "announce poweroff 20"}));

    // The administrator's countdown may not be cancelled: withdrawn, it is announced again.
    w.schedule.calls.clear();
    now("poweroff");
    w.state.Limits.cancelAllowed = false;
    w.state.CountdownTicks = 12;
    w.schedule.tell(Event::Withdrawn);
    EXPECT_EQ(w.schedule.calls, (Texts{"announce poweroff 20", "announce poweroff 8"}));
}

TEST(MainWindowModel, TheCommandBeforeTheActionRunsThenTheRequestFollowsOrIsCalledOff) {
    Window w({}, "[SET]\r\nShutDownTime=3\r\nPRECOMMAND=backup --quick\r\nPRECOMMANDTime=5\r\n");
    w.controls.onCancelCountdown = [&](CancelledBy by) { w.model.countdownCancelled(by); };
    const auto countRunsOut = [&](const char* action) {
        ASSERT_EQ(w.model.runCommandLine({"ja", {"--now", action}}).status, kDone);
        w.state.ExecutionPhase = Phase::Execute;
    };
    countRunsOut("poweroff");
    EXPECT_EQ(w.model.countdownFinished(), "実行前のコマンドを待っています(残り5秒)");
    w.tickTimer.fire();
    EXPECT_TRUE(w.power.calls.empty()) << "the request waits for the command";
    w.clock.set(w.clock.now() + std::chrono::milliseconds(1500));
    EXPECT_EQ(w.model.countdownFinished(), "実行前のコマンドを待っています(残り4秒)");
    w.commands.end = CommandEnd{0, "copied\r\n\tsaved 3\x1b files\n\n"};
    EXPECT_EQ(w.model.countdownFinished(), std::nullopt);
    w.tickTimer.fire();
    EXPECT_EQ(w.power.calls, (Texts{"prepare", "request poweroff"}));
    Texts events = historyEvents(w.files);
    EXPECT_EQ(Texts(events.end() - 3, events.end() - 1),
              (Texts{"実行前のコマンド\t電源断: 実行します: backup --quick",
                     "実行前のコマンド\t電源断: 終了コード 0、1.5 秒:  saved 3  files"}));
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--cancel"}}).status, kDone);

    // A failure goes on to the request unless the user asked otherwise; a cancel ends it.
    countRunsOut("reboot");
    w.model.countdownFinished();
    w.commands.end = CommandEnd{3, "ok\n\x82\xa0 latin-1 \xe9\n"};
    w.model.countdownFinished();
    w.tickTimer.fire();
    EXPECT_EQ(w.power.calls.back(), "request reboot");
    EXPECT_EQ(historyEvents(w.files).end()[-2],
              "実行前のコマンド\t再起動: 終了コード 3、0.0 秒: ?? latin-1 ?")
        << "no byte that is not UTF-8 reaches the history";
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--cancel"}}).status, kDone);
    countRunsOut("reboot");
    w.model.countdownFinished();
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_EQ(w.commands.calls.back(), "stop");
    EXPECT_EQ(historyEvents(w.files).back(), "実行前のコマンド\t再起動: 0.0 秒で止めました");

    // With "失敗したら中止する": a time up or a program that will not start calls the action off.
    w.power.calls.clear();
    w.state.settings.ABORTchange = "1";
    countRunsOut("poweroff");
    w.model.countdownFinished();
    w.clock.set(w.clock.now() + std::chrono::seconds(5));
    EXPECT_EQ(w.model.countdownFinished(), std::nullopt);
    EXPECT_EQ(w.commands.calls.back(), "stop");
    EXPECT_EQ(historyEvents(w.files).back(),
              "実行前のコマンド\t電源断: 5 秒で終わらないので止めました (失敗したので中止します)");
    EXPECT_EQ(w.controls.notices.back().body,
              "実行前のコマンドが失敗したので、電源断を中止しました。");
    w.commands.startRefusal = "No such file or directory";
    countRunsOut("poweroff");
    EXPECT_EQ(w.model.countdownFinished(), std::nullopt);
    w.tickTimer.fire();
    EXPECT_TRUE(w.power.calls.empty()) << "called off twice";
    EXPECT_EQ(w.state.ExecutionPhase, Phase::Watching);

    // The administrator's command runs instead; the user's does not call off a countdown that
    // may not be cancelled, and a policy can forbid it.
    w.commands.startRefusal.reset();
    w.policy.set({{.place = "/etc/p.ini", .preActionCommand = "/usr/sbin/site-hook"}});
    w.tickTimer.fire();
    countRunsOut("poweroff");
    w.model.countdownFinished();
    EXPECT_EQ(w.commands.calls.back(), "start /usr/sbin/site-hook");
    w.model.countdownCancelled(CancelledBy::Button);
    w.policy.set({});
    w.tickTimer.fire();
    countRunsOut("poweroff");
    w.state.Limits.cancelAllowed = false;
    w.model.countdownFinished();
    w.commands.end = CommandEnd{1, "disk full"};
    w.model.countdownFinished();
    w.tickTimer.fire();
    EXPECT_EQ(w.power.calls, (Texts{"prepare", "request poweroff"}));
    w.model.sessionEndCalledOff();
    w.policy.set({{.place = "/etc/p.ini", .allowUserCommand = false}});
    w.tickTimer.fire();
    const std::size_t started = w.commands.calls.size();
    countRunsOut("reboot");
    EXPECT_EQ(w.model.countdownFinished(), std::nullopt);
    EXPECT_EQ(w.commands.calls.size(), started);
    EXPECT_EQ(historyEvents(w.files).back(),
              "実行前のコマンド\t再起動: 管理者の設定で、利用者のコマンドは実行しません");
}
