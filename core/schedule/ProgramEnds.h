#pragma once

#include "core/base/ProcessPort.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace core {

// What a program typed or chosen names: digits alone are a process id, anything else a name.
ProcessTarget processTarget(const std::string& typed);

// Waits until every program given has ended. A program given by name is looked for again once
// its processes have ended, so a job that starts a successor of the same name is waited for too.
class ProgramEnds {
public:
    explicit ProgramEnds(ProcessPort& processes) : processes_(processes) {}
    ProgramEnds(const ProgramEnds&) = delete;
    ProgramEnds& operator=(const ProgramEnds&) = delete;

    // Starts the waits; `allEnded` comes once, when the last has ended. A program with no process
    // is refused, and nothing is waited for: a mistyped name must never end in a power-off.
    // `excluded`: processes that never count (see ProcessTarget).
    std::optional<std::string> start(const std::vector<std::string>& programs,
                                     std::function<void()> allEnded,
                                     std::vector<int> excluded = {});
    void stop();
    // The programs waited for, as given: "render.exe, 1234".
    std::string names() const;

private:
    void ended(std::size_t index, unsigned generation);
    bool wait(std::size_t index);

    ProcessPort& processes_;
    std::vector<std::string> programs_;
    std::vector<int> excluded_;
    std::vector<bool> waiting_;
    std::function<void()> allEnded_;
    // An end reported for an earlier watch is not this one's.
    unsigned generation_ = 0;
};

} // namespace core
