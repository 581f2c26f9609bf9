// The session's watches: the CPU-idle and the 終了待ち watch, their fields and settings.
#include "SessionWindow.h"
#include "core/forms/SettingsDialog.h"
#include "tests/support/FakeAutostart.h"

#include <gtest/gtest.h>

using namespace session_test;

TEST(MainWindowModel, StartsWithDefaultsAndStoresCorrectedSpinValues) {
    Window w;
    EXPECT_EQ(w.state.settings.ShutDownTime, "30");
    EXPECT_EQ(w.controls.threshold, 5);
    EXPECT_TRUE(w.controls.trayIcon);
    EXPECT_EQ(w.controls.calendar, LocalDays{std::chrono::year{2026} / 12 / 7});
    EXPECT_EQ(w.controls.itemIndex(Selector::ElapsedMinutes), 30);
    EXPECT_EQ(w.controls.itemIndex(Selector::Period), -1);
    EXPECT_FALSE(w.controls.weekdaysShown);
    EXPECT_EQ(w.files.files.count(kIni), 0u) << "nothing written";

    Window stored({}, "[SET]\r\nCPUPersent=250\r\nCPUMinitu=3\r\nTASKICOchange=1\r\n");
    EXPECT_EQ(stored.files.files[kIni],
              "[SET]\r\nCPUPersent=100\r\nCPUMinitu=3\r\nTASKICOchange=1\r\n");
    EXPECT_FALSE(stored.controls.trayIcon);
    Window odd({}, "[SET]\r\nCPUPersent=lots\r\n");
    EXPECT_EQ(odd.controls.threshold, 5);
    EXPECT_EQ(odd.state.settings.CPUPersent, "lots") << "kept as stored";
}

TEST(MainWindowModel, CpuWatchCountsIdleTicksUpToTheDuration) {
    Window w;
    w.controls.setDurationMinutes(1);
    w.model.Button1Click();
    EXPECT_EQ(w.controls.locked, true);
    w.cpu.usage = 5; // the threshold itself counts as idle
    w.ticks(119);
    EXPECT_EQ(w.state.CpuIdleTicks, 119);
    w.cpu.usage = 6;
    w.ticks(1);
    EXPECT_EQ(w.state.CpuIdleTicks, 0);
    w.cpu.usage = 0;
    w.ticks(119);
    EXPECT_EQ(w.controls.countdowns, 0);
    w.controls.selectIndex(Selector::Action, 6); // read when it fires
    w.ticks(1);
    EXPECT_EQ(w.controls.countdowns, 1);
    EXPECT_EQ(w.state.PendingAction, PowerAction::Hibernate);
    EXPECT_EQ(w.tickTimer.every, std::chrono::milliseconds(32000));

    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_FALSE(w.state.CpuWatchActive);
    EXPECT_FALSE(w.tickTimer.every) << "back on the wall clock";
    EXPECT_EQ(w.controls.locked, std::nullopt);
    w.model.Button1Click();
    EXPECT_EQ(w.state.CpuIdleTicks, 0);
    EXPECT_EQ(w.controls.locked, true);
    w.model.Button5Click();
    EXPECT_EQ(w.controls.locked, false);
}

TEST(MainWindowModel, DueReservationHandsOverToTheWatch) {
    Window w({"毎日,午後,０時,00分,スタンバイ,稼働"});
    w.state.settings.CPUchange = "1";
    w.state.CpuIdleTicks = 50; // an earlier watch's count does not carry over
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 0));
    w.model.Timer1Timer();
    EXPECT_TRUE(w.state.CpuWatchActive);
    EXPECT_EQ(w.state.CpuIdleTicks, 0);
    EXPECT_EQ(w.controls.tab, kCpuTab);
    EXPECT_EQ(w.controls.selectedItem(Selector::Action), "スタンバイ");
    EXPECT_EQ(w.controls.locked, true);
    EXPECT_EQ(w.controls.countdowns, 0);
    w.controls.setDurationMinutes(1);
    w.state.CpuIdleTicks = 119;
    w.model.Timer1Timer();
    w.model.countdownPostponed();
    EXPECT_EQ(historyEvents(w.files),
              (Texts{"監視\tスタンバイ: 予約1 毎日 午後０時00分 スタンバイ から CPU 使用率の監視へ",
                     "カウントダウン\tスタンバイ: CPU 使用率の監視",
                     "10分延期\tスタンバイ: CPU 使用率の監視を始めからやり直します"}));
}

