#pragma once

#include <X11/Xlib.h>

namespace platform {

// While it lives, an error of the X server is noted instead of ending the process, which is what
// Xlib's own handler does: a window may go away between two requests.
class X11ErrorTrap {
public:
    X11ErrorTrap();
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Whether the server refused a request sent so far (waits for its answers).
    bool refused(Display* display) const;

private:
    int (*previous_)(Display*, XErrorEvent*);
};

} // namespace platform
