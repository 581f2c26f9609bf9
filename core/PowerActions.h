#pragma once

#include <string>

namespace core {

// The system's power requests. Results are ignored: when a request does nothing, the tick
// asks again.
class PowerActions {
public:
    virtual ~PowerActions() = default;
    virtual void enableShutdownPrivilege() = 0;
    virtual void executePowerAction(const std::string& actionCode) = 0;
};

} // namespace core
