#include "MainWindowModel.h"

#include "core/book/Vocabulary.h"
#include "core/files/FilePlaces.h"
#include "core/files/SettingsFile.h"
#include "core/lang/Catalogue.h"
#include "core/text/DateTimeText.h"

#include <utility>

namespace core {

MainWindowModel::MainWindowModel(Services services, ReservationTable& table,
                                 MainWindowControls& controls, TickTimer& tickTimer)
    : services_(std::move(services)), controls_(controls),
      history_(services_.files, historyFilePlace(services_.settingsPath), services_.clock,
               services_.log),
      ticks_(
          tickTimer, services_.clock, services_.state,
          {[this] { scan(); }, [this] { bookings_.resumed(); }, [this] { bookings_.clockSet(); }}),
      bookings_(services_, table, values_, controls, history_), locks_(controls, bookings_),
      watches_(services_, values_, controls, history_, ticks_, locks_,
               {[this] { return countdown_.countdownShown() || countdown_.requestUnderWay(); },
                [this](const std::string& cause) {
                    countdown_.show(countdownTimerInterval(services_.state), cause);
                }}),
      countdown_(services_, controls, history_, ticks_, locks_, bookings_, watches_),
      guard_(services_, bookings_, history_, controls,
             [this](int row, bool policy) {
                 if (policy)
                     countdown_.showForPolicy(row);
                 else
                     countdown_.show(countdownTimerInterval(services_.state),
                                     rowInHistory(bookings_.table(), row), true);
             }),
      scripts_(bookings_.editor(), services_.clock, {bookings_, countdown_, watches_}, history_) {}

void MainWindowModel::FormCreate() {
    SharedState& state = services_.state;
    state.settings = loadSettings(services_.files, services_.settingsPath);
    state.ExecutionPhase = Phase::Watching;
    state.PendingAction = PowerAction::None;
    state.CpuWatchActive = false;
    state.JobWatchActive = false;
    values_.day = std::chrono::floor<std::chrono::days>(services_.clock.now());
    values_.select(Selector::Weekdays, 0);
    values_.select(Selector::Action, 0);
    values_.select(Selector::ElapsedMinutes, 30);
    values_.row = kFirstReservation;
    // A stored value out of range is stored back corrected, a hand-edited text that is no number
    // takes the default; then the window draws them all.
    watches_.showSettings();
    if (!isOn(state.settings.TASKICOchange))
        controls_.addTrayIcon();
    bookings_.load();
    followPolicy();
    bookings_.restorePostponements();
    bookings_.tableChanged();
    ticks_.reschedule();
}

void MainWindowModel::scan() {
    runGuarded(services_.prompter, [this] {
        refreshClock();
        // The meter's reading is shown as one byte.
        const auto usage = static_cast<unsigned char>(services_.cpu.getUsage());
        const std::string digits = std::to_string(usage);
        usage_ = std::string(3 - digits.size(), ' ') + digits;
        controls_.showUsage(usage_);
        followPolicy();
        const bool shown = countdown_.countdownShown();
        // Nothing comes into a countdown that shows: a booking of a later minute would replace
        // its action. What comes meanwhile is looked at when it ends.
        if (!shown || services_.state.ExecutionPhase == Phase::Execute)
            runSchedulerTick(bookings_.table(), services_.state, services_.clock, values_.row,
                             usage, *this, &bookings_.policy().table());
        if (!shown)
            watches_.jobWatchTick();
        // A countdown or the CPU-idle watch holds the tick: the table is not watched then.
        const SharedState& state = services_.state;
        if (isOn(state.settings.NOTICEchange) &&
            ticks_.cadence() == TickDriver::Cadence::WallClock && !state.CpuWatchActive &&
            !state.JobWatchActive)
            bookings_.sayDueNotices();
        bookings_.keepPostponements();
        bookings_.followTable();
    });
    controls_.showTable();
    reportHistoryFailure();
}

void MainWindowModel::followPolicy() {
    if (bookings_.followPolicy() && !ScriptHost{bookings_, countdown_, watches_}.tableHeld())
        locks_.lock(false);
}

void MainWindowModel::reportHistoryFailure() {
    if (countdown_.countdownShown() || services_.prompter.waitsForUser())
        return;
    if (auto failure = history_.takeFailure())
        services_.prompter.showError(*failure);
}

void MainWindowModel::refreshClock() {
    controls_.showClock(formatLongTime(services_.clock.now()));
}

void MainWindowModel::valuesChanged(const MainWindowValues& values) {
    const MainWindowValues before = std::exchange(values_, values);
    watches_.fieldsChanged(before);
    if (values_.kind != before.kind)
        controls_.showValues(values_);
}

void MainWindowModel::widgetsBuilt() {
    values_.actionsUnavailable.clear();
    for (int index = 0; const auto action = actionAtSelectorIndex(index); ++index)
        values_.actionsUnavailable.push_back(services_.power.unavailable(*action).value_or(""));
    watches_.offerConditions();
    controls_.showValues(values_);
    refreshClock();
    controls_.showUsage(usage_);
    controls_.showRemainingTime(remaining_);
    locks_.showAgain();
    controls_.showTable();
}

void MainWindowModel::showRemainingTime(std::optional<RemainingTime> remaining) {
    remaining_ = remaining;
    controls_.showRemainingTime(remaining_);
}

void MainWindowModel::stopJobWatchClick() {
    if (services_.state.JobWatchActive && !countdown_.countdownShown())
        watches_.stopWatch();
}

void MainWindowModel::N5Click() {
    if (services_.prompter.ask(tr("強制的に再起動しますか？")))
        countdown_.requestNow(PowerAction::ForcedReboot);
}

void MainWindowModel::openHistory() {
    const std::string& path = history_.path();
    if (!services_.files.read(path, 0)) {
        services_.prompter.inform(tr("履歴はまだありません。"));
        return;
    }
    if (auto problem = services_.viewer.open(path))
        services_.prompter.showError(tr("履歴を開けません。") + "\n" + path + "\n" + *problem);
}

void MainWindowModel::openPolicyBookings() {
    const PolicyInForce& policy = bookings_.policy();
    controls_.showPolicyBookings(policy.lines(services_.clock.now()), policy.limitsText());
}

void MainWindowModel::cancelFromTray() {
    const CommandAnswer answer = scripts_.cancel(CancelledBy::Tray);
    if (answer.status != kDone)
        services_.prompter.inform(answer.err.substr(0, answer.err.find_last_not_of('\n') + 1));
}

void MainWindowModel::startCpuWatchFromReservation(int row) {
    watches_.startCpuWatchFromBooking(rowInHistory(bookings_.table(), row));
}

void MainWindowModel::startCountdown(int timerIntervalMs, int row) {
    if (!guard_.holds(row, false))
        countdown_.show(timerIntervalMs, rowInHistory(bookings_.table(), row), true);
}

void MainWindowModel::startPolicyCountdown(int row) {
    // The administrator's booking outranks the user's watch, also while its countdown waits.
    countdown_.endWatchesForPolicy();
    if (!guard_.holds(row, true))
        countdown_.showForPolicy(row);
}

} // namespace core
