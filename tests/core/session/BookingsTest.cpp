// The session's bookings as the window and the commands reach them: the table, its file, the
// notices, the wake timer, the tray's tip and the administrator's table.
#include "SessionWindow.h"

#include <gtest/gtest.h>

using namespace session_test;

TEST(MainWindowModel, TheTrayTipFollowsTheNextBooking) {
    Window none;
    EXPECT_EQ(none.controls.trayTips, Texts{"Brindlewhistmoore"});
    Window w({"毎日,午後,１時,00分,スタンバイ,稼働"});
    EXPECT_EQ(w.controls.trayTips, Texts{"次の予約: 13:00 スタンバイ"});
    w.ticks(3);
    EXPECT_EQ(w.controls.trayTips.size(), 1u) << "only a change reaches the icon";
    w.clock.set(at(2026, 12, 7, 13, 30, 0));
    w.ticks(1);
    EXPECT_EQ(w.controls.trayTips.back(), "次の予約: 2026/12/08 13:00 スタンバイ");
}

TEST(MainWindowModel, WidgetsBuiltLateShowWhatTheSessionKept) {
    Window w({"2026/12/08,午後,２時,03分,終了,稼働"},
             "[SET]\r\nCPUPersent=250\r\nNETRate=250000\r\n");
    EXPECT_TRUE(w.controls.trayIcon) << "the tray is the window's from the start";
    MainWindowValues values = w.model.values();
    EXPECT_EQ(values.thresholdPercent, 100) << "clamped as the field clamps it";
    EXPECT_EQ(values.job, (JobFields{false, "", false, 100000, 3, false, 30, ""}));
    values.selectEqualItem(Selector::Action, "スタンバイ");
    values.selectEqualItem(Selector::Action, "no such item");
    EXPECT_EQ(values.selectedItem(Selector::Action), "スタンバイ");
    EXPECT_EQ(values.selectedItem(Selector::Period), "") << "nothing selected yet";
    values.tab = kCpuTab;
    values.job.program = "render";
    w.model.valuesChanged(values);
    w.cpu.usage = 7;
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 40));
    w.model.Timer1Timer();
    // A later appearance that leaves the book button as it is keeps the earlier lock of it.
    w.model.Button1Click();
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_EQ(w.controls.locked, std::nullopt);

    testing_support::FakeWindowControls& built = w.controls;
    built.threshold = 5;
    built.selected.clear();
    built.tab = kTimeTab;
    built.job = {};
    built.clockText.clear();
    built.usageText.clear();
    built.remaining.reset();
    built.tableShows = 0;
    w.power.unavailableAction = PowerAction::DisplayOff;
    w.model.widgetsBuilt();
    EXPECT_EQ(built.actionsUnavailable,
              (std::vector<std::string>{"", "", "", "", "", "", "", "", "no way here"}))
        << "the display-off shown disabled with its reason";
    EXPECT_EQ(built.threshold, 100);
    EXPECT_EQ(built.job, (JobFields{false, "render", false, 100000, 3, false, 30, ""}));
    EXPECT_EQ(built.selectedItem(Selector::Action), "スタンバイ");
    EXPECT_EQ(built.itemIndex(Selector::Period), -1);
    EXPECT_EQ(built.selectedItem(Selector::ElapsedMinutes), "30");
    EXPECT_EQ(built.tab, kCpuTab);
    EXPECT_EQ(built.row, 1);
    EXPECT_EQ(built.clockText, "12:00:00");
    EXPECT_EQ(built.usageText, "  7");
    EXPECT_TRUE(built.remaining.has_value());
    EXPECT_EQ(built.locked, std::optional<bool>(true));
    EXPECT_EQ(built.tableShows, 1);
}

TEST(MainWindowModel, TickFiresSavesAndDraws) {
    Window w({"2026/12/07,午後,０時,00分,再起動,稼働", "毎日,午前,,,,",
              "2026/12/08,午後,２時,03分,終了,停止"});
    w.controls.row = 3;
    w.controls.report();
    w.cpu.usage = 7;
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 40));
    w.model.Timer1Timer();
    EXPECT_EQ(w.controls.clockText, "12:00:00");
    EXPECT_EQ(w.controls.usageText, "  7");
    EXPECT_EQ(w.controls.countdowns, 1);
    EXPECT_EQ(w.tickTimer.every, std::chrono::milliseconds(32000));
    EXPECT_EQ(w.controls.tableShows, 2) << "after the load and after the tick";
    ASSERT_TRUE(w.controls.remaining.has_value()) << "the scan reached the selected row";
    EXPECT_EQ(w.controls.locked, false);

    w.controls.kind = BookingKind::Weekly;
    w.controls.report();
    w.model.Timer1Timer();
    EXPECT_TRUE(w.controls.weekdaysShown);

    Window refused({"毎日,午前,,,,"});
    refused.files.refuseWrites = true;
    refused.model.Timer1Timer();
    EXPECT_EQ(refused.prompter.errors,
              Texts{"予約を保存できません: SetTimeData.txt: Permission denied"});
    EXPECT_EQ(refused.controls.clockText, "11:59:59") << "drawn before the error";
}

