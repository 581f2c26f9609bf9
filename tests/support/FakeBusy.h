#pragma once

#include "core/base/BusySource.h"

namespace testing_support {

// What a test says the user is busy with; nothing: free.
struct FakeBusy : core::BusySource {
    std::optional<core::Busy> busy() override {
        ++looks;
        return now;
    }

    std::optional<core::Busy> now;
    int looks = 0;
};

} // namespace testing_support
