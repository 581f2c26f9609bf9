#include "FormDesign.h"

#include <cstdio>

namespace core::design {

std::vector<std::string> numberedItems(int count, std::string_view suffix) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        char digits[12];
        std::snprintf(digits, sizeof digits, "%02d", i);
        items.push_back(digits + std::string(suffix));
    }
    return items;
}

} // namespace core::design