TEST(MainWindowModel, SpinFieldsAndTheSettingsDialogWriteTheirKeys) {
    Window w;
    w.controls.setThresholdPercent(150);
    EXPECT_EQ(w.files.files[kIni], "[SET]\r\nCPUPersent=100\r\n");
    w.files.refuseWrites = true;
    w.controls.setDurationMinutes(9);
    EXPECT_EQ(w.prompter.errors, Texts{kIni + " に書き込めません"});
    EXPECT_EQ(w.state.settings.CPUMinitu, "9") << "the value stays";

    Window d({}, "[SET]\r\nCPUchange=yes\r\nBEEPchange=1\r\nShutDownTime=200\r\nNOTICETime=90\r\n");
    testing_support::FakeAutostart autostart;
    SettingsDialog dialog({d.state.settings, d.files, kIni, d.prompter, autostart, &d.commands});
    SettingsDialogValues shown = dialog.FormShow();
    EXPECT_FALSE(shown.on(&Settings::CPUchange)) << "only 1 is on";
    EXPECT_EQ(shown.commandSeconds, 30);
    EXPECT_TRUE(shown.on(&Settings::BEEPchange));
    EXPECT_EQ(shown.countdownSeconds, 120) << "a longer one counts as the longest";
    EXPECT_FALSE(shown.startAtLogon);
    EXPECT_TRUE(shown.on(&Settings::NOTICEchange)) << "a missing key reads as on";
    EXPECT_EQ(shown.noticeMinutes, 60) << "a longer one counts as the longest";
    shown.on(&Settings::TASKICOchange) = true;
    shown.countdownSeconds = 120;
    shown.noticeMinutes = 10;
    // A command that cannot run is said at once, and nothing is written.
    for (const char* unusable : {"missing-tool --all", "save 😀"}) {
        shown.command = unusable;
        EXPECT_FALSE(dialog.Button1Click(shown));
    }
    EXPECT_EQ(
        d.prompter.errors,
        (Texts{
            "実行前のコマンドを使えません: no such program",
            "実行前のコマンドを使えません: 設定ファイル (シフト JIS) に書けない文字があります"}));
    EXPECT_EQ(d.files.files.count(kIni) ? d.files.files[kIni].find("CPUchange=0")
                                        : std::string::npos,
              std::string::npos);
    shown.command = "\"/opt/保存 する\" --now";
    shown.commandSeconds = 600;
    EXPECT_TRUE(dialog.Button1Click(shown));
    EXPECT_EQ(d.files.files[kIni],
              "[SET]\r\nCPUchange=0\r\nBEEPchange=1\r\nShutDownTime=120\r\n"
              "NOTICETime=10\r\nTASKICOchange=1\r\nNOTICEchange=1\r\nWAKEchange=0\r\n"
              "DEFERchange=0\r\nPRECOMMAND=" +
                  encodeCp932("\"/opt/保存 する\" --now") +
                  "\r\nPRECOMMANDTime=600\r\nABORTchange=0\r\n");
    EXPECT_EQ(dialog.FormShow().command, "\"/opt/保存 する\" --now");
    d.files.refuseWrites = true;
    const int saves = d.files.saves;
    shown.startAtLogon = true;
    shown.on(&Settings::CPUchange) = true;
    EXPECT_FALSE(dialog.Button1Click(shown));
    EXPECT_EQ(d.files.saves, saves + 1) << "the keys after the refused one are not tried";
    EXPECT_EQ(autostart.changes, 0) << "nor the autostart entry";
}

