#pragma once

#include "BookingNotices.h"
#include "SharedState.h"
#include "core/base/Clock.h"
#include "core/book/ReservationTable.h"

#include <optional>

namespace core {

inline constexpr int kScanIntervalMs = 500;
// The action is asked for this long after its count has run out.
inline constexpr int kRequestAfterCountMs = 2000;

struct RemainingTime {
    int days;
    int hours;
    int minutes;
};

// What one tick asks of the window around it.
class TickHost {
public:
    virtual ~TickHost() = default;
    // Enable the shutdown privilege, then carry out PendingAction.
    virtual void runPendingAction() = 0;
    virtual void cpuWatchStep(int usage) = 0;
    // A tick while a booking's countdown waits for the user's full-screen work to end.
    virtual void busyWaitStep() = 0;
    // The row came and hands its action to the CPU-idle watch.
    virtual void startCpuWatchFromReservation(int row) = 0;
    // Enable the booking controls and give the grid the window colour.
    virtual void applyUnlockedAppearance() = 0;
    // The row came: show the countdown dialog and set the main timer to the given interval.
    virtual void startCountdown(int timerIntervalMs, int row) = 0;
    // The administrator's booking in the row came: its countdown under the policy's limits.
    virtual void startPolicyCountdown(int row) = 0;
    virtual void saveReservations() = 0;
    // Nothing hides the remaining-time labels.
    virtual void showRemainingTime(std::optional<RemainingTime> remaining) = 0;
    // Bookings passed over unfired, in one notice.
    virtual void reportMissed(const Notice& notice) = 0;
};

// The main timer stays away for the whole countdown plus kRequestAfterCountMs.
int countdownTimerInterval(const SharedState& state);

// The user's rows pass unseen while a countdown or the CPU-idle watch holds the tick: nothing of
// that time is reported missed or caught up by the scan after it. The administrator's bookings are
// caught up or reported as ever.
void forgetScanReadings(SharedState& state);

// One tick after the clock and usage labels are drawn: runs the pending action, steps
// the CPU-idle watch, or scans the 30 rows; while the "終了待ち" watch runs, nothing. An error of
// saveReservations() ends the tick. A scan fires nothing late: what it finds passed over since the
// look before, and at the first scan the one-time rows that passed before the start, it shows in
// one notice each. The administrator's bookings (`policy`, when there are any) are scanned first,
// also while a watch runs, and fire under the policy's limits.
void runSchedulerTick(ReservationTable& table, SharedState& state, const Clock& clock,
                      int selectedRow, int usage, TickHost& host,
                      ReservationTable* policy = nullptr);

} // namespace core
