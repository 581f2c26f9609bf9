#pragma once

#include "core/base/TickTimer.h"

#include <optional>

namespace testing_support {

// Remembers what was armed; the test fires it or tells of a clock that was set.
class FakeTickTimer : public core::TickTimer {
public:
    void startAt(std::chrono::milliseconds delay) override {
        moment = delay;
        every.reset();
    }
    void startEvery(std::chrono::milliseconds interval) override {
        every = interval;
        moment.reset();
        ++intervalStarts;
    }
    // A moment fires once; an interval goes on.
    void fire() {
        moment.reset();
        fired();
    }
    void setClock() { clockSet(); }
    void resume() { resumed(); }

    std::optional<std::chrono::milliseconds> moment;
    std::optional<std::chrono::milliseconds> every;
    int intervalStarts = 0;
};

} // namespace testing_support
