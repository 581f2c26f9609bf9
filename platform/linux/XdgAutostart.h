#pragma once

#include "core/base/Autostart.h"

#include <string>

namespace platform {

// The desktop entry in the user's autostart folder ($XDG_CONFIG_HOME/autostart, by default
// ~/.config/autostart) that starts this program file in the current folder.
class XdgAutostart : public core::Autostart {
public:
    // `programPath` is resolved to the file it names.
    explicit XdgAutostart(const std::string& programPath);

    std::optional<std::string> startFolder() const override;
    void create() override;
    void remove() override;

    const std::string& entryPath() const { return entryPath_; }

private:
    std::string programPath_;
    std::string entryPath_;
};

} // namespace platform
