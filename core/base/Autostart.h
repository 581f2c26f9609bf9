#pragma once

#include <optional>
#include <string>

namespace core {

// The entry that starts this program file with the user's session, in the folder the program
// runs in now: a desktop entry on Linux, a shortcut in the Startup folder on Windows. The entry
// itself is the setting; nothing of it is kept in the settings file.
class Autostart {
public:
    virtual ~Autostart() = default;
    // The folder the entry starts this program file in; none when no entry starts it.
    virtual std::optional<std::string> startFolder() const = 0;
    bool isThisCopys() const { return startFolder().has_value(); }
    // Makes the entry, replacing one of another copy; throws std::system_error.
    virtual void create() = 0;
    // Removes the entry; none there is no error. Throws std::system_error.
    virtual void remove() = 0;
};

} // namespace core
