#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace core {

// A program to wait for: one process by its id, or every process of this user by its name.
struct ProcessTarget {
    std::optional<int> id;
    std::string name;
    // Processes that never count, by id: the one that sent the command (which may bear the very
    // name), as the program's own process never does.
    std::vector<int> excluded = {};
};

// The processes of the system as the "終了待ち" watch waits for them: by a handle that a reused
// process id cannot fool, never by polling.
class ProcessPort {
public:
    virtual ~ProcessPort() = default;
    // Waits for the processes the target names now; `ended` comes once, from the event loop,
    // when all of them have ended. False, and no call, when none runs or none can be waited on.
    virtual bool waitForEnd(const ProcessTarget& target, std::function<void()> ended) = 0;
    // Drops every wait: no `ended` comes after this.
    virtual void cancelWaits() = 0;
    // The names of this user's running programs, sorted, each once.
    virtual std::vector<std::string> runningNames() const = 0;
};

} // namespace core
