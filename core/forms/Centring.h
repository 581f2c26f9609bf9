#pragma once

#include <algorithm>

namespace core {

struct Origin {
    int left;
    int top;
};

// A part of the desktop, in its coordinates.
struct Area {
    int left;
    int top;
    int width;
    int height;
};

// Top-left corner that centres a window of the given outer size on a screen: whole halves,
// truncated.
constexpr Origin centredOrigin(int screenWidth, int screenHeight, int outerWidth, int outerHeight) {
    return {screenWidth / 2 - outerWidth / 2, screenHeight / 2 - outerHeight / 2};
}

// Centred on the screen, then moved as little as needed to lie inside its work area (the screen
// without the task bar); a window larger than the work area starts at its top-left corner.
constexpr Origin placedOrigin(Area screen, Area work, int outerWidth, int outerHeight) {
    const Origin centred = centredOrigin(screen.width, screen.height, outerWidth, outerHeight);
    const auto inside = [](int at, int start, int room, int size) {
        return std::max(start, std::min(at, start + room - size));
    };
    return {inside(screen.left + centred.left, work.left, work.width, outerWidth),
            inside(screen.top + centred.top, work.top, work.height, outerHeight)};
}

} // namespace core
