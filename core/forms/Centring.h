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

// The DPI a window lays itself out at: the system's, or, where its outer size at that DPI would
// not fit the work area, the largest below it at which it does, so that every control stays in
// reach; never below `least` (the design's). `outerAt` gives the outer size at a DPI.
template <typename OuterAt> int fittingDpi(int dpi, int least, Area work, OuterAt outerAt) {
    for (int tried = dpi; tried > least; --tried) {
        const auto [width, height] = outerAt(tried);
        if (width <= work.width && height <= work.height)
            return tried;
    }
    return std::min(dpi, least);
}

} // namespace core