TEST(MainWindowModel, TheAutostartEntryChangesOnlyWithItsSwitch) {
    Window w;
    testing_support::FakeAutostart autostart;
    SettingsDialog dialog({w.state.settings, w.files, kIni, w.prompter, autostart});
    autostart.entry = testing_support::FakeAutostart::Entry::OtherCopy;
    SettingsDialogValues values = dialog.FormShow();
    EXPECT_FALSE(values.startAtLogon) << "another copy's entry is not this one's";
    EXPECT_TRUE(dialog.Button1Click(values));
    EXPECT_EQ(autostart.entry, testing_support::FakeAutostart::Entry::OtherCopy)
        << "an OK that left the switch alone leaves the entry alone";
    values.startAtLogon = true;
    EXPECT_TRUE(dialog.Button1Click(values));
    EXPECT_EQ(autostart.entry, testing_support::FakeAutostart::Entry::ThisCopy);

    values = dialog.FormShow();
    EXPECT_TRUE(values.startAtLogon);
    values.startAtLogon = false;
    autostart.refuse = true;
    EXPECT_TRUE(dialog.Button1Click(values)) << "the dialog closes all the same";
    EXPECT_EQ(w.prompter.errors, Texts{"autostart: Permission denied"});
    EXPECT_EQ(w.files.files[kIni].substr(0, 16), "[SET]\r\nCPUchange") << "the keys were written";

    // What the administrator's policy overrules is written all the same, and said once changed.
    Policy policy;
    policy.allowUserCommand.value = false;
    policy.deferWhileBusy.value = true;
    SettingsDialog ruled(
        {w.state.settings, w.files, kIni, w.prompter, autostart, nullptr, &policy});
    values = ruled.FormShow();
    EXPECT_TRUE(ruled.Button1Click(values));
    EXPECT_EQ(w.prompter.informed, Texts{}) << "nothing changed, nothing said";
    values.command = "backup --all";
    values.on(&Settings::DEFERchange) = true;
    EXPECT_TRUE(ruled.Button1Click(values));
    EXPECT_EQ(w.prompter.informed, Texts{"管理者の設定で、利用者のコマンドは実行しません。\n"
                                         "管理者の設定で、発表中・全画面表示中はいつも待ちます。"});
    EXPECT_EQ(ruled.FormShow().command, "backup --all");
    policy.preActionCommand.value = "/usr/local/bin/save";
    values.command = "backup --quick";
    EXPECT_TRUE(ruled.Button1Click(values));
    EXPECT_EQ(w.prompter.informed.back(),
              "管理者の設定のコマンドが、このコマンドの代わりに実行されます。");
}

