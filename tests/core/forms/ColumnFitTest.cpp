#include "core/forms/ColumnFit.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

using namespace core;

TEST(ColumnFit, TextsStayWholeAndTheColumnsWithinTheGrid) {
    const std::vector<int> designed{42, 75, 60, 45, 45, 60, 40};
    const std::vector<int> fits{30, 64, 28, 30, 24, 58, 28};
    EXPECT_EQ(fitColumnWidths(designed, fits, 373), designed) << "as designed when the texts fit";
    std::vector<int> wideDate = fits;
    wideDate[1] = 90;
    const std::vector<int> widths = fitColumnWidths(designed, wideDate, 373);
    EXPECT_EQ(widths[1], 90);
    EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 373) << "no scroll bar";
    for (std::size_t c = 0; c < widths.size(); ++c)
        EXPECT_GE(widths[c], wideDate[c]) << "column " << c << " keeps its texts whole";
    EXPECT_EQ(fitColumnWidths({40, 40}, {60, 50}, 80), (std::vector<int>{60, 50}))
        << "no room to spare: the texts win";
}
