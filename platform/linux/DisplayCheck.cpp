#include "DisplayCheck.h"

#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

namespace platform {

std::optional<std::string> displayProblem() {
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    std::string_view platformName = qpa ? qpa : "";
    if (!platformName.empty() && !platformName.starts_with("xcb"))
        return std::nullopt;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        if (platformName.empty() && std::getenv("WAYLAND_DISPLAY") != nullptr)
            return std::nullopt;
        return "no display: DISPLAY is not set";
    }
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return std::string("cannot open display ") + display;
    return std::nullopt;
}

} // namespace platform
