#pragma once

#include "core/base/ProcessPort.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

// Processes by name or id that run until a test ends them.
class FakeProcesses : public core::ProcessPort {
public:
    bool waitForEnd(const core::ProcessTarget& target, std::function<void()> ended) override {
        const std::string key = target.id ? std::to_string(*target.id) : target.name;
        const auto id = idOf.find(key);
        if (!running.contains(key) ||
            (id != idOf.end() && std::find(target.excluded.begin(), target.excluded.end(),
                                           id->second) != target.excluded.end()))
            return false;
        waits[key] = std::move(ended);
        return true;
    }
    void cancelWaits() override { waits.clear(); }
    std::vector<std::string> runningNames() const override {
        return {running.begin(), running.end()};
    }

    // The program's processes end, with a successor of the same name running or not: its wait is
    // told, as the event loop would tell it.
    void end(const std::string& key, bool successorRuns = false) {
        if (!successorRuns)
            running.erase(key);
        auto wait = waits.find(key);
        if (wait == waits.end())
            return;
        auto ended = std::move(wait->second);
        waits.erase(wait);
        ended();
    }

    std::set<std::string> running;
    // The one process of a name, where a test gives it.
    std::map<std::string, int> idOf;
    std::map<std::string, std::function<void()>> waits;
};

} // namespace testing_support
