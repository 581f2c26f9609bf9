#include "core/session/MainWindowModel.h"

#include "core/forms/Centring.h"
#include "core/forms/ColumnFit.h"
#include "core/forms/SettingsDialog.h"
#include "core/text/Cp932.h"
#include "tests/support/FakeAutostart.h"
#include "tests/support/FakeAwake.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/FakePolicy.h"
#include "tests/support/FakePowerPort.h"
#include "tests/support/FakeProcesses.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeTickTimer.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/FakeWindowControls.h"
#include "tests/support/MemoryFileStore.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace core;
using testing_support::at;
using Texts = std::vector<std::string>;

namespace {

const std::string kIni = "/opt/bwm/Brindlewhistmoore.ini";

class FakeCpu : public CpuUsageMeter {
public:
    int getUsage() override { return usage; }
    int usage = 0;
};

// The main window's model over fakes, created as the program creates it.
struct Window {
    explicit Window(std::initializer_list<std::string> rows = {},
                    std::optional<std::string> ini = std::nullopt) {
        std::string text;
        for (const auto& r : rows)
            text += r + "\r\n";
        files.files["SetTimeData.txt"] = encodeCp932(text);
        if (ini)
            files.files[kIni] = *ini;
        controls.onThresholdChanged = [this] { model.SpinEdit2Change(); };
        controls.onDurationChanged = [this] { model.SpinEdit3Change(); };
        controls.onJobChanged = [this] { model.jobFieldsChanged(); };
        model.FormCreate();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            model.Timer1Timer();
    }

    SharedState state;
    testing_support::FakeClock clock{at(2026, 12, 7, 11, 59, 59, 700)};
    FakeCpu cpu;
    testing_support::FakePowerPort power;
    testing_support::FakePrompter prompter;
    testing_support::MemoryFileStore files;
    ReservationTable table;
    testing_support::FakeWindowControls controls;
    testing_support::FakeTickTimer tickTimer;
    testing_support::FakeAwake awake;
    testing_support::FakeWakeTimer wake;
    testing_support::FakeViewer viewer;
    testing_support::FakeProcesses processes;
    testing_support::FakeNetwork network;
    testing_support::FakePolicy policy;
    MainWindowModel model{{state, clock, cpu, power, prompter, files, "SetTimeData.txt", kIni,
                           awake, viewer, processes, network, policy, &wake},
                          table,
                          controls,
                          tickTimer};
};

// The history's events and details, without their times.
Texts historyEvents(testing_support::MemoryFileStore& files) {
    Texts events;
    const std::string& text = files.files["/opt/bwm/Brindlewhistmoore-history.txt"];
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        events.push_back(line.substr(line.find('\t') + 1));
        at = end + 1;
    }
    return events;
}

} // namespace

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

