#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// The exit statuses of a command.
enum CommandStatus : int { kDone = 0, kUsage = 1, kRefused = 2, kUnreachable = 3 };

// What a command says back: its status, and the text for standard output or standard error.
struct CommandAnswer {
    int status = kDone;
    std::string out;
    std::string err;
    friend bool operator==(const CommandAnswer&, const CommandAnswer&) = default;
};

// The most a command's arguments may hold, joined by NUL bytes: what every channel to the running
// copy carries whole.
inline constexpr std::size_t kLongestArguments = 12000;

// The option a copy started for a command gets: it never asks the second-start question.
inline constexpr std::string_view kStartedForCommand = "--started-for-command";

// What became of a command sent to the running copy.
struct Delivery {
    enum Outcome {
        Answered,
        // Nothing arrived: no copy listens (yet).
        NotListening,
        // Sent, but no answer came in time: the copy may still carry it out.
        Unanswered,
    };
    Outcome outcome = NotListening;
    CommandAnswer answer;
};

// The name of the guard that keeps one copy per user, on both systems.
inline constexpr std::string_view kGuardName = "Brindlewhistmoore";

} // namespace core
