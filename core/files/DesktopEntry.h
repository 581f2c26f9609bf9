#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The desktop entry that starts the program file in the folder, valid for desktop-file-validate:
// the program is quoted in Exec as the desktop entry rules want, the folder is its Path.
std::string autostartDesktopEntry(std::string_view program, std::string_view folder);

// The entry's Path when its Exec starts exactly this program file; none without a Path, as the
// program would then start in a folder the entry does not say.
std::optional<std::string> entryFolder(std::string_view entry, std::string_view program);

} // namespace core
