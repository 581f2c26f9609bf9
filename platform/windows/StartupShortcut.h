#pragma once

#include "core/base/Autostart.h"

#include <string>

namespace platform {

// A shortcut "Brindlewhistmoore.lnk" in the user's Startup folder that starts this program file
// in the current folder, with its icon. (The registry's Run key cannot set the folder.) COM must
// be initialised on the calling thread.
class StartupShortcut : public core::Autostart {
public:
    // `folder` is the Startup folder; production passes startupFolder().
    StartupShortcut(std::string folder, std::string programPath);

    // SHGetKnownFolderPath(FOLDERID_Startup).
    static std::string startupFolder();

    // The shortcut's working folder when its target is this program file, compared
    // case-insensitively on long names; one with no working folder starts in the program's.
    std::optional<std::string> startFolder() const override;
    void create() override;
    void remove() override;

    std::string shortcutPath() const { return folder_ + "\\Brindlewhistmoore.lnk"; }

private:
    std::string folder_;
    std::string programPath_;
};

} // namespace platform
