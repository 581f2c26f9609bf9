#pragma once

#include "LogindBus.h"
#include "core/base/BusySource.h"

namespace platform {

// Whether the user works in full screen or another program holds the session awake: the active
// window's full-screen state on X11 (a Wayland session tells no program of another's windows),
// and logind's block-mode inhibitors of idle, sleep or shutdown other than this program's. The
// delay-mode ones, which network and power services hold all the time, do not count.
class DesktopBusy : public core::BusySource {
public:
    explicit DesktopBusy(LogindBus& logind) : logind_(logind) {}

    std::optional<core::Busy> busy() override;

private:
    std::optional<core::Busy> blockingInhibitor();

    LogindBus& logind_;
};

// The X11 session's active window fills the screen, as its window manager says.
bool x11ActiveWindowFullScreen();

} // namespace platform
