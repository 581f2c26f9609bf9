#include "ColumnFit.h"

#include <algorithm>
#include <numeric>

namespace core {

std::vector<int> fitColumnWidths(const std::vector<int>& designed, const std::vector<int>& needed,
                                 int total) {
    std::vector<int> widths(designed.size());
    for (std::size_t c = 0; c < designed.size(); ++c)
        widths[c] = std::max(designed[c], needed[c]);
    int excess = std::accumulate(widths.begin(), widths.end(), 0) - total;
    while (excess > 0) {
        std::size_t roomiest = 0;
        for (std::size_t c = 1; c < widths.size(); ++c)
            if (widths[c] - needed[c] > widths[roomiest] - needed[roomiest])
                roomiest = c;
        if (widths.empty() || widths[roomiest] <= needed[roomiest])
            break;
        --widths[roomiest];
        --excess;
    }
    return widths;
}

} // namespace core
