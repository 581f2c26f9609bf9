#pragma once

#include "Booking.h"
#include "core/base/LocalTime.h"
#include "core/power/PowerAction.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace core {

enum class BookingRule { Once, OnDate, Daily, Weekly, In };

// When a booking written in words comes: "--at H:MM" with "--date", "--daily" or "--weekly", or
// "--in 1h30m". The command line's --book and the administrator's bookings both say it so.
struct BookingPhrase {
    BookingRule rule = BookingRule::Once;
    int hour = 0;
    int minute = 0;
    std::optional<LocalDays> date;
    // One of the weekday selector's items.
    std::string weekdays;
    // --in: the delay as written, before the one more minute of the elapsed rule.
    int delayMinutes = 0;
    friend bool operator==(const BookingPhrase&, const BookingPhrase&) = default;
};

// The phrase's options as written, by name: "--at" → "23:30", "--daily" → "".
using PhraseOptions = std::map<std::string, std::string>;

// An option of the phrase, and whether it takes a value ("--daily" does not).
struct PhraseOption {
    std::string_view name;
    bool takesValue;
};
inline constexpr PhraseOption kPhraseOptions[] = {
    {"--at", true}, {"--date", true}, {"--daily", false}, {"--weekly", true}, {"--in", true}};

// The phrase the options make, or the reason they make none.
std::variant<BookingPhrase, std::string> readBookingPhrase(const PhraseOptions& options);

// An action and its phrase, as a line of words apart by blanks: "終了 --at 22:00 --daily".
struct WrittenBooking {
    PowerAction action = PowerAction::None;
    BookingPhrase when;
};
std::variant<WrittenBooking, std::string> readWrittenBooking(std::string_view line);

// The first four cells of the booking at `now`, or the reason it is refused (a date already
// past); the action and state cells are the caller's.
std::variant<ElapsedBooking, std::string> phraseCells(const BookingPhrase& phrase, LocalTime now);

// An action by the table's word, the countdown's name (電源断, 強制再起動) or its key.
std::optional<PowerAction> actionFromScript(std::string_view text);
// A weekday item by its own text (～, 〜 and ~ alike) or its ASCII form (mon-fri ...).
std::optional<std::string> weekdayItemFromScript(std::string_view text);
// Full-width letters, digits and signs ("２３：３０", typed with an input method on) as their
// ASCII forms; the full-width tilde stays, as the weekday items write it.
std::string halfWidth(std::string_view text);
// Digits only, from `least` to `most`.
std::optional<int> wholeNumber(std::string_view text, int least, int most);

} // namespace core
