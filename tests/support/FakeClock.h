#pragma once

#include "core/base/Clock.h"

#include <chrono>

namespace testing_support {

// A clock that stands still until told to move.
class FakeClock : public core::Clock {
public:
    explicit FakeClock(core::LocalTime start = {}) : now_(start) {}
    core::LocalTime now() const override { return now_; }
    void set(core::LocalTime time) { now_ = time; }
    void advance(std::chrono::milliseconds step) { now_ += step; }

private:
    core::LocalTime now_;
};

// 2026-12-07 is a Monday.
inline core::LocalTime at(int y, unsigned m, unsigned d, int h, int min, int s, int ms = 0) {
    using namespace std::chrono;
    return core::LocalTime{core::LocalDays{year{y} / month{m} / day{d}}} + hours{h} + minutes{min} +
           seconds{s} + milliseconds{ms};
}

} // namespace testing_support
