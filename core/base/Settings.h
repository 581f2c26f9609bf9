#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The longest countdown the settings dialog offers.
inline constexpr int kLongestCountdownSeconds = 120;

// The notice before a booking: the most minutes ahead it may come.
inline constexpr int kLongestNoticeMinutes = 60;

// The CPU-idle watch's fields: a threshold of 1 to this percent, 1 to this many minutes.
inline constexpr int kMostCpuPercent = 100;
inline constexpr int kMostCpuMinutes = 1000;
// The 終了待ち watch's network condition: at most this many KB a second, for 1 to this many
// minutes.
inline constexpr int kMostNetworkRate = 100000;
inline constexpr int kMostNetworkMinutes = 1000;

// The global settings, kept as the texts of the settings file.
struct Settings {
    std::string CPUchange = "0";
    std::string BEEPchange = "0";
    std::string TASKICOchange = "0";
    std::string ShutDownTime = "30";
    std::string CPUPersent = "5";
    std::string CPUMinitu = "3";
    // The notice before each booking, and how many minutes before it comes.
    std::string NOTICEchange = "1";
    std::string NOTICETime = "5";
    // Wake the machine from sleep for the next booking, where the system can.
    std::string WAKEchange = "0";
    // The 終了待ち sheet: its two conditions ticked, and the network's rate and minutes.
    std::string PROGchange = "0";
    std::string NETchange = "0";
    std::string NETRate = "50";
    std::string NETMinutes = "3";
    // The language of the windows and messages: "ja", "en", or empty for the system's.
    std::string Language;

    // A hand-edited file may hold anything: a text that is not a decimal integer counts as the
    // default, and so does a countdown shorter than one second; a longer one than the longest
    // counts as the longest.
    int shutDownSeconds() const;
    // The countdown's length as its message says it: the stored text ("030" stays "030"), or
    // the longest when the stored one is longer.
    std::string shutDownText() const;
    int cpuPercent() const;
    int cpuMinutes() const;
    int networkRate() const;
    int networkMinutes() const;
    // A text that is no number counts as the default; a number outside 1 to 60 as the nearer end.
    int noticeMinutes() const;
};

// A switch is on only when its text is exactly "1".
bool isOn(std::string_view flag);

// An optional sign and decimal digits, nothing else, within the range of int; otherwise nothing.
std::optional<int> parseDecimal(std::string_view text);

inline int decimalOr(std::string_view text, int fallback) {
    return parseDecimal(text).value_or(fallback);
}

} // namespace core
