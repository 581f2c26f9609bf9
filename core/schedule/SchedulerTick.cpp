#include "SchedulerTick.h"

#include "core/book/Vocabulary.h"
#include "core/text/DateTimeText.h"

#include <chrono>
#include <cstdlib>

namespace core {

using namespace std::chrono;

namespace {

struct WeeklyRule {
    std::string_view dateCell;
    int firstDay;
    int lastDay;
};

// Weekday numbers run from 1 (Sunday) to 7 (Saturday); "土日" wraps round the week's end.
constexpr WeeklyRule kWeeklyRules[] = {
    {"毎週日曜", 1, 1},   {"毎週月曜", 2, 2}, {"毎週火曜", 3, 3}, {"毎週水曜", 4, 4},
    {"毎週木曜", 5, 5},   {"毎週金曜", 6, 6}, {"毎週土曜", 7, 7}, {"毎週月～金", 2, 6},
    {"毎週月～土", 2, 7}, {"毎週土日", 7, 1},
};

bool weeklyDueOn(std::string_view dateCell, int weekday) {
    for (const auto& rule : kWeeklyRules) {
        if (dateCell != rule.dateCell)
            continue;
        if (rule.firstDay <= rule.lastDay)
            return weekday >= rule.firstDay && weekday <= rule.lastDay;
        return weekday >= rule.firstDay || weekday <= rule.lastDay;
    }
    return false;
}

bool dueToday(std::string_view dateCell, LocalTime now) {
    LocalDays today = floor<days>(now);
    switch (reservationKind(dateCell)) {
    case ReservationKind::OneTime:
        return dateCell == formatShortDate(today);
    case ReservationKind::Daily:
        return true;
    case ReservationKind::Weekly:
        return weeklyDueOn(dateCell, weekdayNumber(today));
    case ReservationKind::Unknown:
        break;
    }
    return false;
}

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

enum class ScanOutcome { Continue, HandedToWatch };

ScanOutcome scanRow(ReservationTable& table, SharedState& state, const Clock& clock, int row,
                    bool selected, TickHost& host) {
    const std::string hour = hour24Text(table.cell(PeriodCell, row), table.cell(HourCell, row));
    const std::string minute = minuteText(table.cell(MinuteCell, row));

    const auto slot = static_cast<std::size_t>(row);
    const std::optional<LocalTime> previous = state.LastScanReadings[slot];
    const LocalTime now = clock.now();
    state.LastScanReadings[slot] = now;
    if (table.cell(StateCell, row) == kStateActive) {
        const std::string key = triggerKey(hour, minute);
        const LocalTime thisMinute = floor<minutes>(now);
        if ((key == formatLongTime(now) || caughtUp(key, previous, now)) &&
            dueToday(table.cell(DateCell, row), now) &&
            state.LastFiredMinutes[slot] != thisMinute) {
            state.LastFiredMinutes[slot] = thisMinute;
            // A row whose action is not one of the seven would run whatever was pending
            // before; it does not fire at all.
            if (auto action = actionFromWord(table.cell(ActionCell, row))) {
                state.PendingAction = *action;
                if (isOn(state.settings.CPUchange)) {
                    host.startCpuWatchFromReservation();
                    return ScanOutcome::HandedToWatch;
                }
                host.startCountdown(countdownTimerInterval(state.settings));
            }
        }
    }

    // A hand-edited date that does not parse keeps its row; only its expiry and remaining
    // time are skipped.
    std::optional<LocalTime> moment;
    if (isOneTimeWithTime(table, row)) {
        moment = parseDateTime(oneTimeDateTimeText(table.cell(DateCell, row), hour, minute));
        if (moment && clock.now() - *moment >= 1ms) {
            table.clearRow(row);
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
            auto minutesAway = std::llabs(duration_cast<minutes>(*moment - clock.now()).count());
            state.RemainingMinutes = static_cast<int>(minutesAway);
            host.showRemainingTime(RemainingTime{state.RemainingMinutes / 1440,
                                                 state.RemainingMinutes % 1440 / 60,
                                                 state.RemainingMinutes % 60});
        } else {
            host.showRemainingTime(std::nullopt);
        }
    }
    return ScanOutcome::Continue;
}

} // namespace

int countdownTimerInterval(const Settings& settings) {
    return (settings.shutDownSeconds() + 2) * 1000;
}

void runSchedulerTick(ReservationTable& table, SharedState& state, const Clock& clock,
                      int selectedRow, int usage, TickHost& host) {
    if (state.ExecutionPhase == Phase::Execute || state.CpuWatchActive) {
        // Rows pass unseen during a countdown's action or the watch by design; nothing is caught
        // up for that time.
        state.LastScanReadings.fill(std::nullopt);
        if (state.ExecutionPhase == Phase::Execute)
            host.runPendingAction();
        else
            host.cpuWatchStep(usage);
        return;
    }
    host.applyUnlockedAppearance();
    for (int row = kFirstReservation; row <= kLastReservation; ++row) {
        if (scanRow(table, state, clock, row, row == selectedRow, host) ==
            ScanOutcome::HandedToWatch)
            return;
    }
}

} // namespace core
