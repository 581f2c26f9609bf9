#pragma once

#include "core/base/AwakePorts.h"
#include "core/book/ReservationTable.h"

#include <chrono>
#include <optional>

namespace core {

// How long before a booking the wake timer wakes the machine.
inline constexpr std::chrono::minutes kWakeMargin{1};

// The moment to wake the machine for the next active reservation: the margin before its moment.
std::optional<LocalTime> wakeMoment(const ReservationTable& table, LocalTime now);

// Holds the system awake while any reason for it stands: a countdown runs until its action is
// requested, cancelled or postponed; a machine woken for a booking stays up until its countdown.
class KeepAwake {
public:
    enum class Reason { Countdown, WokenForBooking };
    explicit KeepAwake(IdleSleepBlock& port) : port_(port) {}

    void set(Reason reason, bool held);
    bool holds(Reason reason) const;
    // Every reason ends: the countdown has run.
    void releaseAll();

private:
    IdleSleepBlock& port_;
    bool countdown_ = false;
    bool wokenForBooking_ = false;
    bool held_ = false;
};

// The machine kept awake for the program's reasons and woken for its bookings: the hold above,
// and, with the wake setting on where the system can wake the machine, the wake timer set the
// margin before the next booking (set again only when that moment changed).
class AwakeForBookings {
public:
    // `wake` is none where the system cannot wake the machine.
    AwakeForBookings(IdleSleepBlock& port, WakeTimer* wake) : keepAwake_(port), wake_(wake) {}

    // After every look and every change of the table or the settings.
    void follow(const ReservationTable& table, bool wakeOn, LocalTime now);
    // The clock was set: the wake moment, a wall-clock moment, is set again at the next follow().
    void clockSet() { wakeSet_.reset(); }
    // An unattended wake falls asleep again within minutes: with a booking within the margin the
    // machine is held until its countdown.
    void resumed(const ReservationTable& table, bool wakeOn, LocalTime now);
    void countdownShown() { keepAwake_.set(KeepAwake::Reason::Countdown, true); }
    // The countdown has run, was cancelled or postponed.
    void releaseAll() { keepAwake_.releaseAll(); }

private:
    KeepAwake keepAwake_;
    WakeTimer* wake_;
    std::optional<std::optional<LocalTime>> wakeSet_;
};

} // namespace core
