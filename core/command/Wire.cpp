#include "Wire.h"

#include <charconv>

namespace core {

std::string encodeRequest(const std::vector<std::string>& args) {
    std::string message;
    for (std::size_t i = 0; i < args.size(); ++i)
        message.append(i == 0 ? "" : std::string(1, '\0')).append(args[i]);
    return message;
}

std::optional<std::vector<std::string>> decodeRequest(std::string_view message) {
    if (message.size() > kLongestArguments)
        return std::nullopt;
    std::vector<std::string> args;
    for (std::size_t start = 0;;) {
        const std::size_t end = message.find('\0', start);
        args.emplace_back(message.substr(start, end - start));
        if (end == std::string_view::npos)
            return args;
        start = end + 1;
    }
}

std::string encodeAnswer(const CommandAnswer& answer) {
    std::string message = std::to_string(answer.status);
    for (const std::string* text : {&answer.out, &answer.err})
        message.append(1, '\0').append(*text);
    return message + '\0';
}

std::optional<CommandAnswer> decodeAnswer(std::string_view message) {
    if (message.size() > kLongestMessage || message.empty() || message.back() != '\0')
        return std::nullopt;
    const std::size_t first = message.find('\0');
    const std::size_t second = message.find('\0', first + 1);
    if (second == message.size() - 1 || second == std::string_view::npos ||
        message.find('\0', second + 1) != message.size() - 1)
        return std::nullopt;
    CommandAnswer answer;
    const auto [end, error] =
        std::from_chars(message.data(), message.data() + first, answer.status);
    if (error != std::errc() || end != message.data() + first || first == 0)
        return std::nullopt;
    answer.out = message.substr(first + 1, second - first - 1);
    answer.err = message.substr(second + 1, message.size() - second - 2);
    return answer;
}

} // namespace core