// When the next tick comes, as the window and the countdown change.

TEST(MainWindowModel, AHistoryNotWrittenIsSaidOnceAndCoversNoCountdown) {
    Window w;
    w.files.refuseAppends = true;
    w.model.runCommandLine({"ja", {"--now", "logoff"}});
    w.tickTimer.fire();
    EXPECT_TRUE(w.prompter.errors.empty()) << "the countdown stays usable";
    w.model.countdownCancelled(CancelledBy::Button);
    w.tickTimer.fire();
    w.tickTimer.fire();
    ASSERT_EQ(w.prompter.errors.size(), 1u);
    EXPECT_TRUE(w.prompter.errors[0].starts_with("履歴ファイルに書き込めません。"));
    EXPECT_EQ(w.state.ExecutionPhase, Phase::Watching);

    w.model.openHistory();
    EXPECT_EQ(w.prompter.informed, Texts{"履歴はまだありません。"});
    w.files.files["/opt/bwm/Brindlewhistmoore-history.txt"] = "";
    w.viewer.failure = "xdg-open を起動できません: No such file or directory";
    w.model.openHistory();
    EXPECT_EQ(w.viewer.opened, Texts{"/opt/bwm/Brindlewhistmoore-history.txt"});
    EXPECT_EQ(w.prompter.errors.back(),
              "履歴を開けません。\n/opt/bwm/Brindlewhistmoore-history.txt\n"
              "xdg-open を起動できません: No such file or directory");
}

TEST(MainWindowModel, NoticesComeWhileTheTableIsWatched) {
    const std::string row = "毎日,午後,０時,04分,終了,稼働";
    Window w({row});
    w.tickTimer.fire();
    EXPECT_EQ(w.controls.notices, (std::vector<Notice>{{"電源断予告", "12:04 に電源断します。",
                                                        at(2026, 12, 7, 12, 4, 0, 0)}}))
        << "started inside the notice window";

    Window off({row}, "[SET]\r\nNOTICEchange=0\r\n");
    off.tickTimer.fire();
    Window watching({row});
    watching.model.Button1Click();
    watching.tickTimer.fire();
    EXPECT_TRUE(off.controls.notices.empty() && watching.controls.notices.empty());

    // A resume looks at once, and says what the sleep passed over.
    w.clock.set(at(2026, 12, 7, 12, 30, 0, 0));
    w.tickTimer.resume();
    ASSERT_EQ(w.controls.notices.size(), 2u);
    EXPECT_EQ(w.controls.notices[1].summary, "スリープ中に予約の時刻が過ぎました");
    w.model.runBooking(&BookingCommands::Delete1Click);
    w.clock.set(at(2026, 12, 8, 11, 56, 0, 1));
    w.tickTimer.fire();
    EXPECT_EQ(w.controls.notices.size(), 2u) << "the deleted row";
}

TEST(MainWindowModel, TheWakeTimerStandsBeforeTheNextBooking) {
    Window w({"毎日,午後,０時,00分,終了,稼働", "毎日,午前,９時,00分,終了,停止"},
             "[SET]\r\nWAKEchange=1\r\n");
    w.tickTimer.fire();
    EXPECT_EQ(w.wake.set, (std::vector<std::optional<LocalTime>>{at(2026, 12, 7, 11, 59, 0, 0)}));
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 4));
    w.tickTimer.fire();
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_EQ(w.wake.set.back(), at(2026, 12, 8, 11, 59, 0, 0))
        << "after the firing, not the stopped row";
    const std::size_t sets = w.wake.set.size();
    w.tickTimer.fire();
    EXPECT_EQ(w.wake.set.size(), sets) << "set again only when it changes";
    w.tickTimer.setClock();
    EXPECT_EQ(w.wake.set.size(), sets + 1) << "and after the clock was set";

    w.clock.set(at(2026, 12, 8, 11, 59, 2, 0));
    w.tickTimer.resume();
    EXPECT_TRUE(w.awake.held) << "woken for the booking: held until its countdown";
    w.clock.set(at(2026, 12, 8, 12, 0, 0, 4));
    w.tickTimer.fire();
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_FALSE(w.awake.held);

    w.state.settings.WAKEchange = "0";
    w.tickTimer.fire();
    EXPECT_EQ(w.wake.set.back(), std::nullopt) << "turned off: cancelled";
}

