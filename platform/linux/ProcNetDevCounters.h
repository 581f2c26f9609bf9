#pragma once

#include "core/net/NetworkTraffic.h"

#include <string>

namespace platform {

// The interfaces' byte counters from the kernel's network statistics file.
class ProcNetDevCounters : public core::NetworkCounters {
public:
    explicit ProcNetDevCounters(std::string path = "/proc/net/dev") : path_(std::move(path)) {}

    std::optional<std::vector<core::InterfaceTraffic>> read() override;

private:
    std::string path_;
};

} // namespace platform
