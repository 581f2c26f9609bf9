#include "Settings.h"

#include <algorithm>
#include <charconv>

namespace core {

bool isOn(std::string_view flag) {
    return flag == "1";
}

std::optional<int> parseDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

namespace {

// Digits beyond the range of int are a number all the same, and a large one.
bool beyondTheLongest(std::string_view text) {
    if (auto seconds = parseDecimal(text))
        return *seconds > kLongestCountdownSeconds;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

int Settings::shutDownSeconds() const {
    if (beyondTheLongest(ShutDownTime))
        return kLongestCountdownSeconds;
    const int seconds = decimalOr(ShutDownTime, 30);
    return seconds < 1 ? 30 : seconds;
}

std::string Settings::shutDownText() const {
    return beyondTheLongest(ShutDownTime) ? std::to_string(kLongestCountdownSeconds) : ShutDownTime;
}

int Settings::cpuPercent() const {
    return decimalOr(CPUPersent, 5);
}

int Settings::cpuMinutes() const {
    return decimalOr(CPUMinitu, 3);
}

int Settings::networkRate() const {
    return decimalOr(NETRate, 50);
}

int Settings::networkMinutes() const {
    return decimalOr(NETMinutes, 3);
}

int Settings::noticeMinutes() const {
    return std::clamp(decimalOr(NOTICETime, 5), 1, kLongestNoticeMinutes);
}

} // namespace core
