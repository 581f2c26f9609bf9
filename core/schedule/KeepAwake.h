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

} // namespace core
