#include "MainWindowModel.h"

#include "core/book/Vocabulary.h"
#include "core/files/ReservationFile.h"
#include "core/files/SettingsFile.h"
#include "core/schedule/CpuIdleWatch.h"
#include "core/text/DateTimeText.h"

#include <cstdio>

namespace core {

MainWindowModel::MainWindowModel(Services services, ReservationTable& table,
                                 MainWindowControls& controls, TickTimer& tickTimer)
    : services_(std::move(services)), table_(table), controls_(controls),
      editor_(table,
              [this](const ReservationTable& written) {
                  core::saveReservations(services_.files, services_.reservationPath, written);
              }),
      booking_(editor_, services_.clock, services_.prompter, controls),
      ticks_(tickTimer, services_.clock, services_.state,
             {[this] { scan(); }, [this] { machineResumed(); },
              [this] {
                  // The wake moment is a wall-clock moment: set again for the new clock.
                  wakeSet_.reset();
                  updateWakeTimer();
              }}),
      power_(services_.power, services_.state, services_.prompter,
             [this](int ms) { ticks_.setInterval(ms); }),
      keepAwake_(services_.awake) {}

void MainWindowModel::FormCreate() {
    SharedState& state = services_.state;
    state.settings = loadSettings(services_.files, services_.settingsPath);
    state.ExecutionPhase = Phase::Watching;
    state.PendingAction = PowerAction::None;
    state.CpuWatchActive = false;
    // Through the same path as the user's changes: a stored value out of range is stored back
    // corrected. A hand-edited text that is no number takes the default.
    controls_.setThresholdPercent(state.settings.cpuPercent());
    controls_.setDurationMinutes(state.settings.cpuMinutes());
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
    notices_.observe(table_, services_.clock.now());
    controls_.showTable();
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
        runSchedulerTick(table_, services_.state, services_.clock, controls_.selectedRow(), usage,
                         *this);
        // A countdown or the CPU-idle watch holds the tick: the table is not watched then.
        const SharedState& state = services_.state;
        if (isOn(state.settings.NOTICEchange) && ticks_.onWallClock() && !state.CpuWatchActive) {
            for (const Notice& notice :
                 notices_.due(table_, state.settings.noticeMinutes(), services_.clock.now()))
                controls_.showNotice(notice);
        }
        updateWakeTimer();
    });
    controls_.showTable();
}

void MainWindowModel::updateWakeTimer() {
    if (services_.wake == nullptr)
        return;
    const LocalTime now = services_.clock.now();
    const std::optional<LocalTime> moment =
        isOn(services_.state.settings.WAKEchange) ? wakeMoment(table_, now) : std::nullopt;
    if (wakeSet_ != moment) {
        wakeSet_ = moment;
        services_.wake->wakeAt(moment);
    }
    // Woken for a booking that is no longer coming (stopped, deleted, or the clock moved on).
    if (keepAwake_.holds(KeepAwake::Reason::WokenForBooking) &&
        !keepAwake_.holds(KeepAwake::Reason::Countdown) && !(moment && *moment - now < kWakeMargin))
        keepAwake_.set(KeepAwake::Reason::WokenForBooking, false);
}

void MainWindowModel::machineResumed() {
    if (services_.wake == nullptr || !isOn(services_.state.settings.WAKEchange))
        return;
    // An unattended wake falls asleep again within minutes: held until the booking's countdown.
    const auto moment = wakeMoment(table_, services_.clock.now());
    if (moment && *moment - services_.clock.now() < kWakeMargin)
        keepAwake_.set(KeepAwake::Reason::WokenForBooking, true);
}

void MainWindowModel::runBooking(void (BookingCommands::*command)()) {
    (booking_.*command)();
    notices_.observe(table_, services_.clock.now());
    updateWakeTimer();
}

void MainWindowModel::refreshClock() {
    controls_.showWeekdays(controls_.bookingKind() == BookingKind::Weekly);
    controls_.showClock(formatLongTime(services_.clock.now()));
}

