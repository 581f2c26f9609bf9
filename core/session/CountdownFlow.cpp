#include "CountdownFlow.h"

#include "core/book/Vocabulary.h"
#include "core/forms/CountdownModel.h"
#include "core/lang/Catalogue.h"
#include "core/policy/PolicyWords.h"
#include "core/schedule/SchedulerTick.h"
#include "core/text/DateTimeText.h"

namespace core {

CountdownFlow::CountdownFlow(const SessionServices& services, MainWindowControls& controls,
                             History& history, TickDriver& ticks, WindowLocks& locks,
                             Bookings& bookings, Watches& watches)
    : services_(services), controls_(controls), history_(history), ticks_(ticks), locks_(locks),
      bookings_(bookings), watches_(watches),
      power_(services.power, services.state, services.prompter, history, services.clock,
             [this](int ms) { ticks_.setInterval(ms); }),
      preAction_(services, history, bookings) {
    if (services_.schedule != nullptr)
        services_.schedule->setEventHandler(
            [this](const ShutdownSchedule::Event& event) { scheduleTold(event); });
}

CountdownFlow::~CountdownFlow() {
    if (services_.schedule != nullptr)
        services_.schedule->setEventHandler(nullptr);
}

void CountdownFlow::show(int timerIntervalMs, std::string_view cause, bool booked) {
    if (booked) {
        const LocalTime now = services_.clock.now();
        history_.setBooking(LogBooking{std::string(cause.substr(0, cause.find(' '))),
                                       std::string(describe(services_.state.PendingAction)->key),
                                       formatShortDate(std::chrono::floor<std::chrono::days>(now)) +
                                           " " + formatHourMinute(now)});
    }
    history_.record(history::kCountdown, pendingActionWith(cause));
    shown_ = true;
    requests_ = 0;
    bookings_.awake().countdownShown();
    power_.beginRequests();
    controls_.showCountdown();
    ticks_.setInterval(timerIntervalMs);
    announce(services_.state.countdownSeconds());
}

void CountdownFlow::endWatchesForPolicy() {
    const SharedState& state = services_.state;
    if (state.CpuWatchActive || state.JobWatchActive) {
        history_.record(history::kWatch, tr("管理者の予約が来たので、監視を止めました"));
        watches_.endAll();
    }
}

void CountdownFlow::showForPolicy(int row) {
    SharedState& state = services_.state;
    endWatchesForPolicy();
    policyRow_ = row;
    state.Limits = bookings_.policy().limitsFor(row);
    show(countdownTimerInterval(state), bookings_.policy().rowInHistory(row), true);
}

void CountdownFlow::startCountdownNow(PowerAction action) {
    const OwnLanguage own;
    services_.state.PendingAction = action;
    show(countdownTimerInterval(services_.state), "--now");
}

void CountdownFlow::cancelCountdown(CancelledBy by) {
    const OwnLanguage own;
    controls_.cancelCountdown(by);
}

void CountdownFlow::cancelled(CancelledBy by) {
    if (shown_) {
        history_.record(history::kCancelled, pendingActionWith(cancelledByText(by)));
        controls_.confirm(fill(tr("{0}をキャンセルしました。"),
                               {actionName(describe(services_.state.PendingAction))}));
    }
    leave();
    ticks_.lookSoon();
}

std::optional<std::string> CountdownFlow::finished() {
    if (!preAction_.running()) {
        // Its moment has come: the system drops it itself.
        announced_ = false;
        preAction_.begin();
    }
    if (auto said = preAction_.step())
        return said;
    if (preAction_.callsOff()) {
        callOff();
        return std::nullopt;
    }
    // Whatever length the count came to, changed meanwhile or not.
    ticks_.setInterval(kRequestAfterCountMs);
    return std::nullopt;
}

void CountdownFlow::callOff() {
    const std::string action = actionName(describe(services_.state.PendingAction));
    controls_.showNotice({fill(tr("{0}を中止しました"), {action}),
                          fill(tr("実行前のコマンドが失敗したので、{0}を中止しました。"), {action}),
                          std::nullopt});
    leave();
    ticks_.lookSoon();
}

std::optional<std::string> CountdownFlow::postponed() {
    SharedState& state = services_.state;
    const auto now = std::chrono::floor<std::chrono::minutes>(services_.clock.now());
    if (policyRow_) {
        // The moment stays the administrator's: held by the program, not a row the user owns.
        if (!state.Limits.postponeAllowed)
            return tr(kPostponeExhausted);
        const int row = bookings_.postponePolicyRow(*policyRow_, now + kPostponement);
        if (row == 0)
            return tr(kNoRowToPostpone);
        history_.record(history::kPostponed,
                        pendingActionWith(bookings_.policy().rowInHistory(row)));
        confirmPostponement(now + kPostponement);
        leave();
        ticks_.lookSoon();
        return std::nullopt;
    }
    if (state.CpuWatchActive) {
        history_.record(history::kPostponed,
                        pendingActionWith(tr("CPU 使用率の監視を始めからやり直します")));
        // The watch goes on and waits for another full idle period.
        end();
        watches_.restartCpuIdle();
        ticks_.lookSoon();
        return std::nullopt;
    }
    if (const ActionDescription* action = describe(state.PendingAction)) {
        // The postponement would be a row of the user's, which the policy keeps them from.
        if (!bookings_.userBookingsAllowed())
            return tr(kUserBookingsForbidden);
        TableEditor& editor = bookings_.editor();
        const int row = editor.bookFreeRow(oneTimeBooking(now + kPostponement), action->word);
        if (row == 0)
            return tr(kNoRowToPostpone);
        auto error = editor.commit();
        bookings_.tableChanged();
        if (error)
            return error;
        history_.record(history::kPostponed,
                        pendingActionWith(rowInHistory(bookings_.table(), row)));
        confirmPostponement(now + kPostponement);
    }
    leave();
    bookings_.followTable();
    ticks_.lookSoon();
    return std::nullopt;
}

void CountdownFlow::runPendingAction() {
    // The request waits for the command before it.
    if (preAction_.running())
        return;
    shown_ = false;
    // Released before the request: a standby asked for must not meet the program's own hold.
    bookings_.awake().releaseAll();
    power_.EnableShutdownPrivilege();
    power_.ExecutePowerAction();
    SharedState& state = services_.state;
    if (state.ExecutionPhase != Phase::Execute) {
        // Back to watching: after the resume, what passed under the countdown comes.
        end();
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

void CountdownFlow::requestNow(PowerAction action) {
    power_.requestNow(action);
}

bool CountdownFlow::mayEndProgram() {
    if ((!shown_ && !requestUnderWay()) || cancelAllowed())
        return true;
    services_.prompter.inform(tr(kCancelForbidden) + "\n" +
                              tr("カウントダウンが終わるまで、終了もできません。"));
    return false;
}

bool CountdownFlow::requestUnderWay() const {
    return services_.state.ExecutionPhase == Phase::Execute;
}

std::optional<std::string> CountdownFlow::cancelRefusal() const {
    if (cancelAllowed())
        return std::nullopt;
    return tr(kCancelForbidden);
}

std::optional<std::string> CountdownFlow::stopRequests(CancelledBy by) {
    if (!requestUnderWay())
        return std::nullopt;
    if (by != CancelledBy::System && !cancelAllowed())
        return tr(kCancelForbidden);
    const OwnLanguage own;
    history_.record(history::kCancelled, pendingActionWith(cancelledByText(by)));
    leave();
    ticks_.lookSoon();
    return std::nullopt;
}

void CountdownFlow::end() {
    history_.setBooking(std::nullopt);
    withdraw();
    preAction_.stop();
    shown_ = false;
    services_.state.HeldUntil = services_.clock.now();
    policyRow_.reset();
    services_.state.Limits = {};
    // A count that ran out just now has not been acted on yet: nothing is requested for it.
    services_.state.ExecutionPhase = Phase::Watching;
    forgetScanReadings(services_.state);
    bookings_.awake().releaseAll();
    ticks_.setInterval(kScanIntervalMs);
}

void CountdownFlow::leave() {
    end();
    watches_.endAll();
    // "予約する" comes back with the next tick.
    locks_.countdownLeft();
}

std::string CountdownFlow::pendingActionWith(std::string_view details) const {
    return actionName(describe(services_.state.PendingAction)) + ": " + std::string(details);
}

void CountdownFlow::confirmPostponement(LocalTime moment) {
    controls_.confirm(
        fill(tr("{0}を {1} に延期しました。"),
             {actionName(describe(services_.state.PendingAction)), formatHourMinute(moment)}));
}

void CountdownFlow::announce(int seconds) {
    const auto kind = scheduledAs(services_.state.PendingAction);
    if (services_.schedule == nullptr || !kind)
        return;
    announced_ = true;
    services_.schedule->announce(*kind, std::chrono::seconds(seconds));
}

void CountdownFlow::withdraw() {
    if (!announced_)
        return;
    announced_ = false;
    services_.schedule->withdraw();
}

void CountdownFlow::scheduleTold(const ShutdownSchedule::Event& event) {
    if (!announced_)
        return;
    switch (event.type) {
    case ShutdownSchedule::Event::Refused:
        announced_ = false;
        if (!scheduleRefusalSaid_)
            history_.record(
                history::kCountdown,
                pendingActionWith(fill(tr("システムの予定に載せられません: {0}"), {event.reason})));
        scheduleRefusalSaid_ = true;
        return;
    case ShutdownSchedule::Event::Replaced:
        // Another program's now: neither taken over nor withdrawn.
        announced_ = false;
        return;
    case ShutdownSchedule::Event::Withdrawn:
        announced_ = false;
        // The administrator's countdown may not be cancelled: it goes back into the schedule.
        if (cancelAllowed())
            cancelCountdown(CancelledBy::Schedule);
        else
            announce(services_.state.countdownSeconds() - services_.state.CountdownTicks);
        return;
    }
}

} // namespace core
