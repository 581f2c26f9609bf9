#include "NextBooking.h"

#include "RowMoments.h"
#include "core/lang/Catalogue.h"
#include "core/power/PowerAction.h"
#include "core/text/DateTimeText.h"

namespace core {

using namespace std::chrono;

std::optional<std::string> nextBookingText(std::initializer_list<const ReservationTable*> tables,
                                           LocalTime now) {
    std::optional<LocalTime> next;
    std::string action;
    for (const ReservationTable* table : tables) {
        // Every kind of row comes round within a week.
        for (int row = kFirstReservation; row <= kLastReservation; ++row) {
            const auto moments = rowMoments(*table, row, now, now + days(8));
            if (moments.empty() || (next && moments.front() >= *next))
                continue;
            next = moments.front();
            const auto kind = actionFromWord(table->cell(ActionCell, row));
            action = actionName(kind ? describe(*kind) : nullptr);
        }
    }
    if (!next)
        return std::nullopt;
    std::string when = formatHourMinute(*next);
    if (floor<days>(*next) != floor<days>(now))
        when = formatShortDate(floor<days>(*next)) + " " + when;
    return fill(tr("次の予約: {0} {1}"), {when, action});
}

} // namespace core
