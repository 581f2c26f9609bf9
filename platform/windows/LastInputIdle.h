#pragma once

#include "core/base/InputIdle.h"

namespace platform {

// The time since the session's last keyboard or mouse input, from GetLastInputInfo.
class LastInputIdle : public core::InputIdleSource {
public:
    std::variant<std::chrono::milliseconds, std::string> idleTime() override;
};

} // namespace platform
