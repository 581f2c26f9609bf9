#pragma once

#include "core/base/Clock.h"

namespace platform {

// The local date and time to the millisecond, from GetLocalTime.
class WindowsClock : public core::Clock {
public:
    core::LocalTime now() const override;
};

} // namespace platform
