#include "MainWindowModel.h"

#include "FormDesign.h"
#include "core/book/Vocabulary.h"
#include "core/files/FilePlaces.h"
#include "core/files/ReservationFile.h"
#include "core/files/SettingsFile.h"
#include "core/lang/Catalogue.h"
#include "core/schedule/CpuIdleWatch.h"
#include "core/schedule/NextBooking.h"
#include "core/text/DateTimeText.h"

#include <cstdio>

namespace core {

MainWindowModel::MainWindowModel(Services services, ReservationTable& table,
                                 MainWindowControls& controls, TickTimer& tickTimer)
    : services_(std::move(services)), table_(table), controls_(controls),
      history_(services_.files, historyFilePlace(services_.settingsPath), services_.clock),
      editor_(table,
              [this](const ReservationTable& written) {
                  core::saveReservations(services_.files, services_.reservationPath, written);
              }),
      booking_(editor_, services_.clock, services_.prompter, controls),
      ticks_(tickTimer, services_.clock, services_.state,
             {[this] { scan(); },
              [this] {
                  awake_.resumed(table_, isOn(services_.state.settings.WAKEchange),
                                 services_.clock.now());
              },
              [this] {
                  awake_.clockSet();
                  followTable();
              }}),
      power_(services_.power, services_.state, services_.prompter, history_, services_.clock,
             [this](int ms) { ticks_.setInterval(ms); }),
      awake_(services_.awake, services_.wake), jobWatch_(services_.processes, services_.network),
      scripts_(editor_, services_.clock, *this, history_) {}

void MainWindowModel::FormCreate() {
    SharedState& state = services_.state;
    state.settings = loadSettings(services_.files, services_.settingsPath);
    state.ExecutionPhase = Phase::Watching;
    state.PendingAction = PowerAction::None;
    state.CpuWatchActive = false;
    state.JobWatchActive = false;
    // Through the same path as the user's changes: a stored value out of range is stored back
    // corrected. A hand-edited text that is no number takes the default.
    controls_.setThresholdPercent(state.settings.cpuPercent());
    controls_.setDurationMinutes(state.settings.cpuMinutes());
    controls_.setJobFields({isOn(state.settings.PROGchange), "", isOn(state.settings.NETchange),
                            state.settings.networkRate(), state.settings.networkMinutes()});
    if (!isOn(state.settings.TASKICOchange))
        controls_.addTrayIcon();

    controls_.setCalendarDate(std::chrono::floor<std::chrono::days>(services_.clock.now()));
    controls_.setBookingKind(BookingKind::Once);
    for (Selector selector : {Selector::Period, Selector::Hour, Selector::Minute})
        controls_.selectIndex(selector, -1);
    controls_.selectIndex(Selector::Weekdays, 0);
    controls_.selectIndex(Selector::Action, 0);
    controls_.selectIndex(Selector::ElapsedMinutes, 30);
    controls_.showWeekdays(false);
    controls_.selectRow(kFirstReservation);
    loadReservations(services_.files, services_.reservationPath, table_);
    followPolicy();
    keptPostponements_ =
        services_.files.read(postponementsFilePlace(services_.settingsPath), kMostPostponementBytes)
            .value_or("");
    if (policy_.policy().inForce())
        policy_.restorePostponements(keptPostponements_);
    tableChanged();
    ticks_.reschedule();
}

void MainWindowModel::Timer1Timer() {
    ticks_.tick();
}

void MainWindowModel::setWindowShown(bool shown) {
    ticks_.setWindowShown(shown);
}

void MainWindowModel::scan() {
    runGuarded(services_.prompter, [this] {
        refreshClock();
        // The meter's reading is shown as one byte.
        const auto usage = static_cast<unsigned char>(services_.cpu.getUsage());
        char text[8];
        std::snprintf(text, sizeof text, "%3d", usage);
        controls_.showUsage(text);
        followPolicy();
        // Nothing comes into a countdown that shows: a booking of a later minute would replace
        // its action. What comes meanwhile is looked at when it ends.
        if (!countdownShown_ || services_.state.ExecutionPhase == Phase::Execute)
            runSchedulerTick(table_, services_.state, services_.clock, controls_.selectedRow(),
                             usage, *this, &policy_.table());
        if (services_.state.JobWatchActive && !countdownShown_)
            jobWatch_.tick(services_.clock.now());
        // A countdown or the CPU-idle watch holds the tick: the table is not watched then.
        const SharedState& state = services_.state;
        if (isOn(state.settings.NOTICEchange) &&
            ticks_.cadence() == TickDriver::Cadence::WallClock && !state.CpuWatchActive &&
            !state.JobWatchActive) {
            const int ahead = state.settings.noticeMinutes();
            const LocalTime now = services_.clock.now();
            std::vector<Notice> due = notices_.due(table_, ahead, now);
            for (Notice& notice : policyNotices_.due(policy_.table(), ahead, now))
                due.push_back(std::move(notice));
            for (const Notice& notice : due) {
                history_.record(history::kNotice, notice.summary + ": " + notice.body);
                controls_.showNotice(notice);
            }
        }
        keepPostponements();
        followTable();
    });
    controls_.showTable();
    reportHistoryFailure();
}

void MainWindowModel::reportHistoryFailure() {
    if (countdownShown_ || services_.prompter.waitsForUser())
        return;
    if (auto failure = history_.takeFailure())
        services_.prompter.showError(*failure);
}

void MainWindowModel::followPolicy() {
    auto layers = services_.policy.readIfChanged();
    if (!layers)
        return;
    const LocalTime now = services_.clock.now();
    const PolicyInForce::Change change = policy_.apply(*layers, now);
    if (change.bookingsChanged)
        services_.state.PolicyScans = {};
    policyNotices_.observe(policy_.table(), now);
    for (const std::string& entry : change.newlyIgnored)
        history_.record(history::kPolicy, tr("使わない設定: ") + entry);
    controls_.showPolicyLine(
        policy_.policy().inForce()
            ? fill(tr(design::form1::kPolicyLine), {std::to_string(policy_.bookingCount())})
            : "");
    // The locks follow at once, not only at the next scan.
    if (!tableHeld())
        lock(false);
}

void MainWindowModel::keepPostponements() {
    std::string text = policy_.postponementsText();
    if (text == keptPostponements_)
        return;
    keptPostponements_ = std::move(text);
    const std::string path = postponementsFilePlace(services_.settingsPath);
    try {
        services_.files.makeFolderFor(path);
        services_.files.replace(path, keptPostponements_);
    } catch (const std::exception& e) {
        // Held in memory all the same; only a restart would lose it.
        history_.record(history::kPolicy, fill(tr("10分延期を保存できません: {0}"), {e.what()}));
    }
}

bool MainWindowModel::userBookingsAllowed() const {
    return policy_.policy().allowUserBookings.value;
}

void MainWindowModel::followTable() {
    const LocalTime now = services_.clock.now();
    awake_.follow(table_, isOn(services_.state.settings.WAKEchange), now);
    std::string tip = nextBookingText({&policy_.table(), &table_}, now)
                          .value_or(std::string(design::kProductName));
    if (tip != shownTip_) {
        shownTip_ = std::move(tip);
        controls_.showTrayTip(shownTip_);
    }
}

void MainWindowModel::tableChanged() {
    const OwnLanguage own;
    notices_.observe(table_, services_.clock.now());
    followTable();
    controls_.showTable();
}

void MainWindowModel::runBooking(void (BookingCommands::*command)()) {
    (booking_.*command)();
    tableChanged();
}

void MainWindowModel::refreshClock() {
    controls_.showWeekdays(controls_.bookingKind() == BookingKind::Weekly);
    controls_.showClock(formatLongTime(services_.clock.now()));
}

void MainWindowModel::Button1Click() {
    if (services_.state.JobWatchActive) {
        services_.prompter.inform(*anotherWatchRuns());
        return;
    }
    services_.state.CpuIdleTicks = 0;
    services_.state.CpuWatchActive = true;
    lock(true);
    ticks_.reschedule();
    const OwnLanguage own;
    confirmWatch();
}

void MainWindowModel::Button5Click() {
    // The other watch's table stays held.
    if (services_.state.JobWatchActive)
        return;
    services_.state.CpuIdleTicks = 0;
    services_.state.CpuWatchActive = false;
    lock(false);
    ticks_.reschedule();
}

void MainWindowModel::Button6Click() {
    const JobFields fields = controls_.jobFields();
    JobConditions conditions;
    if (fields.programTicked) {
        const auto first = fields.program.find_first_not_of(' ');
        if (first == std::string::npos) {
            services_.prompter.inform(tr("プログラムの名前かプロセス番号を入れてください。"));
            return;
        }
        conditions.programs = {
            fields.program.substr(first, fields.program.find_last_not_of(' ') - first + 1)};
    }
    if (fields.networkTicked)
        conditions.network = NetworkLimit{fields.networkRate, fields.networkMinutes};
    if (auto refusal = startJobWatch(conditions))
        services_.prompter.inform(*refusal);
}

void MainWindowModel::Button7Click() {
    if (services_.state.JobWatchActive && !countdownShown_)
        stopWatch();
}

void MainWindowModel::ComboBox7DropDown() {
    controls_.offerPrograms(services_.processes.runningNames());
}

void MainWindowModel::jobFieldsChanged() {
    const JobFields fields = controls_.jobFields();
    Settings& settings = services_.state.settings;
    // Only what differs from the stored value, so a hand-edited text that still means it stays.
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    if (fields.programTicked != isOn(settings.PROGchange))
        storeSetting("PROGchange", settings.PROGchange, flag(fields.programTicked));
    if (fields.networkTicked != isOn(settings.NETchange))
        storeSetting("NETchange", settings.NETchange, flag(fields.networkTicked));
    if (fields.networkRate != settings.networkRate())
        storeSetting("NETRate", settings.NETRate, std::to_string(fields.networkRate));
    if (fields.networkMinutes != settings.networkMinutes())
        storeSetting("NETMinutes", settings.NETMinutes, std::to_string(fields.networkMinutes));
}

std::optional<std::string> MainWindowModel::anotherWatchRuns() const {
    if (services_.state.CpuWatchActive || services_.state.JobWatchActive)
        return tr("監視が動いています。先に停止してください。");
    return std::nullopt;
}

std::optional<std::string> MainWindowModel::startJobWatch(const JobConditions& conditions) {
    if (auto refusal = anotherWatchRuns())
        return refusal;
    // The countdown's end would leave a watch behind that holds nothing.
    if (countdownShown_ || requestUnderWay())
        return tr("カウントダウン中なので、できません。");
    if (auto refusal = jobWatch_.start(conditions, services_.clock.now(), [this] { jobFired(); }))
        return refusal;
    services_.state.JobWatchActive = true;
    lock(true);
    ticks_.setNetworkWatched(jobWatch_.watchesNetwork());
    const OwnLanguage own;
    history_.record(history::kWatch, watching().value_or(""));
    confirmWatch();
    return std::nullopt;
}

void MainWindowModel::confirmWatch() {
    controls_.confirm(fill(tr("監視を始めました。{0}"), {watching().value_or("")}));
}

void MainWindowModel::jobFired() {
    runGuarded(services_.prompter, [this] {
        ticks_.setNetworkWatched(false);
        if (auto action = actionAtSelectorIndex(controls_.itemIndex(Selector::Action)))
            services_.state.PendingAction = *action;
        showCountdown(countdownTimerInterval(services_.state),
                      tr("終了待ち: ") + jobWatch_.conditionsText());
    });
}

void MainWindowModel::endJobWatch() {
    jobWatch_.stop();
    services_.state.JobWatchActive = false;
    ticks_.setNetworkWatched(false);
}

std::string MainWindowModel::selectedActionName() const {
    const auto action = actionAtSelectorIndex(controls_.itemIndex(Selector::Action));
    return actionName(action ? describe(*action) : nullptr);
}

std::optional<std::string> MainWindowModel::startWatch(const ScriptCommand& command) {
    if (auto index = selectorIndexOf(command.action))
        controls_.selectIndex(Selector::Action, *index);
    if (command.cpuPercent == 0) {
        JobConditions conditions{command.programs, std::nullopt, command.sender};
        if (command.networkRate > 0)
            conditions.network = NetworkLimit{command.networkRate, command.minutes};
        return startJobWatch(conditions);
    }
    if (auto refusal = anotherWatchRuns())
        return refusal;
    // Stored first, as the fields would store what is typed into them: a command opens no box,
    // so a setting that cannot be written is its answer, and nothing changes.
    Settings& settings = services_.state.settings;
    const int percent = design::form1::SpinEdit2.range.clamped(command.cpuPercent);
    const int minutes = design::form1::SpinEdit3.range.clamped(command.minutes);
    if (auto failure = writeQuietly("CPUPersent", settings.CPUPersent, std::to_string(percent)))
        return failure;
    if (auto failure = writeQuietly("CPUMinitu", settings.CPUMinitu, std::to_string(minutes)))
        return failure;
    controls_.setThresholdPercent(percent);
    controls_.setDurationMinutes(minutes);
    Button1Click();
    return std::nullopt;
}

bool MainWindowModel::stopWatch() {
    const OwnLanguage own;
    if (services_.state.CpuWatchActive) {
        Button5Click();
        return true;
    }
    if (!services_.state.JobWatchActive)
        return false;
    endJobWatch();
    lock(false);
    return true;
}

std::optional<std::string> MainWindowModel::watching() const {
    const SharedState& state = services_.state;
    if (state.CpuWatchActive)
        return fill(tr("CPU 使用率 {0}% 以下が {1} 分続いたら {2}"),
                    {std::to_string(controls_.thresholdPercent()),
                     std::to_string(controls_.durationMinutes()), selectedActionName()});
    if (!state.JobWatchActive)
        return std::nullopt;
    return fill(tr("終了待ち: {0}したら {1}"), {jobWatch_.conditionsText(), selectedActionName()});
}

void MainWindowModel::writeSpinSetting(const char* key, std::string& setting, int value) {
    storeSetting(key, setting, std::to_string(value));
}

void MainWindowModel::storeSetting(const char* key, std::string& setting, std::string value) {
    setting = std::move(value);
    runGuarded(services_.prompter,
               [&] { writeSetting(services_.files, services_.settingsPath, key, setting); });
}

std::optional<std::string> MainWindowModel::writeQuietly(const char* key, std::string& setting,
                                                         const std::string& value) {
    try {
        writeSetting(services_.files, services_.settingsPath, key, value);
    } catch (const std::exception& e) {
        return e.what();
    }
    setting = value;
    return std::nullopt;
}

void MainWindowModel::SpinEdit2Change() {
    writeSpinSetting("CPUPersent", services_.state.settings.CPUPersent,
                     controls_.thresholdPercent());
}

void MainWindowModel::SpinEdit3Change() {
    writeSpinSetting("CPUMinitu", services_.state.settings.CPUMinitu, controls_.durationMinutes());
}

void MainWindowModel::lock(bool locked) {
    // A policy that keeps the table from the user locks it as a watch does; the watches stay.
    const bool booking = !locked && userBookingsAllowed();
    applyLocks({!locked, booking, booking, gridReason(locked), userBookingsAllowed()});
}

std::string MainWindowModel::gridReason(bool watching) const {
    if (watching)
        return tr("監視中は予約を変えられません。監視を停止してください。");
    return userBookingsAllowed() ? "" : tr(kUserBookingsForbidden);
}

void MainWindowModel::applyLocks(const ControlLocks& locks) {
    if (shownLocks_ == locks)
        return;
    shownLocks_ = locks;
    controls_.applyLocks(locks);
}

void MainWindowModel::N2Click() {
    power_.requestNow(PowerAction::PowerOff);
}

void MainWindowModel::N4Click() {
    power_.requestNow(PowerAction::Reboot);
}

void MainWindowModel::N5Click() {
    if (services_.prompter.ask(tr("強制的に再起動しますか？")))
        power_.requestNow(PowerAction::ForcedReboot);
}

void MainWindowModel::N8Click() {
    const std::string& path = history_.path();
    if (!services_.files.read(path, 0)) {
        services_.prompter.inform(tr("履歴はまだありません。"));
        return;
    }
    if (auto problem = services_.viewer.open(path))
        services_.prompter.showError(tr("履歴を開けません。") + "\n" + path + "\n" + *problem);
}

void MainWindowModel::N9Click() {
    controls_.showPolicyBookings(policy_.lines(services_.clock.now()), policy_.limitsText());
}

void MainWindowModel::N10Click() {
    const CommandAnswer answer = scripts_.cancel(CancelledBy::Tray);
    if (answer.status != kDone)
        services_.prompter.inform(answer.err.substr(0, answer.err.find_last_not_of('\n') + 1));
}

bool MainWindowModel::FormCloseQuery() {
    if ((!countdownShown_ && !requestUnderWay()) || cancelAllowed())
        return true;
    services_.prompter.inform(tr(kCancelForbidden) + "\n" +
                              tr("カウントダウンが終わるまで、終了もできません。"));
    return false;
}

std::optional<std::string> MainWindowModel::stopRequests(CancelledBy by) {
    if (!requestUnderWay())
        return std::nullopt;
    if (by != CancelledBy::System && !cancelAllowed())
        return tr(kCancelForbidden);
    const OwnLanguage own;
    history_.record(history::kCancelled, pendingActionWith(cancelledByText(by)));
    leaveCountdown();
    ticks_.lookSoon();
    return std::nullopt;
}

void MainWindowModel::sessionEndCalledOff() {
    stopRequests(CancelledBy::System);
}

void MainWindowModel::endCountdown() {
    countdownShown_ = false;
    services_.state.HeldUntil = services_.clock.now();
    policyRow_.reset();
    services_.state.Limits = {};
    // A count that ran out just now has not been acted on yet: nothing is requested for it.
    services_.state.ExecutionPhase = Phase::Watching;
    forgetScanReadings(services_.state);
    awake_.releaseAll();
    ticks_.setInterval(kScanIntervalMs);
}

std::string MainWindowModel::pendingActionWith(std::string_view details) const {
    return actionName(describe(services_.state.PendingAction)) + ": " + std::string(details);
}

void MainWindowModel::countdownCancelled(CancelledBy by) {
    if (countdownShown_) {
        history_.record(history::kCancelled, pendingActionWith(cancelledByText(by)));
        controls_.confirm(fill(tr("{0}をキャンセルしました。"),
                               {actionName(describe(services_.state.PendingAction))}));
    }
    leaveCountdown();
    ticks_.lookSoon();
}

void MainWindowModel::countdownFinished() {
    // Whatever length the count came to, changed meanwhile or not.
    ticks_.setInterval(kRequestAfterCountMs);
}

void MainWindowModel::leaveCountdown() {
    endCountdown();
    services_.state.CpuWatchActive = false;
    endJobWatch();
    // "予約する" comes back with the next tick.
    applyLocks(
        {true, userBookingsAllowed(), std::nullopt, gridReason(false), userBookingsAllowed()});
}

std::optional<std::string> MainWindowModel::countdownPostponed() {
    SharedState& state = services_.state;
    const auto now = std::chrono::floor<std::chrono::minutes>(services_.clock.now());
    if (policyRow_) {
        // The moment stays the administrator's: held by the program, not a row the user owns.
        if (!state.Limits.postponeAllowed)
            return tr(kPostponeExhausted);
        const int row = policy_.postpone(*policyRow_, now + kPostponement);
        if (row == 0)
            return tr(kNoRowToPostpone);
        policyNotices_.observe(policy_.table(), services_.clock.now());
        keepPostponements();
        history_.record(history::kPostponed, pendingActionWith(policy_.rowInHistory(row)));
        confirmPostponement(now + kPostponement);
        leaveCountdown();
        ticks_.lookSoon();
        return std::nullopt;
    }
    if (state.CpuWatchActive) {
        history_.record(history::kPostponed,
                        pendingActionWith(tr("CPU 使用率の監視を始めからやり直します")));
        // The watch goes on and waits for another full idle period.
        endCountdown();
        state.CpuIdleTicks = 0;
        ticks_.lookSoon();
        return std::nullopt;
    }
    if (const ActionDescription* action = describe(state.PendingAction)) {
        // The postponement would be a row of the user's, which the policy keeps them from.
        if (!userBookingsAllowed())
            return tr(kUserBookingsForbidden);
        const int row = editor_.bookFreeRow(oneTimeBooking(now + kPostponement), action->word);
        if (row == 0)
            return tr(kNoRowToPostpone);
        auto error = editor_.commit();
        tableChanged();
        if (error)
            return error;
        history_.record(history::kPostponed, pendingActionWith(rowInHistory(table_, row)));
        confirmPostponement(now + kPostponement);
    }
    leaveCountdown();
    followTable();
    ticks_.lookSoon();
    return std::nullopt;
}

void MainWindowModel::confirmPostponement(LocalTime moment) {
    controls_.confirm(
        fill(tr("{0}を {1} に延期しました。"),
             {actionName(describe(services_.state.PendingAction)), formatHourMinute(moment)}));
}

void MainWindowModel::runPendingAction() {
    countdownShown_ = false;
    // Released before the request: a standby asked for must not meet the program's own hold.
    awake_.releaseAll();
    power_.EnableShutdownPrivilege();
    power_.ExecutePowerAction();
    SharedState& state = services_.state;
    if (state.ExecutionPhase != Phase::Execute) {
        // Back to watching: after the resume, what passed under the countdown comes.
        endCountdown();
        return;
    }
    // Asked again until the session ends, a countdown's length apart; said once.
    if (++requests_ == 2)
        history_.record(history::kRequest,
                        pendingActionWith(fill(tr("終わるまで {0} 秒ごとに繰り返し要求します"),
                                               {std::to_string(state.countdownSeconds() +
                                                               kRequestAfterCountMs / 1000)})));
    if (requests_ == 1)
        ticks_.setInterval(countdownTimerInterval(state));
}

void MainWindowModel::cpuWatchStep(int usage) {
    const bool fires = advanceCpuIdleWatch(services_.state, usage, controls_.thresholdPercent(),
                                           controls_.durationMinutes());
    lock(true);
    if (!fires)
        return;
    if (auto action = actionAtSelectorIndex(controls_.itemIndex(Selector::Action)))
        services_.state.PendingAction = *action;
    showCountdown(countdownTimerInterval(services_.state), tr("CPU 使用率の監視"));
}

void MainWindowModel::startCpuWatchFromReservation(int row) {
    history_.record(history::kWatch, pendingActionWith(fill(tr("{0} から CPU 使用率の監視へ"),
                                                            {rowInHistory(table_, row)})));
    services_.state.CpuIdleTicks = 0;
    services_.state.CpuWatchActive = true;
    lock(true);
    controls_.showTab(kCpuTab);
    if (auto index = selectorIndexOf(services_.state.PendingAction))
        controls_.selectIndex(Selector::Action, *index);
}

void MainWindowModel::applyUnlockedAppearance() {
    lock(false);
}

void MainWindowModel::startCountdown(int timerIntervalMs, int row) {
    showCountdown(timerIntervalMs, rowInHistory(table_, row));
}

void MainWindowModel::startPolicyCountdown(int row) {
    SharedState& state = services_.state;
    // The administrator's booking outranks the user's watch, which ends here.
    if (state.CpuWatchActive || state.JobWatchActive) {
        history_.record(history::kWatch, tr("管理者の予約が来たので、監視を止めました"));
        state.CpuWatchActive = false;
        endJobWatch();
    }
    policyRow_ = row;
    state.Limits = policy_.limitsFor(row);
    showCountdown(countdownTimerInterval(state), policy_.rowInHistory(row));
}

void MainWindowModel::showCountdown(int timerIntervalMs, std::string_view cause) {
    history_.record(history::kCountdown, pendingActionWith(cause));
    countdownShown_ = true;
    requests_ = 0;
    awake_.countdownShown();
    power_.beginRequests();
    controls_.showCountdown();
    ticks_.setInterval(timerIntervalMs);
}

void MainWindowModel::saveReservations() {
    booking_.SaveReservations();
}

void MainWindowModel::showRemainingTime(std::optional<RemainingTime> remaining) {
    controls_.showRemainingTime(remaining);
}

void MainWindowModel::reportMissed(const Notice& notice) {
    history_.record(history::kMissed, notice.summary + ": " + notice.body);
    controls_.showNotice(notice);
}

bool MainWindowModel::tableHeld() const {
    const SharedState& state = services_.state;
    return countdownShown_ || state.CpuWatchActive || state.JobWatchActive ||
           state.ExecutionPhase == Phase::Execute;
}

bool MainWindowModel::requestUnderWay() const {
    return services_.state.ExecutionPhase == Phase::Execute;
}

void MainWindowModel::startCountdownNow(PowerAction action) {
    const OwnLanguage own;
    services_.state.PendingAction = action;
    showCountdown(countdownTimerInterval(services_.state), "--now");
}

} // namespace core
