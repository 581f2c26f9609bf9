#include "DateTimeText.h"

#include <charconv>

namespace core {

using namespace std::chrono;

int weekdayNumber(LocalDays day) {
    return static_cast<int>(weekday{day}.c_encoding()) + 1;
}

namespace {

void appendPadded(std::string& out, unsigned value, int width) {
    char digits[12];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;
    for (int pad = width - static_cast<int>(end - digits); pad > 0; --pad)
        out += '0';
    out.append(digits, end);
}

// Reads a run of between minDigits and maxDigits decimal digits ending at a separator or at the
// end of the text. Leading zeros may be omitted, as a person editing the file might.
std::optional<unsigned> takeNumber(std::string_view& text, std::size_t minDigits,
                                   std::size_t maxDigits) {
    std::size_t n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9')
        ++n;
    if (n < minDigits || n > maxDigits)
        return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + n, value);
    text.remove_prefix(n);
    return value;
}

bool takeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

std::optional<LocalDays> takeDate(std::string_view& text) {
    auto y = takeNumber(text, 4, 4);
    if (!y || !takeChar(text, '/'))
        return std::nullopt;
    auto m = takeNumber(text, 1, 2);
    if (!m || !takeChar(text, '/'))
        return std::nullopt;
    auto d = takeNumber(text, 1, 2);
    if (!d)
        return std::nullopt;
    year_month_day ymd{year{static_cast<int>(*y)}, month{*m}, day{*d}};
    if (!ymd.ok())
        return std::nullopt;
    return LocalDays{ymd};
}

} // namespace

std::string formatShortDate(LocalDays day) {
    year_month_day ymd{day};
    std::string out;
    out.reserve(10);
    appendPadded(out, static_cast<unsigned>(static_cast<int>(ymd.year())), 4);
    out += '/';
    appendPadded(out, static_cast<unsigned>(ymd.month()), 2);
    out += '/';
    appendPadded(out, static_cast<unsigned>(ymd.day()), 2);
    return out;
}

std::string formatLongTime(LocalTime time) {
    hh_mm_ss hms{time - floor<days>(time)};
    std::string out;
    out.reserve(8);
    appendPadded(out, static_cast<unsigned>(hms.hours().count()), 1);
    out += ':';
    appendPadded(out, static_cast<unsigned>(hms.minutes().count()), 2);
    out += ':';
    appendPadded(out, static_cast<unsigned>(hms.seconds().count()), 2);
    return out;
}

std::string formatHourMinute(LocalTime time) {
    std::string text = formatLongTime(time);
    text.resize(text.size() - 3);
    return text;
}

std::optional<LocalDays> parseShortDate(std::string_view text) {
    auto date = takeDate(text);
    if (!date || !text.empty())
        return std::nullopt;
    return date;
}

std::optional<LocalTime> parseDateTime(std::string_view text) {
    auto date = takeDate(text);
    if (!date || !takeChar(text, ' '))
        return std::nullopt;
    auto h = takeNumber(text, 1, 2);
    if (!h || !takeChar(text, ':'))
        return std::nullopt;
    auto m = takeNumber(text, 1, 2);
    if (!m || !takeChar(text, ':'))
        return std::nullopt;
    auto s = takeNumber(text, 1, 2);
    if (!s || !text.empty() || *h > 23 || *m > 59 || *s > 59)
        return std::nullopt;
    return LocalTime{*date} + hours{*h} + minutes{*m} + seconds{*s};
}

} // namespace core
