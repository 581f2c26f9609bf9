#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The shortest and the longest countdown the settings dialog offers.
inline constexpr int kShortestCountdownSeconds = 15;
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
// Its condition of nobody at the keyboard: 1 to this many minutes.
inline constexpr int kMostNoInputMinutes = 600;
inline constexpr int kMostPreCommandSeconds = 600;

// The global settings, kept as the texts of the settings file; each starts at its key's default.
struct Settings {
    Settings();

    std::string CPUchange;
    std::string BEEPchange;
    std::string TASKICOchange;
    std::string ShutDownTime;
    std::string CPUPersent;
    std::string CPUMinitu;
    // The notice before each booking, and how many minutes before it comes.
    std::string NOTICEchange;
    std::string NOTICETime;
    // Wake the machine from sleep for the next booking, where the system can.
    std::string WAKEchange;
    // A booking's countdown waits while the user presents or works in full screen.
    std::string DEFERchange;
    // The 終了待ち sheet: its conditions ticked, the network's rate and minutes, and the minutes
    // with no input.
    std::string PROGchange;
    std::string NETchange;
    std::string NETRate;
    std::string NETMinutes;
    std::string INPUTchange;
    std::string INPUTMinutes;
    // The command run when a countdown ends, before the action (in code page 932, as the file
    // holds it), how many seconds it may take, and whether its failure calls the action off.
    std::string PRECOMMAND;
    std::string PRECOMMANDTime;
    std::string ABORTchange;
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
    int noInputMinutes() const;
    int preCommandSeconds() const;
    // A text that is no number counts as the default; a number outside 1 to 60 as the nearer end.
    int noticeMinutes() const;
};

// One key of the settings file: its name, the member that holds it, its default and, for a
// number, the range its field keeps it in (0 to 0 for a switch or a text).
struct SettingKey {
    std::string_view name;
    std::string Settings::*member;
    std::string_view fallback;
    int least = 0;
    int most = 0;

    // The default of a number.
    constexpr int number() const {
        int value = 0;
        for (const char digit : fallback)
            value = value * 10 + (digit - '0');
        return value;
    }
};

// Every key, in the order the file is read.
inline constexpr SettingKey kSettingKeys[] = {
    {"CPUchange", &Settings::CPUchange, "0"},
    {"BEEPchange", &Settings::BEEPchange, "0"},
    {"TASKICOchange", &Settings::TASKICOchange, "0"},
    {"ShutDownTime", &Settings::ShutDownTime, "30", kShortestCountdownSeconds,
     kLongestCountdownSeconds},
    {"CPUPersent", &Settings::CPUPersent, "5", 1, kMostCpuPercent},
    {"CPUMinitu", &Settings::CPUMinitu, "3", 1, kMostCpuMinutes},
    {"NOTICEchange", &Settings::NOTICEchange, "1"},
    {"NOTICETime", &Settings::NOTICETime, "5", 1, kLongestNoticeMinutes},
    {"WAKEchange", &Settings::WAKEchange, "0"},
    {"DEFERchange", &Settings::DEFERchange, "0"},
    {"PROGchange", &Settings::PROGchange, "0"},
    {"NETchange", &Settings::NETchange, "0"},
    {"NETRate", &Settings::NETRate, "50", 1, kMostNetworkRate},
    {"NETMinutes", &Settings::NETMinutes, "3", 1, kMostNetworkMinutes},
    {"INPUTchange", &Settings::INPUTchange, "0"},
    {"INPUTMinutes", &Settings::INPUTMinutes, "30", 1, kMostNoInputMinutes},
    {"PRECOMMAND", &Settings::PRECOMMAND, ""},
    {"PRECOMMANDTime", &Settings::PRECOMMANDTime, "30", 1, kMostPreCommandSeconds},
    {"ABORTchange", &Settings::ABORTchange, "0"},
    {"Language", &Settings::Language, ""},
};

// The key whose value `member` holds.
constexpr const SettingKey& settingKey(std::string Settings::*member) {
    for (const SettingKey& key : kSettingKeys)
        if (key.member == member)
            return key;
    return kSettingKeys[0]; // not reached: every member has its key
}

// A switch is on only when its text is exactly "1".
bool isOn(std::string_view flag);

// An optional sign and decimal digits, nothing else, within the range of int; otherwise nothing.
std::optional<int> parseDecimal(std::string_view text);

inline int decimalOr(std::string_view text, int fallback) {
    return parseDecimal(text).value_or(fallback);
}

} // namespace core