TEST(MainWindowModel, AWatchForTheEndOfProgramsHoldsTheTableAndCountsDownWhenTheyEnd) {
    Window w({"毎日,午後,０時,00分,終了,稼働"});
    const auto run = [&](std::vector<std::string> args) {
        return w.model.runCommandLine({"ja", args});
    };
    w.processes.running = {"render", "4242"};
    EXPECT_EQ(run({"--watch", "reboot", "--exit", "rendr"}),
              (CommandAnswer{kRefused, "", "そのプログラムは動いていません。\n"}));
    EXPECT_FALSE(w.state.JobWatchActive);
    EXPECT_EQ(run({"--watching"}).status, kRefused);
    EXPECT_EQ(run({"--watch", "reboot", "--exit", "render", "--exit", "4242"}).out,
              "終了待ち: render, 4242 が終了したら 再起動\n");
    EXPECT_EQ(w.controls.selectedItem(Selector::Action), "再起動");
    EXPECT_EQ(w.controls.locked, true);
    EXPECT_EQ(run({"--book", "終了", "--in", "5m"}).status, kRefused)
        << "the watch holds the table";
    EXPECT_EQ(run({"--watch", "reboot", "--cpu-below", "5", "--minutes", "3"}).status, kRefused)
        << "one watch at a time";
    w.clock.set(at(2026, 12, 7, 12, 0, 0, 40));
    w.tickTimer.fire();
    EXPECT_EQ(w.controls.countdowns, 0) << "the table is not watched meanwhile";
    w.processes.end("4242");
    w.processes.end("render");
    EXPECT_EQ(w.controls.countdowns, 1);
    EXPECT_EQ(w.state.PendingAction, PowerAction::Reboot);
    EXPECT_EQ(run({"--stop-watch"}).status, kRefused) << "a countdown is cancelled as such";
    EXPECT_EQ(w.model.countdownPostponed(), std::nullopt);
    EXPECT_FALSE(w.state.JobWatchActive) << "10分延期 books the action and ends the watch";
    EXPECT_EQ(w.table.cell(MinuteCell, 2) + w.table.cell(ActionCell, 2), "10分再起動");
    const std::string& history = w.files.files["/opt/bwm/Brindlewhistmoore-history.txt"];
    EXPECT_NE(history.find("\t監視\t終了待ち: render, 4242 が終了したら 再起動\n"),
              std::string::npos);
    EXPECT_NE(history.find("\tカウントダウン\t再起動: 終了待ち: render, 4242 が終了\n"),
              std::string::npos);

    w.processes.running = {"render", "Brindlewhistmoore"};
    w.processes.idOf["Brindlewhistmoore"] = 777;
    EXPECT_EQ(
        w.model.runCommandLine({"ja", {"--watch", "standby", "--exit", "Brindlewhistmoore"}, 777}),
        (CommandAnswer{kRefused, "", "そのプログラムは動いていません。\n"}))
        << "the command's own process is no program to wait for";
    ASSERT_EQ(run({"--watch", "standby", "--exit", "render"}).status, kDone);
    EXPECT_EQ(run({"--stop-watch"}).out, "監視を止めました。\n");
    EXPECT_FALSE(w.state.JobWatchActive);
    EXPECT_TRUE(w.processes.waits.empty());
    EXPECT_EQ(run({"--stop-watch"}).status, kRefused);

    EXPECT_EQ(run({"--watch", "logoff", "--cpu-below", "20", "--minutes", "2"}).out,
              "CPU 使用率 20% 以下が 2 分続いたら ログオフ\n");
    EXPECT_TRUE(w.state.CpuWatchActive);
    EXPECT_EQ(w.state.settings.CPUPersent, "20") << "stored as the field stores it";
    EXPECT_EQ(run({"--stop-watch"}).status, kDone);
    EXPECT_FALSE(w.state.CpuWatchActive);
}

