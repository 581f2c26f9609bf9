#pragma once

#include "Policy.h"

#include <optional>
#include <vector>

namespace core {

// Where the system keeps what an administrator set.
class PolicySource {
public:
    virtual ~PolicySource() = default;
    // The layers, the strongest first: at the first call and after each change; nothing while
    // unchanged.
    virtual std::optional<std::vector<PolicyLayer>> readIfChanged() = 0;
};

} // namespace core
