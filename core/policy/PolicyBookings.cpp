#include "PolicyBookings.h"

#include "core/book/BookingPhrase.h"
#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"

#include <variant>

namespace core {

namespace {

std::variant<ElapsedBooking, std::string> bookingCells(const std::string& entry, LocalTime now,
                                                       PowerAction& action) {
    auto written = readWrittenBooking(entry);
    if (const auto* reason = std::get_if<std::string>(&written))
        return *reason;
    const WrittenBooking& booking = std::get<WrittenBooking>(written);
    if (booking.when.rule == BookingRule::In || booking.when.rule == BookingRule::Once)
        return tr("--daily、--weekly か --date が要ります(起動のたびに新しく動く予約は使えません)");
    action = booking.action;
    return phraseCells(booking.when, now);
}

} // namespace

PolicyBookings compilePolicyBookings(const std::vector<PolicyEntry>& entries, LocalTime now,
                                     const ActionCheck& unavailable) {
    PolicyBookings bookings;
    for (const PolicyEntry& entry : entries) {
        PowerAction action = PowerAction::None;
        const auto cells = bookingCells(entry.text, now, action);
        if (const auto* reason = std::get_if<std::string>(&cells)) {
            bookings.ignored.push_back(
                ignoredEntry(std::to_string(entry.number), entry.text, *reason));
            continue;
        }
        if (auto why = unavailable ? unavailable(action) : std::nullopt) {
            bookings.ignored.push_back(
                ignoredEntry(std::to_string(entry.number), entry.text, *why));
            continue;
        }
        if (bookings.count == kLastReservation) {
            bookings.ignored.push_back(
                ignoredEntry(std::to_string(entry.number), entry.text,
                             fill(tr("{0} 件を超えています"), {std::to_string(kLastReservation)})));
            continue;
        }
        const int row = ++bookings.count;
        bookings.numbers[static_cast<std::size_t>(row)] = entry.number;
        writeBooking(bookings.table, row, std::get<ElapsedBooking>(cells), describe(action)->word);
        bookings.table.setCell(StateCell, row, std::string(kStateActive));
    }
    return bookings;
}

} // namespace core
