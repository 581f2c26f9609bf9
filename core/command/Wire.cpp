#include "Wire.h"

#include "core/text/Separated.h"

#include <charconv>

namespace core {

std::string encodeRequest(const CommandRequest& request) {
    std::vector<std::string> parts{request.language};
    parts.insert(parts.end(), request.args.begin(), request.args.end());
    return joinWith(parts, '\0');
}

std::optional<CommandRequest> decodeRequest(std::string_view message) {
    if (message.size() > kLongestArguments + kLongestLanguage + 1)
        return std::nullopt;
    const auto parts = splitAt(message, '\0');
    if (parts.size() < 2 || parts.front().size() > kLongestLanguage)
        return std::nullopt;
    return CommandRequest{std::string(parts.front()),
                          std::vector<std::string>(parts.begin() + 1, parts.end())};
}

std::string encodeAnswer(const CommandAnswer& answer) {
    const auto withoutNul = [](std::string text) {
        std::erase(text, '\0');
        return text;
    };
    return joinWith(std::vector<std::string>{std::to_string(answer.status), withoutNul(answer.out),
                                             withoutNul(answer.err), ""},
                    '\0');
}

std::optional<CommandAnswer> decodeAnswer(std::string_view message) {
    if (message.size() > kLongestAnswer)
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
