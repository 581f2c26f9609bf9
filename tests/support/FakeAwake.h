#pragma once

#include "core/base/AwakePorts.h"

#include <optional>
#include <vector>

namespace testing_support {

// Whether the system is held awake, and how often it was asked.
class FakeAwake : public core::IdleSleepBlock {
public:
    void hold() override {
        held = true;
        ++holds;
    }
    void release() override { held = false; }

    bool held = false;
    int holds = 0;
};

// The moments the wake timer was set to, nothing for a cancel.
class FakeWakeTimer : public core::WakeTimer {
public:
    void wakeAt(std::optional<core::LocalTime> moment) override { set.push_back(moment); }

    std::vector<std::optional<core::LocalTime>> set;
};

} // namespace testing_support