TEST(MainWindowModel, TickFiresSavesAndDraws) {
    Window w({"2026/12/07,午後,０時,00分,再起動,稼働", "毎日,午前,,,,",
              "2026/12/08,午後,２時,03分,終了,停止"});
    w.controls.row = 3;
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

    w.model.N8Click();
    EXPECT_EQ(w.prompter.informed, Texts{"履歴はまだありません。"});
    w.files.files["/opt/bwm/Brindlewhistmoore-history.txt"] = "";
    w.viewer.failure = "xdg-open を起動できません: No such file or directory";
    w.model.N8Click();
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
    EXPECT_EQ(w.controls.thresholdPercent(), 5);
    EXPECT_EQ(listingLine(w.table, 1), "1\t毎日\t午後\t０時\t00分\t終了\t稼働\n")
        << "refused changes leave the row as the file has it";
    EXPECT_TRUE(w.prompter.errors.empty()) << "a command opens no message box";
    for (int row = 2; row <= kLastReservation; ++row)
        w.table.setCell(ActionCell, row, "終了");
    EXPECT_EQ(run({"--book", "終了", "--in", "5m"}).err, "予約の空きがありません。\n");
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
    w.model.N10Click();
    EXPECT_EQ(w.prompter.informed, Texts{"カウントダウンは動いていません。"})
        << "the tray's キャンセル";

    // Under a policy that forbids cancelling, only the system's own call-off ends the repeat.
    ASSERT_EQ(run({"--now", "reboot"}).status, kDone);
    w.state.Limits.cancelAllowed = false;
    w.state.ExecutionPhase = Phase::Execute;
    w.tickTimer.fire();
    w.model.N10Click();
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
    SettingsDialog dialog({d.state.settings, d.files, kIni, d.prompter, autostart});
    SettingsDialogValues shown = dialog.FormShow();
    EXPECT_FALSE(shown.cpuHandOver) << "only 1 is on";
    EXPECT_TRUE(shown.beep);
    EXPECT_EQ(shown.countdownSeconds, 120) << "a longer one counts as the longest";
    EXPECT_FALSE(shown.startAtLogon);
    EXPECT_TRUE(shown.notice) << "a missing key reads as on";
    EXPECT_EQ(shown.noticeMinutes, 60) << "a longer one counts as the longest";
    shown.hideTrayIcon = true;
    shown.countdownSeconds = 120;
    shown.noticeMinutes = 10;
    EXPECT_TRUE(dialog.Button1Click(shown));
    EXPECT_EQ(d.files.files[kIni],
              "[SET]\r\nCPUchange=0\r\nBEEPchange=1\r\nShutDownTime=120\r\n"
              "NOTICETime=10\r\nTASKICOchange=1\r\nNOTICEchange=1\r\nWAKEchange=0\r\n");
    d.files.refuseWrites = true;
    const int saves = d.files.saves;
    shown.startAtLogon = true;
    shown.cpuHandOver = true;
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
    EXPECT_EQ(w.controls.job, (JobFields{true, "", false, 100000, 3}));
    w.controls.job.programTicked = false;
    w.model.Button6Click();
    w.controls.job.programTicked = true;
    w.controls.job.program = "  ";
    w.model.Button6Click();
    EXPECT_EQ(w.prompter.informed, (Texts{"条件を選んでください。",
                                          "プログラムの名前かプロセス番号を入れてください。"}));
    w.processes.running = {"render", "4242"};
    w.model.ComboBox7DropDown();
    EXPECT_EQ(w.controls.offered, (Texts{"4242", "render"}));

    w.controls.job = {true, " render ", true, 50, 1};
    w.model.jobFieldsChanged();
    EXPECT_EQ(w.files.files[kIni],
              "[SET]\r\nNETRate=50\r\nPROGchange=1\r\nNETchange=1\r\nNETMinutes=1\r\n");
    w.network.total(0);
    w.model.Button6Click();
    EXPECT_TRUE(w.state.JobWatchActive);
    EXPECT_EQ(w.controls.locked, true);
    EXPECT_EQ(w.model.runCommandLine({"ja", {"--watching"}}).out,
              "終了待ち: render が終了、通信量 50 KB/秒以下で 1 分経過したら 電源断\n");
    w.model.Button1Click();
    w.model.Button6Click();
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
    w.model.Button6Click();
    EXPECT_EQ(w.prompter.informed.back(), "監視が動いています。先に停止してください。");
    w.model.countdownCancelled(CancelledBy::Button);
    EXPECT_FALSE(w.state.JobWatchActive);
    EXPECT_EQ(w.controls.locked, std::nullopt);
    const Texts events = historyEvents(w.files);
    ASSERT_EQ(w.model.runCommandLine({"ja", {"--now", "reboot"}}).status, kDone);
    w.model.Button6Click();
    EXPECT_EQ(w.prompter.informed.back(), "カウントダウン中なので、できません。");
    EXPECT_FALSE(w.state.JobWatchActive) << "no watch left behind by a countdown";
    EXPECT_EQ(events[events.size() - 2],
              "カウントダウン\t電源断: 終了待ち: render が終了、通信量 50 KB/秒以下で 1 分経過");
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
    w.model.N9Click();
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