void MainWindowModel::Button1Click() {
    services_.state.CpuIdleTicks = 0;
    services_.state.CpuWatchActive = true;
    lock(true);
    ticks_.reschedule();
}

void MainWindowModel::Button5Click() {
    services_.state.CpuIdleTicks = 0;
    services_.state.CpuWatchActive = false;
    lock(false);
    ticks_.reschedule();
}

void MainWindowModel::writeSpinSetting(const char* key, std::string& setting, int value) {
    setting = std::to_string(value);
    runGuarded(services_.prompter,
               [&] { writeSetting(services_.files, services_.settingsPath, key, setting); });
}

void MainWindowModel::SpinEdit2Change() {
    writeSpinSetting("CPUPersent", services_.state.settings.CPUPersent,
                     controls_.thresholdPercent());
}

void MainWindowModel::SpinEdit3Change() {
    writeSpinSetting("CPUMinitu", services_.state.settings.CPUMinitu, controls_.durationMinutes());
}

void MainWindowModel::lock(bool locked) {
    applyLocks({!locked, !locked, !locked});
}

void MainWindowModel::applyLocks(const ControlLocks& locks) {
    if (shownLocks_ == locks)
        return;
    shownLocks_ = locks;
    controls_.applyLocks(locks);
}

void MainWindowModel::runPowerCommand(PowerAction action) {
    power_.beginRequests();
    power_.EnableShutdownPrivilege();
    services_.state.PendingAction = action;
    power_.ExecutePowerAction();
}

void MainWindowModel::N2Click() {
    runPowerCommand(PowerAction::PowerOff);
}

void MainWindowModel::N4Click() {
    runPowerCommand(PowerAction::Reboot);
}

void MainWindowModel::N5Click() {
    if (services_.prompter.ask("強制的に再起動しますか？"))
        runPowerCommand(PowerAction::ForcedReboot);
}

void MainWindowModel::endCountdown() {
    countdownShown_ = false;
    // A count that ran out just now has not been acted on yet: nothing is requested for it.
    services_.state.ExecutionPhase = Phase::Watching;
    forgetScanReadings(services_.state);
    keepAwake_.releaseAll();
    ticks_.setInterval(kScanIntervalMs);
}

void MainWindowModel::countdownCancelled() {
    endCountdown();
    services_.state.CpuWatchActive = false;
    // "予約する" comes back with the next tick.
    applyLocks({true, true, std::nullopt});
}

std::optional<std::string> MainWindowModel::countdownPostponed() {
    SharedState& state = services_.state;
    if (state.CpuWatchActive) {
        // The watch goes on and waits for another full idle period.
        endCountdown();
        state.CpuIdleTicks = 0;
        return std::nullopt;
    }
    if (const ActionDescription* action = describe(state.PendingAction)) {
        const auto now = std::chrono::floor<std::chrono::minutes>(services_.clock.now());
        if (editor_.bookFreeRow(oneTimeBooking(now + kPostponement), action->word) == 0)
            return "予約の空きがありません。";
        if (auto error = commitChange())
            return error;
    }
    countdownCancelled();
    updateWakeTimer();
    return std::nullopt;
}

void MainWindowModel::runPendingAction() {
    countdownShown_ = false;
    // Released before the request: a standby asked for must not meet the program's own hold.
    keepAwake_.releaseAll();
    power_.EnableShutdownPrivilege();
    power_.ExecutePowerAction();
}

void MainWindowModel::cpuWatchStep(int usage) {
    const bool fires = advanceCpuIdleWatch(services_.state, usage, controls_.thresholdPercent(),
                                           controls_.durationMinutes());
    lock(true);
    if (!fires)
        return;
    if (auto action = actionAtSelectorIndex(controls_.itemIndex(Selector::Action)))
        services_.state.PendingAction = *action;
    startCountdown(countdownTimerInterval(services_.state.settings));
}

