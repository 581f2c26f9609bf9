#pragma once

#include "Policy.h"
#include "core/base/LocalTime.h"
#include "core/book/ReservationTable.h"
#include "core/power/PowerAction.h"

#include <array>
#include <string>
#include <vector>

namespace core {

// The policy's bookings as rows of a table of their own that is never saved: rows 1 to `count`
// in the list's order, all active; the rows after them hold the policy's postponements.
struct PolicyBookings {
    ReservationTable table;
    int count = 0;
    // The number each row's entry was named with.
    std::array<int, kLastReservation + 1> numbers{};
    // "number=entry: reason" for each entry left out.
    std::vector<std::string> ignored;
};

// Each entry is what follows --book on the command line, with --daily, --weekly or --date: a
// booking without a date would fire anew after every start.
PolicyBookings compilePolicyBookings(const std::vector<PolicyEntry>& entries, LocalTime now,
                                     const ActionCheck& unavailable = nullptr);

} // namespace core
