#pragma once

#include "NetworkTraffic.h"

#include <optional>
#include <string_view>
#include <vector>

namespace core {

// The interfaces of a Linux /proc/net/dev text, loopback left out; nothing when the text is not
// of that form.
std::optional<std::vector<InterfaceTraffic>> parseProcNetDev(std::string_view text);

} // namespace core