TEST(MainWindowModel, CommandsChangeTheTableAsItsControlsWould) {
    Window w({"毎日,午後,０時,00分,終了,稼働"});
    const auto run = [&](std::vector<std::string> args) {
        return w.model.runCommandLine({"ja", args});
    };
    w.controls.row = 5;
    w.controls.report();
    EXPECT_EQ(run({"--book", "電源断", "--at", "12:30"}),
              (CommandAnswer{kDone, "2\t2026/12/07\t午後\t０時\t30分\t終了\t稼働\n", ""}));
    EXPECT_EQ(w.controls.row, 5) << "the selection stays";
    EXPECT_NE(w.files.files["SetTimeData.txt"].find(encodeCp932("2026/12/07,午後,０時,30分,終了")),
              std::string::npos);
    EXPECT_EQ(run({"--stop", "2"}).out, "2\t2026/12/07\t午後\t０時\t30分\t終了\t停止\n");
    EXPECT_EQ(run({"--delete", "2"}), (CommandAnswer{kDone, "", ""}));
    EXPECT_EQ(run({"--start", "2"}).status, kRefused) << "an empty row";
    w.table.setCell(ActionCell, 30, "終了");
    w.table.setCell(StateCell, 30, "稼働");
    EXPECT_EQ(run({"--stop", "30"}),
              (CommandAnswer{kRefused, "", "予約が完成していないので変更できません。\n"}))
        << "the row menu's rule: cells 1 to 5 set";
    w.table.clearRow(30);
    EXPECT_EQ(run({"--list"}).out, "1\t毎日\t午後\t０時\t00分\t終了\t稼働\n");
    EXPECT_EQ(run({"--cancel"}).status, kRefused) << "no countdown runs";
    // From an English shell: the answer in English, the program's own words its own.
    EXPECT_EQ(w.model.runCommandLine({"en", {"--book", "standby", "--in", "5m"}}).out.substr(0, 2),
              "2\t");
    EXPECT_EQ(historyEvents(w.files).back(),
              "コマンド\t--book: 予約2 2026/12/07 午後０時05分 スタンバイ");
    EXPECT_EQ(w.model.runCommandLine({"en", {"--delete", "2"}}).status, kDone);
    EXPECT_EQ(run({"--stop"}).status, kUsage);

    w.state.settings.CPUchange = "1";
    EXPECT_EQ(run({"--now", "standby"}).status, kDone);
    EXPECT_EQ(w.controls.countdowns, 1) << "a countdown, never the watch";
    EXPECT_EQ(run({"--book", "終了", "--daily", "--at", "1:00"}).status, kRefused);
    EXPECT_EQ(run({"--now", "reboot"}).status, kRefused);
    w.controls.onCancelCountdown = [&](CancelledBy by) { w.model.countdownCancelled(by); };
    EXPECT_EQ(run({"--cancel"}).status, kDone);
    EXPECT_FALSE(w.awake.held);
    w.model.Button1Click();
    EXPECT_EQ(run({"--delete", "1"}).status, kRefused) << "the watch holds the table";
    w.model.Button5Click();

    w.files.refuseWrites = true;
    EXPECT_EQ(run({"--book", "終了", "--in", "0m"}),
              (CommandAnswer{kRefused, "",
                             "予約を保存できません: SetTimeData.txt: Permission denied\n"}));
    EXPECT_TRUE(w.table.isEmpty(2)) << "a refused booking is undone";
    EXPECT_EQ(run({"--delete", "1"}).status, kRefused);
    EXPECT_EQ(run({"--stop", "1"}).status, kRefused);
    EXPECT_EQ(run({"--watch", "standby", "--cpu-below", "7", "--minutes", "4"}),
              (CommandAnswer{kRefused, "", kIni + " に書き込めません\n"}));
    EXPECT_FALSE(w.state.CpuWatchActive) << "a watch whose setting was not stored is not started";
    EXPECT_EQ(w.controls.threshold, 5);
    EXPECT_EQ(listingLine(w.table, 1), "1\t毎日\t午後\t０時\t00分\t終了\t稼働\n")
        << "refused changes leave the row as the file has it";
    EXPECT_TRUE(w.prompter.errors.empty()) << "a command opens no message box";
    for (int row = 2; row <= kLastReservation; ++row)
        w.table.setCell(ActionCell, row, "終了");
    EXPECT_EQ(run({"--book", "終了", "--in", "5m"}).err, "予約の空きがありません。\n");
}