void MainWindowModel::startCpuWatchFromReservation() {
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

void MainWindowModel::startCountdown(int timerIntervalMs) {
    countdownShown_ = true;
    keepAwake_.set(KeepAwake::Reason::Countdown, true);
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

void MainWindowModel::showNotice(const Notice& notice) {
    controls_.showNotice(notice);
}

CommandAnswer MainWindowModel::runCommandLine(const std::vector<std::string>& args) {
    const auto parsed = parseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return usageAnswer(*error);
    return runCommand(std::get<ScriptCommand>(parsed));
}

bool MainWindowModel::tableHeld() const {
    const SharedState& state = services_.state;
    return countdownShown_ || state.CpuWatchActive || state.ExecutionPhase == Phase::Execute;
}

CommandAnswer MainWindowModel::runCommand(const ScriptCommand& command) {
    const auto held = [] {
        return CommandAnswer{kRefused, "",
                             "カウントダウン中か CPU 使用率の監視中なので、できません。\n"};
    };
    const bool changesTable =
        command.verb == CommandVerb::Book || command.verb == CommandVerb::Stop ||
        command.verb == CommandVerb::Start || command.verb == CommandVerb::Delete;
    if (changesTable && tableHeld())
        return held();
    // A box's loop runs commands meanwhile; what the box asks about must stay as it was asked.
    if (changesTable && services_.prompter.waitsForUser())
        return {kRefused, "", "画面で確認を待っています。\n"};
    switch (command.verb) {
    case CommandVerb::List:
        return {kDone, listing(table_), ""};
    case CommandVerb::Cancel:
        return cancelFromCommand();
    case CommandVerb::Now:
        if (tableHeld())
            return held();
        services_.state.PendingAction = command.action;
        startCountdown(countdownTimerInterval(services_.state.settings));
        return {kDone, "カウントダウンを始めました。\n", ""};
    case CommandVerb::Book:
        return bookFromCommand(command);
    case CommandVerb::Stop:
    case CommandVerb::Start:
    case CommandVerb::Delete:
        return changeRowFromCommand(command);
    case CommandVerb::Help:
    case CommandVerb::Version:
        break;
    }
    return {kUsage, "", "このコマンドは動いているコピーには送りません。\n"};
}

CommandAnswer MainWindowModel::cancelFromCommand() {
    if (countdownShown_) {
        controls_.cancelCountdown();
        return {kDone, "キャンセルしました。\n", ""};
    }
    if (services_.state.ExecutionPhase == Phase::Execute)
        return {kRefused, "", "電源操作はすでに始まっています。\n"};
    return {kRefused, "", "カウントダウンは動いていません。\n"};
}

CommandAnswer MainWindowModel::bookFromCommand(const ScriptCommand& command) {
    const auto cells = scriptBookingCells(command, services_.clock.now());
    if (const auto* refusal = std::get_if<std::string>(&cells))
        return {kRefused, "", *refusal + "\n"};
    const int row =
        editor_.bookFreeRow(std::get<ElapsedBooking>(cells), describe(command.action)->word);
    if (row == 0)
        return {kRefused, "", "予約の空きがありません。\n"};
    if (auto error = commitChange())
        return {kRefused, "", *error + "\n"};
    return {kDone, listingLine(table_, row), ""};
}

CommandAnswer MainWindowModel::changeRowFromCommand(const ScriptCommand& command) {
    const int row = command.row;
    const std::optional<std::string> refusal =
        command.verb == CommandVerb::Delete
            ? editor_.clear(row)
            : editor_.setState(row,
                               command.verb == CommandVerb::Stop ? kStateStopped : kStateActive);
    if (refusal)
        return {kRefused, "", *refusal + "\n"};
    if (auto error = commitChange())
        return {kRefused, "", *error + "\n"};
    return {kDone, table_.isEmpty(row) ? "" : listingLine(table_, row), ""};
}

std::optional<std::string> MainWindowModel::commitChange() {
    std::optional<std::string> error;
    try {
        editor_.save();
    } catch (const std::exception& e) {
        error = e.what();
        editor_.undo();
    }
    notices_.observe(table_, services_.clock.now());
    updateWakeTimer();
    controls_.showTable();
    return error;
}

} // namespace core
