#pragma once

#include <QString>
#include <string>

namespace platform {

// Where the settings file lives: beside the program file, as its path with ".ini", unless that
// folder cannot be written and holds no settings file (an installed package). Then it is
// "Brindlewhistmoore.ini" in the user's configuration folder ($XDG_CONFIG_HOME, by default
// ~/.config) under "Brindlewhistmoore", which is created.
std::string settingsFilePath(const std::string& programPath);

// The user's configuration folder: $XDG_CONFIG_HOME, by default ~/.config, the home folder from
// the user database when HOME is not set.
QString userConfigFolder();

// Where the reservation file lives: "SetTimeData.txt" in the current folder, or beside the
// settings file when the current folder holds none and cannot be written.
std::string reservationFilePath(const std::string& settingsPath);

} // namespace platform
