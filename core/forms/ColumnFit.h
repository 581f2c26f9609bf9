#pragma once

#include <vector>

namespace core {

// The widths of a grid's columns: each as designed or as wide as its texts need, whichever is
// more, and together within `total` where the columns' spare room allows: what the texts need
// beyond the design is taken from the columns with the most room to spare, so that no scroll
// bar appears across the grid.
std::vector<int> fitColumnWidths(const std::vector<int>& designed, const std::vector<int>& needed,
                                 int total);

} // namespace core
