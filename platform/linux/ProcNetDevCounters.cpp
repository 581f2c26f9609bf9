#include "ProcNetDevCounters.h"

#include "core/net/ProcNetDev.h"

#include <fstream>
#include <sstream>

namespace platform {

std::optional<std::vector<core::InterfaceTraffic>> ProcNetDevCounters::read() {
    std::ifstream file(path_);
    std::ostringstream text;
    if (!file || !(text << file.rdbuf()))
        return std::nullopt;
    return core::parseProcNetDev(text.str());
}

} // namespace platform
