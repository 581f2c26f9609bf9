#include "SchedulerTick.h"

#include "BookingNotices.h"
#include "RowMoments.h"
#include "core/book/Vocabulary.h"
#include "core/text/DateTimeText.h"

#include <chrono>
#include <cstdlib>

namespace core {

using namespace std::chrono;

namespace {

bool isOneTimeWithTime(const ReservationTable& table, int row) {
    return table.isComplete(row) &&
           reservationKind(table.cell(DateCell, row)) == ReservationKind::OneTime;
}

// A row due at the start of now's minute was passed over while the program was held up: the
// previous scan looked before that moment. Later in the minute it is not caught up again.
bool caughtUp(const std::string& key, std::optional<LocalTime> previous, LocalTime now) {
    const LocalTime minuteStart = floor<minutes>(now);
    return previous && *previous < minuteStart && key == formatLongTime(minuteStart);
}

enum class ScanOutcome { Continue, HandedToWatch, CountdownStarted };

// What one scan found passed over: moments between its look and the one before, and, at the
// first scan after the start, active one-time rows whose moment had passed.
struct Missed {
    std::vector<MissedMoment> whileAsleep;
    std::vector<MissedMoment> beforeStart;
};

// The row's moments within (after, upTo], with its action; the minute it last fired in is no
// moment missed (a clock set back and forward again passes it twice). Those up to `heldUntil`
// were held up by a countdown, not missed: the last of them is returned, to fire now.
std::optional<LocalTime> noteMoments(const ReservationTable& table, int row, LocalTime after,
                                     LocalTime upTo, std::optional<LocalTime> firedMinute,
                                     std::vector<MissedMoment>& list,
                                     std::optional<LocalTime> heldUntil = std::nullopt) {
    std::optional<LocalTime> held;
    for (LocalTime moment : rowMoments(table, row, after, upTo)) {
        if (floor<minutes>(moment) == firedMinute)
            continue;
        if (heldUntil && moment <= *heldUntil)
            held = moment;
        else
            list.push_back({moment, *actionFromWord(table.cell(ActionCell, row))});
    }
    return held;
}

// The user's table, or the administrator's bookings: never saved, never handed to the CPU-idle
// watch, never selected.
struct ScannedTable {
    ReservationTable& table;
    RowScans& scans;
    bool policy;
};

ScanOutcome scanRow(ScannedTable scanned, SharedState& state, const Clock& clock, int row,
                    bool selected, TickHost& host, Missed& missed) {
    ReservationTable& table = scanned.table;
    RowScans& scans = scanned.scans;
    const std::string hour = hour24Text(table.cell(PeriodCell, row), table.cell(HourCell, row));
    const std::string minute = minuteText(table.cell(MinuteCell, row));

    const auto slot = static_cast<std::size_t>(row);
    const std::optional<LocalTime> previous = scans.LastScanReadings[slot];
    const LocalTime now = clock.now();
    scans.LastScanReadings[slot] = now;
    // The moment at the start of this minute is the catch-up's. Only the administrator's
    // bookings are looked at across a countdown, and so held up by one.
    std::optional<LocalTime> heldUp;
    if (previous)
        heldUp = noteMoments(table, row, *previous, floor<minutes>(now) - 1ms,
                             scans.LastFiredMinutes[slot], missed.whileAsleep,
                             scanned.policy ? state.HeldUntil : std::nullopt);
    bool fired = false;
    if (table.cell(StateCell, row) == kStateActive) {
        const std::string key = triggerKey(hour, minute);
        const LocalTime thisMinute = floor<minutes>(now);
        if ((heldUp || ((key == formatLongTime(now) || caughtUp(key, previous, now)) &&
                        dueOn(table.cell(DateCell, row), floor<days>(now)))) &&
            scans.LastFiredMinutes[slot] != thisMinute) {
            scans.LastFiredMinutes[slot] = thisMinute;
            fired = true;
            // A row whose action is not one of the seven would run whatever was pending
            // before; it does not fire at all.
            if (auto action = actionFromWord(table.cell(ActionCell, row))) {
                state.PendingAction = *action;
                if (scanned.policy) {
                    host.startPolicyCountdown(row);
                    return ScanOutcome::CountdownStarted;
                }
                if (isOn(state.settings.CPUchange)) {
                    host.startCpuWatchFromReservation(row);
                    return ScanOutcome::HandedToWatch;
                }
                host.startCountdown(countdownTimerInterval(state), row);
            }
        }
    }

    // A hand-edited date that does not parse keeps its row; only its expiry and remaining
    // time are skipped.
    std::optional<LocalTime> moment;
    if (isOneTimeWithTime(table, row)) {
        moment = parseDateTime(oneTimeDateTimeText(table.cell(DateCell, row), hour, minute));
        // A row whose countdown waits stays until the countdown starts.
        if (moment && clock.now() - *moment >= 1ms && table.waitingRow() != row) {
            if (!state.FirstScanDone && !previous && !fired)
                noteMoments(table, row, *moment - 1ms, *moment, std::nullopt, missed.beforeStart);
            table.clearRow(row);
            if (!scanned.policy)
                host.saveReservations();
        }
    }

    if (table.isHalfFilled(row)) {
        table.clearRow(row);
        host.saveReservations();
    }

    if (selected) {
        // An expired row was cleared above, so only a row still booked shows its time.
        if (moment && !table.cell(DateCell, row).empty()) {
            const auto away =
                static_cast<int>(std::llabs(duration_cast<minutes>(*moment - clock.now()).count()));
            host.showRemainingTime(RemainingTime{away / 1440, away % 1440 / 60, away % 60});
        } else {
            host.showRemainingTime(std::nullopt);
        }
    }
    return ScanOutcome::Continue;
}

} // namespace

void forgetScanReadings(SharedState& state) {
    state.UserScans.LastScanReadings.fill(std::nullopt);
}

int countdownTimerInterval(const SharedState& state) {
    return state.countdownSeconds() * 1000 + kRequestAfterCountMs;
}

void runSchedulerTick(ReservationTable& table, SharedState& state, const Clock& clock,
                      int selectedRow, int usage, TickHost& host, ReservationTable* policy) {
    Missed missed;
    const auto reportMissed = [&] {
        if (!missed.beforeStart.empty())
            host.reportMissed(missedNotice(kMissedBeforeStart, std::move(missed.beforeStart)));
        if (!missed.whileAsleep.empty())
            host.reportMissed(missedNotice(kMissedWhileAsleep, std::move(missed.whileAsleep)));
    };
    // The administrator's first: a booking of theirs ends a watch and outranks the user's row of
    // the same minute.
    if (policy != nullptr && state.ExecutionPhase != Phase::Execute && !state.BusyWaitActive) {
        for (int row = kFirstReservation; row <= kLastReservation; ++row) {
            if (scanRow({*policy, state.PolicyScans, true}, state, clock, row, false, host,
                        missed) == ScanOutcome::CountdownStarted) {
                forgetScanReadings(state);
                reportMissed();
                return;
            }
        }
    }
    if (state.ExecutionPhase == Phase::Execute || state.CpuWatchActive || state.JobWatchActive ||
        state.BusyWaitActive) {
        forgetScanReadings(state);
        reportMissed();
        if (state.ExecutionPhase == Phase::Execute)
            host.runPendingAction();
        else if (state.BusyWaitActive)
            host.busyWaitStep();
        else if (state.CpuWatchActive)
            host.cpuWatchStep(usage);
        return;
    }
    host.applyUnlockedAppearance();
    for (int row = kFirstReservation; row <= kLastReservation; ++row) {
        if (scanRow({table, state.UserScans, false}, state, clock, row, row == selectedRow, host,
                    missed) == ScanOutcome::HandedToWatch)
            break;
    }
    state.FirstScanDone = true;
    reportMissed();
}

} // namespace core