TEST(MainWindowModel, TheJobSheetWatchesProgramsAndTheNetworkOneWatchAtATime) {
    Window w({}, "[SET]\r\nNETRate=250000\r\nPROGchange=1\r\n");
    EXPECT_EQ(w.files.files[kIni], "[SET]\r\nNETRate=100000\r\nPROGchange=1\r\n")
        << "a rate out of range stored back as the field holds it";
    EXPECT_EQ(w.controls.job, (JobFields{true, "", false, 100000, 3, false, 30, ""}));
    w.controls.job.programTicked = false;
    w.controls.report();
    w.model.startJobWatchClick();
    w.controls.job.programTicked = true;
    w.controls.job.program = "  ";
    w.controls.report();
    w.model.startJobWatchClick();
    EXPECT_EQ(w.prompter.informed, (Texts{"条件を選んでください。",
                                          "プログラムの名前かプロセス番号を入れてください。"}));
    w.processes.running = {"render", "4242"};
    w.model.programListOpens();
    EXPECT_EQ(w.controls.offered, (Texts{"4242", "render"}));

    w.controls.job = {true, " render ", true, 50, 1, false, 30, ""};
    w.controls.report();
    EXPECT_EQ(w.files.files[kIni],
              "[SET]\r\nNETRate=50\r\nPROGchange=1\r\nNETchange=1\r\nNETMinutes=1\r\n");
    w.network.total(0);
    w.model.startJobWatchClick();
    EXPECT_TRUE(w.state.JobWatchActive);
    EXPECT_EQ(w.controls.locked, true);
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--watching"}}).out,
              "終了待ち: render が終了、通信量 50 KB/秒以下で 1 分経過したら 電源断\n");
    w.model.Button1Click();
    w.model.startJobWatchClick();
    EXPECT_FALSE(w.state.CpuWatchActive);
    EXPECT_EQ(w.prompter.informed.back(), "監視が動いています。先に停止してください。");
    EXPECT_EQ(w.prompter.informed.size(), 4U);
    w.model.Button5Click();
    EXPECT_EQ(w.controls.locked, true) << "the CPU sheet's 停止 leaves the other watch";

    w.clock.set(at(2026, 12, 7, 12, 0, 2));
    w.tickTimer.fire();
    EXPECT_EQ(w.tickTimer.moment, std::chrono::milliseconds(3001))
        << "hidden, the network is read every 5 seconds";
    w.processes.end("render");
    for (int second = 5; w.controls.countdowns == 0 && second <= 120; second += 5) {
        w.clock.set(at(2026, 12, 7, 12, 0, second, 1));
        w.tickTimer.fire();
    }
    EXPECT_EQ(w.clock.now(), at(2026, 12, 7, 12, 1, 0, 1)) << "a minute after the start";
    EXPECT_EQ(w.state.PendingAction, PowerAction::PowerOff);
    w.model.startJobWatchClick();
    EXPECT_EQ(w.prompter.informed.back(), "監視が動いています。先に停止してください。");
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_FALSE(w.state.JobWatchActive);
    EXPECT_EQ(w.controls.locked, std::nullopt);
    const Texts events = historyEvents(w.files);
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--now", "reboot"}}).status, kDone);
    w.model.startJobWatchClick();
    EXPECT_EQ(w.prompter.informed.back(), "カウントダウン中なので、できません。");
    EXPECT_FALSE(w.state.JobWatchActive) << "no watch left behind by a countdown";
    EXPECT_EQ(events[events.size() - 2],
              "カウントダウン\t電源断: 終了待ち: render が終了、通信量 50 KB/秒以下で 1 分経過");
}

TEST(MainWindowModel, NoInputFromTheSheetAndTheCommandLine) {
    Window w;
    const std::string untold = "このセッションは、操作のない時間を教えません。";
    w.input.idle = untold;
    w.model.widgetsBuilt();
    EXPECT_EQ(w.controls.job.noInputUnavailable, untold) << "shown disabled with its reason";
    w.controls.job.noInputTicked = true;
    w.controls.job.noInputMinutes = 45;
    w.controls.report();
    EXPECT_EQ(w.files.files[kIni], "[SET]\r\nINPUTchange=1\r\nINPUTMinutes=45\r\n");
    w.model.startJobWatchClick();
    EXPECT_EQ(w.prompter.informed, (Texts{untold}));
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--watch", "lock", "--no-input", "1"}}),
              (CommandAnswer{kRefused, "", untold + "\n"}));

    w.input.idle = std::chrono::seconds(0);
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--watch", "lock", "--no-input", "1"}}).status, kDone);
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--watching"}}).out,
              "終了待ち: 操作なしで 1 分経過したら 画面ロック\n");
    w.clock.set(at(2026, 12, 7, 12, 0, 2));
    w.tickTimer.fire();
    EXPECT_EQ(w.tickTimer.moment, std::chrono::milliseconds(3001))
        << "hidden, the idle time is read every 5 seconds";
    for (int second = 5; w.controls.countdowns == 0 && second <= 120; second += 5) {
        w.clock.set(at(2026, 12, 7, 12, 0, second, 1));
        w.input.idle = std::chrono::seconds(second);
        w.tickTimer.fire();
    }
    EXPECT_EQ(w.clock.now(), at(2026, 12, 7, 12, 1, 0, 1)) << "at the reading of a minute idle";
    EXPECT_EQ(w.state.PendingAction, PowerAction::LockScreen);
}
