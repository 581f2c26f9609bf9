#pragma once

#include "core/Clock.h"

namespace platform {

// Local wall-clock time of the process's time zone (TZ honoured).
class SystemClock : public core::Clock {
public:
    core::LocalTime now() const override;
};

} // namespace platform
