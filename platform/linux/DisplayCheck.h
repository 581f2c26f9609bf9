#pragma once

#include <optional>
#include <string>

namespace platform {

// Why no window could be opened, or nothing when the display can be reached. Only the X11
// platform is probed; any other platform is left to the toolkit.
std::optional<std::string> displayProblem();

} // namespace platform
