#pragma once

namespace core {

class CpuUsageMeter {
public:
    virtual ~CpuUsageMeter() = default;
    // Percentage of processor time spent working since the previous reading, 0 to 100.
    virtual int getUsage() = 0;
};

} // namespace core
