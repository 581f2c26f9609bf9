#pragma once

#include "CommandAnswer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A command as the command side sends it: the language its answers are wanted in, and the
// arguments.
struct CommandRequest {
    std::string language;
    std::vector<std::string> args;
    // The process that sent it, as the channel's credentials name it; never on the wire.
    std::optional<int> sender = std::nullopt;
    bool operator==(const CommandRequest&) const = default;
};

// How a command and its answer travel between the command side and the running copy, whatever
// carries them: the language and the arguments joined by NUL bytes; the answer as its status in
// decimal, the standard output and the standard error, each ended by a NUL byte; a NUL inside a
// text, which no terminal shows, is left out.
std::string encodeRequest(const CommandRequest& request);
// Nothing when the message is no command: longer than the longest arguments.
std::optional<CommandRequest> decodeRequest(std::string_view message);
std::string encodeAnswer(const CommandAnswer& answer);
// Nothing when the message is no answer.
std::optional<CommandAnswer> decodeAnswer(std::string_view message);

// A language's name as the settings write it ("en", "pt-BR"), with room to spare.
inline constexpr std::size_t kLongestLanguage = 16;

// The longest request a carrier takes, and the size of its buffers.
inline constexpr std::size_t kLongestMessage = std::size_t{64} * 1024;
// The longest answer a carrier takes: the history's last 1,000 lines, read from at most its last
// 16 MiB, with room to spare; a policy's report is far below it.
inline constexpr std::size_t kLongestAnswer = std::size_t{32} * 1024 * 1024;

} // namespace core
