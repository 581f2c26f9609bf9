#pragma once

#include <string>

namespace platform {

// This program file's path (GetModuleFileNameW), however long.
std::string programFilePath();

// The settings file: the program file's path with ".ini" when a settings file is there or the
// program's folder can be written; else %APPDATA%\Brindlewhistmoore\Brindlewhistmoore.ini, whose
// folder is made.
std::string settingsFilePath();

// The reservation file: "SetTimeData.txt" in the current folder, or beside the settings file
// when the current folder holds none and cannot be written (a start in the system folder).
std::string reservationFilePath(const std::string& settingsPath);

} // namespace platform
