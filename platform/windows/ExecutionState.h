#pragma once

#include "Win32.h"
#include "core/base/AwakePorts.h"

namespace platform {

// Holds the system awake through SetThreadExecutionState on the thread that asks: the system
// required, until released. The display may still turn off.
class ExecutionState : public core::IdleSleepBlock {
public:
    void hold() override;
    void release() override;

    // The flags last asked for, for tests: wine only prints them on a debug channel.
    EXECUTION_STATE lastRequest() const { return lastRequest_; }

private:
    void request(EXECUTION_STATE flags);

    bool held_ = false;
    EXECUTION_STATE lastRequest_ = 0;
};

} // namespace platform
