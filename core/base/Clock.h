#pragma once

#include "LocalTime.h"

namespace core {

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

} // namespace core
