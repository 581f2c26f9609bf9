#pragma once

#include "core/base/InputIdle.h"

namespace testing_support {

// An idle time that a test sets, or the reason the session will not tell.
struct FakeInputIdle : core::InputIdleSource {
    std::variant<std::chrono::milliseconds, std::string> idleTime() override { return idle; }

    std::variant<std::chrono::milliseconds, std::string> idle = std::chrono::milliseconds(0);
};

} // namespace testing_support
