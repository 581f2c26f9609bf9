#pragma once

#include "core/power/PowerPort.h"

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Records what the program asks of the system, by the actions' keys, and refuses when told.
class FakePowerPort : public core::PowerPort {
public:
    void prepare() override { calls.emplace_back("prepare"); }
    void request(core::PowerAction action) override {
        const core::ActionDescription* description = core::describe(action);
        calls.push_back("request " + std::string(description ? description->key : "none"));
        if (refusal)
            refused(*refusal);
    }

    std::vector<std::string> calls;
    // The reason every request is refused with, when set.
    std::optional<std::string> refusal;
};

} // namespace testing_support
