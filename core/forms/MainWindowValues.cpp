#include "MainWindowValues.h"

#include "SelectorItems.h"

#include <algorithm>

namespace core {

std::string MainWindowValues::selectedItem(Selector selector) const {
    const auto items = selectorItems(selector);
    const int selected = index(selector);
    return selected < 0 || selected >= static_cast<int>(items.size())
               ? std::string()
               : items[static_cast<std::size_t>(selected)];
}

void MainWindowValues::selectEqualItem(Selector selector, std::string_view text) {
    const auto items = selectorItems(selector);
    const auto found = std::find(items.begin(), items.end(), text);
    if (found != items.end())
        select(selector, static_cast<int>(found - items.begin()));
}

} // namespace core
