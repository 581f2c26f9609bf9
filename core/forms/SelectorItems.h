#pragma once

#include "MainWindowValues.h"

#include <string>
#include <vector>

namespace core {

// The items of a selector of the main window, in their order, as the table stores them.
std::vector<std::string> selectorItems(Selector selector);
// The same items as the selector shows them, in the language in use.
std::vector<std::string> shownSelectorItems(Selector selector);

} // namespace core