TEST(MainWindowModel, NoCommandChangesTheTableWhileABoxWaits) {
    Window w({"毎日,午後,０時,00分,終了,停止"});
    std::vector<CommandAnswer> answers;
    w.prompter.whileOpen = [&] {
        for (const char* verb : {"--delete", "--start"})
            answers.push_back(w.model.runCommandLine({"ja", {verb, "1"}}));
        answers.push_back(w.model.runCommandLine({"ja", {"--book", "終了", "--in", "5m"}}));
        answers.push_back(w.model.runCommandLine({"ja", {"--list"}}));
    };
    w.controls.kind = BookingKind::Daily;
    w.controls.selected[Selector::Period] = "午前";
    w.controls.selected[Selector::Hour] = "１時";
    w.controls.selected[Selector::Minute] = "00分";
    w.controls.report();
    w.model.runBooking(&BookingCommands::Button2Click);
    const CommandAnswer waiting{kRefused, "", "画面で確認を待っています。\n"};
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers[0], waiting);
    EXPECT_EQ(answers[1], waiting);
    EXPECT_EQ(answers[2], waiting);
    EXPECT_EQ(answers[3].status, kDone) << "reading is no change";
    EXPECT_EQ(listingLine(w.table, 1), "1\t毎日\t午前\t１時\t00分\t終了\t停止\n");
    EXPECT_TRUE(w.table.isEmpty(2));
    w.prompter.whileOpen = nullptr;
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--delete", "1"}}).status, kDone);
}

TEST(MainWindowModel, APolicyCanKeepTheTableFromTheUserAndSaysWhatItIgnores) {
    Window w({"毎日,午後,０時,00分,ログオフ,稼働"});
    PolicyLayer file{.place = "/etc/p.ini",
                     .allowUserBookings = false,
                     .bookings =
                         std::vector<PolicyEntry>{{2, "reboot --in 2h"},
                                                  {3, "poweroff --at 22:00 --weekly mon-fri"}},
                     .ignored = {"MaxPostpones=99: 0～10 の数ではありません"}};
    w.policy.set({file});
    w.tickTimer.fire();
    EXPECT_EQ(w.controls.locked, true) << "the table and the booking controls, as a watch";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--book", "logoff", "--at", "13:00"}, {"--stop", "1"}, {"--delete", "1"}}) {
        const CommandAnswer answer = w.model.runCommandLine({"ja", args});
        EXPECT_EQ(answer.status, kRefused) << args[0];
        EXPECT_EQ(answer.err, "管理者の設定で、予約は変えられません。\n");
    }
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--list"}}).status, kDone);
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--now", "poweroff"}}).status, kDone);
    EXPECT_EQ(w.model.countdownPostponed(), "管理者の設定で、予約は変えられません。")
        << "a postponement of the user's own countdown would be a row of theirs";
    EXPECT_EQ(firstEmptyRow(w.table), 2);
    w.model.countdownCancelled(CancelledBy::Button);
    w.model.Button1Click();
    w.model.Button5Click();
    EXPECT_EQ(w.controls.locked, true) << "the watch's end leaves the policy's lock";

    EXPECT_EQ(w.model.runCommandLine({"ja", {"--policy"}}).out,
              "管理者の設定:\n"
              "AllowCancel=1 (既定)\n"
              "MaxPostpones=制限なし (既定)\n"
              "AllowUserBookings=0 (/etc/p.ini)\n"
              "MinimumCountdown=なし (既定)\n"
              "DeferWhileBusy=利用者の設定 (既定)\n"
              "MaxDeferMinutes=60 (既定)\n"
              "PreActionCommand=なし (既定)\n"
              "AllowUserCommand=1 (既定)\n"
              "Bookings: 1 件 (/etc/p.ini)\n"
              "  3=poweroff --at 22:00 --weekly mon-fri\n"
              "使わなかった設定:\n"
              "  /etc/p.ini: MaxPostpones=99: 0～10 の数ではありません\n"
              "  /etc/p.ini: Bookings: 2=reboot --in 2h: --daily、--weekly か --date が要ります"
              "(起動のたびに新しく動く予約は使えません)\n");
    w.policy.set({file});
    w.tickTimer.fire();
    const Texts events = historyEvents(w.files);
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& e) { return e.starts_with("管理者の設定\t"); }),
              2)
        << "each ignored entry said once";

    w.policy.set({});
    w.tickTimer.fire();
    EXPECT_EQ(w.controls.locked, false) << "a policy withdrawn gives the table back";
    EXPECT_EQ(w.controls.policyLine, "") << "the line goes";
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--policy"}}).out, "管理者の設定はありません。\n");
}
