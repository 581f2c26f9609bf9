#include "ExecutionState.h"

namespace platform {

void ExecutionState::hold() {
    if (!held_)
        request(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    held_ = true;
}

void ExecutionState::release() {
    if (held_)
        request(ES_CONTINUOUS);
    held_ = false;
}

void ExecutionState::request(EXECUTION_STATE flags) {
    SetThreadExecutionState(flags);
    lastRequest_ = flags;
}

} // namespace platform
