#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// The parts of a text between separators: n separators give n + 1 parts, empty ones included.
std::vector<std::string_view> splitAt(std::string_view text, char separator);

// The text without the blanks at either end: spaces, tabs, and the carriage return of a CR LF
// line split at its LF.
std::string_view trimmed(std::string_view text);

// The parts joined by the separator; splitAt gives them back.
template <typename Parts> std::string joinWith(const Parts& parts, char separator) {
    std::string text;
    bool first = true;
    for (const auto& part : parts) {
        if (!first)
            text += separator;
        text += part;
        first = false;
    }
    return text;
}

} // namespace core
