#include "PolicyBookings.h"

#include "core/book/Vocabulary.h"
#include "core/command/CommandLine.h"
#include "core/lang/Catalogue.h"

#include <variant>

namespace core {

namespace {

// Blanks between the arguments: spaces, tabs and the ideographic space a Japanese keyboard types.
std::vector<std::string> splitArguments(std::string_view text) {
    std::vector<std::string> words{"--book"};
    std::string word;
    const auto endWord = [&] {
        if (!word.empty())
            words.push_back(std::move(word));
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' || text[i] == '\t') {
            endWord();
        } else if (text.substr(i).starts_with("\u3000")) {
            endWord();
            i += 2;
        } else {
            word += text[i];
        }
    }
    endWord();
    return words;
}

std::variant<ElapsedBooking, std::string> bookingCells(const std::string& entry, LocalTime now,
                                                       PowerAction& action) {
    const auto parsed = parseCommandLine(splitArguments(entry));
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return error->message;
    // Led by --book, a command parsed is a booking.
    const auto& command = std::get<ScriptCommand>(parsed);
    if (command.rule == BookingRule::In || command.rule == BookingRule::Once)
        return tr("--daily、--weekly か --date が要ります(起動のたびに新しく動く予約は使えません)");
    action = command.action;
    return scriptBookingCells(command, now);
}

} // namespace

PolicyBookings compilePolicyBookings(const std::vector<PolicyEntry>& entries, LocalTime now) {
    PolicyBookings bookings;
    for (const PolicyEntry& entry : entries) {
        PowerAction action = PowerAction::None;
        const auto cells = bookingCells(entry.text, now, action);
        if (const auto* reason = std::get_if<std::string>(&cells)) {
            bookings.ignored.push_back(
                ignoredEntry(std::to_string(entry.number), entry.text, *reason));
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
