#pragma once

#include "core/base/CommandPort.h"

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Records the commands started and stopped; each runs until `end` is set.
class FakeCommands : public core::CommandPort {
public:
    std::optional<std::string> unusable(const std::string& line) const override {
        if (line.find("missing") != std::string::npos)
            return "no such program";
        return std::nullopt;
    }
    std::optional<std::string> start(const std::string& line) override {
        calls.push_back("start " + line);
        return startRefusal;
    }
    std::optional<core::CommandEnd> ended() override { return std::exchange(end, std::nullopt); }
    void stop() override { calls.emplace_back("stop"); }

    std::vector<std::string> calls;
    std::optional<core::CommandEnd> end;
    std::optional<std::string> startRefusal;
};

} // namespace testing_support
