#pragma once

#include "CommandAnswer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// How a command and its answer travel between the command side and the running copy, whatever
// carries them: the arguments joined by NUL bytes; the answer as its status in decimal, the
// standard output and the standard error, each ended by a NUL byte.
std::string encodeRequest(const std::vector<std::string>& args);
// Nothing when the message is no command: longer than the longest arguments.
std::optional<std::vector<std::string>> decodeRequest(std::string_view message);
std::string encodeAnswer(const CommandAnswer& answer);
// Nothing when the message is no answer.
std::optional<CommandAnswer> decodeAnswer(std::string_view message);

// The longest message either way that a carrier need take: an answer is a listing of at most 30
// rows or a message, far below it.
inline constexpr std::size_t kLongestMessage = std::size_t{64} * 1024;

} // namespace core
