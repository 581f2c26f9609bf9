#pragma once

#include "BookingCommands.h"

#include <string>
#include <vector>

namespace core {

// The items of a selector of the main window, in their order.
std::vector<std::string> selectorItems(Selector selector);

} // namespace core
