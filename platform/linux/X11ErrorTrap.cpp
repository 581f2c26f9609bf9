#include "X11ErrorTrap.h"

namespace platform {

namespace {

bool serverRefused = false;
int noteError(Display* /*display*/, XErrorEvent* /*error*/) {
    serverRefused = true;
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap() : previous_(XSetErrorHandler(&noteError)) {
    serverRefused = false;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSetErrorHandler(previous_);
}

bool X11ErrorTrap::refused(Display* display) const {
    XSync(display, False);
    return serverRefused;
}

} // namespace platform
