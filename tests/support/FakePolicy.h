#pragma once

#include "core/policy/PolicySource.h"

#include <utility>

namespace testing_support {

// A policy a test sets: read at the next look, then unchanged until set again.
struct FakePolicy : core::PolicySource {
    std::optional<std::vector<core::PolicyLayer>> readIfChanged() override {
        return std::exchange(next, std::nullopt);
    }
    void set(std::vector<core::PolicyLayer> layers) { next = std::move(layers); }

    std::optional<std::vector<core::PolicyLayer>> next = std::vector<core::PolicyLayer>{};
};

} // namespace testing_support
