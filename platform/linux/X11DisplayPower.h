#pragma once

#include <optional>
#include <string>

namespace platform {

// Turns the X11 session's displays off through the server's DPMS extension, as `xset dpms force
// off` does; any input turns them on again. Why it could not, in the user's language, or nothing
// once they are off.
std::optional<std::string> turnX11DisplaysOff();
// Why the session's displays cannot be turned off, or nothing where they can: a Wayland session
// or an X server without DPMS.
std::optional<std::string> x11DisplayPowerRefusal();

} // namespace platform
