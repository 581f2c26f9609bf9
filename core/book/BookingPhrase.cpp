#include "BookingPhrase.h"

#include "Vocabulary.h"
#include "core/base/Settings.h"
#include "core/lang/Catalogue.h"
#include "core/text/DateTimeText.h"

#include <array>
#include <vector>

namespace core {

using namespace std::chrono;

namespace {

constexpr int kLongestDelayMinutes = kElapsedHoursMaximum * 60 + 59;

struct Alias {
    std::string_view text;
    PowerAction action;
};
// The countdown's names that differ from the table's words.
constexpr std::array<Alias, 2> kActionAliases{
    {{stored("電源断"), PowerAction::PowerOff}, {stored("強制再起動"), PowerAction::ForcedReboot}}};

constexpr std::array<std::string_view, 10> kWeekdayKeys{
    "sun", "mon", "tue", "wed", "thu", "fri", "sat", "mon-fri", "mon-sat", "sat-sun"};

// "～" as the weekday items write it, from the wave dash of Linux input methods or an ASCII tilde.
std::string withFullWidthTilde(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '~') {
            out += stored("～");
        } else if (text.substr(i).starts_with(stored("〜"))) {
            out += stored("～");
            i += stored("〜").size() - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "1h30m", "90m", "2h": minutes, at most 999 h 59 m.
std::optional<int> parseDelay(std::string_view text) {
    int total = 0;
    bool any = false;
    for (const char unit : {'h', 'm'}) {
        const std::size_t at = text.find(unit);
        if (at == std::string_view::npos)
            continue;
        const auto amount = wholeNumber(text.substr(0, at), 0, kLongestDelayMinutes);
        if (!amount)
            return std::nullopt;
        total += unit == 'h' ? *amount * 60 : *amount;
        text.remove_prefix(at + 1);
        any = true;
    }
    if (!any || !text.empty() || total > kLongestDelayMinutes)
        return std::nullopt;
    return total;
}

// "H:MM", 0:00 to 23:59.
bool readClockTime(const std::string& at, BookingPhrase& phrase) {
    const std::size_t colon = at.find(':');
    const auto hour = colon == at.npos ? std::nullopt : wholeNumber(at.substr(0, colon), 0, 23);
    const auto minute = colon == at.npos || at.size() - colon != 3
                            ? std::nullopt
                            : wholeNumber(at.substr(colon + 1), 0, 59);
    if (!hour || !minute || colon > 2)
        return false;
    phrase.hour = *hour;
    phrase.minute = *minute;
    return true;
}

// Blanks between the words: spaces, tabs and the ideographic space a Japanese keyboard types.
std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
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

const PhraseOption* findPhraseOption(std::string_view name) {
    for (const PhraseOption& option : kPhraseOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

} // namespace

std::optional<int> wholeNumber(std::string_view text, int least, int most) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const auto value = parseDecimal(text);
    if (!value || *value < least || *value > most)
        return std::nullopt;
    return value;
}

std::string halfWidth(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xEF &&
            (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)) {
            const int code = 0xF000 | (byte(i + 1) & 0x3F) << 6 | (byte(i + 2) & 0x3F);
            if (code >= 0xFF01 && code <= 0xFF5D) {
                out += static_cast<char>(code - 0xFF01 + '!');
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::optional<PowerAction> actionFromScript(std::string_view text) {
    if (auto action = actionFromWord(text))
        return action;
    for (const auto& alias : kActionAliases)
        if (text == alias.text)
            return alias.action;
    for (const auto& description : kPowerActions)
        if (text == description.key)
            return description.action;
    return std::nullopt;
}

std::optional<std::string> weekdayItemFromScript(std::string_view text) {
    const std::string written = withFullWidthTilde(text);
    for (std::size_t i = 0; i < kWeekdayItems.size(); ++i)
        if (written == kWeekdayItems[i] || text == kWeekdayKeys[i])
            return std::string(kWeekdayItems[i]);
    return std::nullopt;
}

std::variant<BookingPhrase, std::string> readBookingPhrase(const PhraseOptions& options) {
    BookingPhrase phrase;
    const auto has = [&](const char* option) { return options.contains(option); };
    if (has("--in")) {
        if (options.size() != 1)
            return tr("--in はほかの指定と一緒に使えません。");
        const auto delay = parseDelay(options.at("--in"));
        if (!delay)
            return tr("--in は 1h30m、90m、2h の形で 999h59m までです。");
        phrase.rule = BookingRule::In;
        phrase.delayMinutes = *delay;
        return phrase;
    }
    if (!has("--at"))
        return tr("--book には --at か --in が必要です。");
    if (!readClockTime(options.at("--at"), phrase))
        return tr("--at は H:MM の形(0:00～23:59)です: ") + options.at("--at");
    if (has("--date") + has("--daily") + has("--weekly") > 1)
        return tr("--date、--daily、--weekly はどれか一つです。");
    if (has("--date")) {
        phrase.date = parseShortDate(options.at("--date"));
        if (!phrase.date)
            return tr("--date は YYYY/MM/DD の形です: ") + options.at("--date");
        phrase.rule = BookingRule::OnDate;
    } else if (has("--daily")) {
        phrase.rule = BookingRule::Daily;
    } else if (has("--weekly")) {
        const auto item = weekdayItemFromScript(options.at("--weekly"));
        if (!item)
            return fill(tr("曜日 '{0}' はありません。"), {options.at("--weekly")});
        phrase.rule = BookingRule::Weekly;
        phrase.weekdays = *item;
    }
    return phrase;
}

std::variant<WrittenBooking, std::string> readWrittenBooking(std::string_view line) {
    const std::vector<std::string> words = splitWords(line);
    if (words.empty())
        return fill(tr("{0} には動作が必要です。"), {"--book"});
    WrittenBooking booking;
    const std::string actionText = halfWidth(words[0]);
    if (auto action = actionFromScript(actionText))
        booking.action = *action;
    else
        return fill(tr("動作 '{0}' はありません。"), {actionText});
    PhraseOptions options;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::string name = words[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            value = halfWidth(name.substr(equals + 1));
            name.resize(equals);
        }
        const PhraseOption* option = findPhraseOption(name);
        if (option == nullptr)
            return fill(tr("'{0}' は分かりません。"), {words[i]});
        if (!option->takesValue && (value || options.contains(name)))
            return fill(tr("{0} は値を取らず、一度だけです。"), {name});
        if (option->takesValue && !value && i + 1 < words.size())
            value = halfWidth(words[++i]);
        if (option->takesValue && !value)
            return fill(tr("{0} には値が必要です。"), {name});
        if (!options.emplace(name, value.value_or("")).second)
            return fill(tr("{0} が二度あります。"), {name});
    }
    auto phrase = readBookingPhrase(options);
    if (auto* reason = std::get_if<std::string>(&phrase))
        return std::move(*reason);
    booking.when = std::get<BookingPhrase>(phrase);
    return booking;
}

std::variant<ElapsedBooking, std::string> phraseCells(const BookingPhrase& phrase, LocalTime now) {
    const minutes timeOfDay = hours(phrase.hour) + minutes(phrase.minute);
    const auto clockCells = [&](std::string dateCell) {
        return ElapsedBooking{std::move(dateCell), std::string(periodLabel(phrase.hour)),
                              std::string(hourLabel(phrase.hour)), minuteLabel(phrase.minute)};
    };
    switch (phrase.rule) {
    case BookingRule::In:
        return elapsedBooking(now, 0, std::to_string(phrase.delayMinutes));
    case BookingRule::Daily:
        return clockCells(std::string(kEveryDay));
    case BookingRule::Weekly:
        return clockCells(std::string(kEveryWeek) + phrase.weekdays);
    case BookingRule::OnDate: {
        const LocalTime moment = LocalTime{*phrase.date} + timeOfDay;
        if (moment <= now)
            return tr("その時刻はもう過ぎています: ") + formatShortDate(*phrase.date);
        return oneTimeBooking(moment);
    }
    case BookingRule::Once:
        break;
    }
    const LocalDays today = floor<days>(now);
    const LocalTime moment = LocalTime{today} + timeOfDay;
    return oneTimeBooking(moment > now ? moment : moment + days(1));
}

} // namespace core
