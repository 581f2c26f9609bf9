#pragma once

#include "core/PowerActions.h"

namespace platform {

// Power requests on a system where this build has no way to make them: each request is
// reported on standard error and changes nothing.
class UnavailablePower : public core::PowerActions {
public:
    void enableShutdownPrivilege() override {}
    void executePowerAction(const std::string& actionCode) override;
};

} // namespace platform
