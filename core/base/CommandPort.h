#pragma once

#include <optional>
#include <string>

namespace core {

// How a command run before a power action ended.
struct CommandEnd {
    int status = 0;
    // The last few kilobytes of what it wrote, standard output and error together.
    std::string output;
};

// The system's side of the command a user (or an administrator) runs before the power action:
// started as the user, with no console window, split as the system splits a command line, never
// handed to a shell. One at a time.
class CommandPort {
public:
    virtual ~CommandPort() = default;
    // Why the line cannot run: its quoting, or no such program. Nothing when it can.
    virtual std::optional<std::string> unusable(const std::string& line) const = 0;
    // Starts it; why it did not start.
    virtual std::optional<std::string> start(const std::string& line) = 0;
    // Its end, once, when it has ended; nothing while it runs.
    virtual std::optional<CommandEnd> ended() = 0;
    // Ends it and every process it started.
    virtual void stop() = 0;
};

// What is kept of a command's output.
inline constexpr std::size_t kCommandOutputKept = 4096;

} // namespace core
