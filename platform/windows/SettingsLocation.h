#pragma once

#include <string>

namespace platform {

// The settings file: the program file's path (GetModuleFileNameW) with ".ini".
std::string settingsFilePath();

} // namespace platform
