#pragma once

#include "core/policy/PolicySource.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// A list of bookings named 1 to N in their order.
inline std::vector<core::PolicyEntry> numbered(std::initializer_list<std::string> texts) {
    std::vector<core::PolicyEntry> entries;
    for (const std::string& text : texts)
        entries.push_back({static_cast<int>(entries.size()) + 1, text});
    return entries;
}

// A policy a test sets: read at the next look, then unchanged until set again.
struct FakePolicy : core::PolicySource {
    std::optional<std::vector<core::PolicyLayer>> readIfChanged() override {
        return std::exchange(next, std::nullopt);
    }
    void set(std::vector<core::PolicyLayer> layers) { next = std::move(layers); }

    std::optional<std::vector<core::PolicyLayer>> next = std::vector<core::PolicyLayer>{};
};

} // namespace testing_support
