#include "KeepAwake.h"

#include "RowMoments.h"

namespace core {

using namespace std::chrono;

std::optional<LocalTime> wakeMoment(const ReservationTable& table, LocalTime now) {
    std::optional<LocalTime> next;
    // Every kind of row comes round within a week.
    for (int row = kFirstReservation; row <= kLastReservation; ++row) {
        const auto moments = rowMoments(table, row, now, now + days(8));
        if (!moments.empty() && (!next || moments.front() < *next))
            next = moments.front();
    }
    if (next)
        *next -= kWakeMargin;
    return next;
}

void KeepAwake::set(Reason reason, bool held) {
    (reason == Reason::Countdown ? countdown_ : wokenForBooking_) = held;
    const bool wanted = countdown_ || wokenForBooking_;
    if (wanted == held_)
        return;
    held_ = wanted;
    if (wanted)
        port_.hold();
    else
        port_.release();
}

bool KeepAwake::holds(Reason reason) const {
    return reason == Reason::Countdown ? countdown_ : wokenForBooking_;
}

void KeepAwake::releaseAll() {
    set(Reason::Countdown, false);
    set(Reason::WokenForBooking, false);
}

} // namespace core
