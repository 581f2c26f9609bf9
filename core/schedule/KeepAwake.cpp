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

void AwakeForBookings::follow(const ReservationTable& table, bool wakeOn, LocalTime now) {
    if (wake_ == nullptr)
        return;
    const std::optional<LocalTime> moment = wakeOn ? wakeMoment(table, now) : std::nullopt;
    if (wakeSet_ != moment) {
        wakeSet_ = moment;
        wake_->wakeAt(moment);
    }
    // Woken for a booking that is no longer coming (stopped, deleted, or the clock moved on).
    if (keepAwake_.holds(KeepAwake::Reason::WokenForBooking) &&
        !keepAwake_.holds(KeepAwake::Reason::Countdown) && !(moment && *moment - now < kWakeMargin))
        keepAwake_.set(KeepAwake::Reason::WokenForBooking, false);
}

void AwakeForBookings::resumed(const ReservationTable& table, bool wakeOn, LocalTime now) {
    if (wake_ == nullptr || !wakeOn)
        return;
    const auto moment = wakeMoment(table, now);
    if (moment && *moment - now < kWakeMargin)
        keepAwake_.set(KeepAwake::Reason::WokenForBooking, true);
}

} // namespace core
