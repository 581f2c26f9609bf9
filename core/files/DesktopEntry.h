#pragma once

#include <string>
#include <string_view>

namespace core {

// The desktop entry that starts the program file in the folder, valid for desktop-file-validate:
// the program is quoted in Exec as the desktop entry rules want, the folder is its Path.
std::string autostartDesktopEntry(std::string_view program, std::string_view folder);

// True when the entry's Exec starts exactly this program file and it has a Path.
bool entryStartsProgram(std::string_view entry, std::string_view program);

} // namespace core
