#include "core/forms/Centring.h"

#include <gtest/gtest.h>
#include <utility>

using namespace core;

TEST(Centring, WholeHalvesTruncatedTowardZero) {
    const auto origin = [](int sw, int sh, int w, int h) {
        const Origin o = centredOrigin(sw, sh, w, h);
        return std::pair{o.left, o.top};
    };
    EXPECT_EQ(origin(1024, 768, 451, 401), std::pair(287, 184));
    EXPECT_EQ(origin(1366, 768, 443, 374), std::pair(462, 197));
    EXPECT_EQ(origin(300, 200, 501, 301), std::pair(-100, -50));

    const auto placed = [](Area work, int w, int h) {
        const Origin o = placedOrigin({0, 0, 1366, 768}, work, w, h);
        return std::pair{o.left, o.top};
    };
    EXPECT_EQ(placed({0, 0, 1366, 728}, 443, 374), std::pair(462, 197)) << "room: centred";
    EXPECT_EQ(placed({0, 0, 1366, 728}, 900, 782), std::pair(233, 0))
        << "at 200 % on 1366×768: not under the task bar at the bottom";
    EXPECT_EQ(placed({0, 40, 1366, 728}, 900, 700), std::pair(233, 40)) << "nor at the top";
    EXPECT_EQ(placed({60, 0, 1306, 768}, 1300, 300), std::pair(60, 234)) << "nor at the left";
}

TEST(Centring, AWindowLargerThanTheWorkAreaIsLaidOutAtASmallerDpi) {
    // The main window in English, 722×374 as designed, its frame 16×39 at any DPI.
    const auto outerAt = [](int dpi) {
        return std::pair{722 * dpi / 96 + 16, 374 * dpi / 96 + 39};
    };
    const Area small{0, 0, 1366, 728};
    EXPECT_EQ(fittingDpi(192, 96, small, outerAt), 177) << "200 % on 1366×768: shrunk to fit";
    EXPECT_LE(outerAt(177).first, 1366);
    EXPECT_LE(outerAt(177).second, 728);
    EXPECT_EQ(fittingDpi(144, 96, small, outerAt), 144) << "what fits keeps the system's DPI";
    EXPECT_EQ(fittingDpi(192, 96, {0, 0, 640, 400}, outerAt), 96) << "never below the design";
}
