#pragma once

#include "core/WakeTimer.h"

#include <optional>

namespace testing_support {

// Remembers what was armed; the test fires it or tells of a clock that was set.
class FakeWakeTimer : public core::WakeTimer {
public:
    void start(std::chrono::milliseconds delay) override { armed = delay; }
    void stop() override { armed.reset(); }
    void fire() {
        armed.reset();
        fired();
    }
    void setClock() { clockSet(); }

    std::optional<std::chrono::milliseconds> armed;
};

} // namespace testing_support
