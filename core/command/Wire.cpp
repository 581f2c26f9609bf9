#include "Wire.h"

#include "core/text/Separated.h"

#include <charconv>

namespace core {

std::string encodeRequest(const std::vector<std::string>& args) {
    return joinWith(args, '\0');
}

std::optional<std::vector<std::string>> decodeRequest(std::string_view message) {
    if (message.size() > kLongestArguments)
        return std::nullopt;
    const auto parts = splitAt(message, '\0');
    return std::vector<std::string>(parts.begin(), parts.end());
}

std::string encodeAnswer(const CommandAnswer& answer) {
    return joinWith(
        std::vector<std::string>{std::to_string(answer.status), answer.out, answer.err, ""}, '\0');
}

std::optional<CommandAnswer> decodeAnswer(std::string_view message) {
    if (message.size() > kLongestMessage)
        return std::nullopt;
    // The status, the two texts, and nothing after the last one's end.
    const auto parts = splitAt(message, '\0');
    if (parts.size() != 4 || !parts[3].empty())
        return std::nullopt;
    CommandAnswer answer;
    const char* const end = parts[0].data() + parts[0].size();
    const auto [read, error] = std::from_chars(parts[0].data(), end, answer.status);
    if (error != std::errc() || read != end)
        return std::nullopt;
    answer.out = parts[1];
    answer.err = parts[2];
    return answer;
}

} // namespace core
