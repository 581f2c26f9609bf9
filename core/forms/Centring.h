#pragma once

namespace core {

struct Origin {
    int left;
    int top;
};

// Top-left corner that centres a window of the given outer size on a screen: whole halves,
// truncated.
constexpr Origin centredOrigin(int screenWidth, int screenHeight, int outerWidth, int outerHeight) {
    return {screenWidth / 2 - outerWidth / 2, screenHeight / 2 - outerHeight / 2};
}

} // namespace core
