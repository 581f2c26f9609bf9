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

int fallbackOf(std::string Settings::*member) {
    return settingKey(member).number();
}

} // namespace

Settings::Settings() {
    for (const SettingKey& key : kSettingKeys)
        this->*key.member = std::string(key.fallback);
}

int Settings::shutDownSeconds() const {
    if (beyondTheLongest(ShutDownTime))
        return kLongestCountdownSeconds;
    const int fallback = fallbackOf(&Settings::ShutDownTime);
    const int seconds = decimalOr(ShutDownTime, fallback);
    return seconds < 1 ? fallback : seconds;
}

std::string Settings::shutDownText() const {
    return beyondTheLongest(ShutDownTime) ? std::to_string(kLongestCountdownSeconds) : ShutDownTime;
}

int Settings::cpuPercent() const {
    return decimalOr(CPUPersent, fallbackOf(&Settings::CPUPersent));
}

int Settings::cpuMinutes() const {
    return decimalOr(CPUMinitu, fallbackOf(&Settings::CPUMinitu));
}

int Settings::networkRate() const {
    return decimalOr(NETRate, fallbackOf(&Settings::NETRate));
}

int Settings::networkMinutes() const {
    return decimalOr(NETMinutes, fallbackOf(&Settings::NETMinutes));
}

int Settings::noInputMinutes() const {
    return decimalOr(INPUTMinutes, fallbackOf(&Settings::INPUTMinutes));
}

int Settings::preCommandSeconds() const {
    return std::clamp(decimalOr(PRECOMMANDTime, fallbackOf(&Settings::PRECOMMANDTime)), 1,
                      kMostPreCommandSeconds);
}

int Settings::noticeMinutes() const {
    return std::clamp(decimalOr(NOTICETime, fallbackOf(&Settings::NOTICETime)), 1,
                      kLongestNoticeMinutes);
}

} // namespace core
