#include "DesktopEntry.h"

#include "core/lang/Catalogue.h"

#include <optional>

namespace core {

namespace {

// The escapes of a string value, applied after the quoting of an Exec argument.
std::string escapedValue(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == ' ' && out.empty())
            out += "\\s"; // a leading blank would be taken for space around '='
        else
            out += c;
    }
    return out;
}

std::string unescapedValue(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 's'   ? ' '
               : next == 'n' ? '\n'
               : next == 't' ? '\t'
               : next == 'r' ? '\r'
                             : next;
    }
    return out;
}

// An Exec argument in double quotes, where '"', '`', '$' and '\' take a backslash; '%' is
// doubled, as a single one starts a field code.
std::string quotedArgument(std::string_view argument) {
    std::string out = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        out += c;
        if (c == '%')
            out += '%';
    }
    return out + "\"";
}

// The first argument of an Exec value whose string escapes were undone.
std::string firstArgument(std::string_view exec) {
    std::string out;
    if (exec.empty() || exec.front() != '"') {
        out = exec.substr(0, exec.find(' '));
    } else {
        for (std::size_t i = 1; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size())
                ++i;
            out += exec[i];
        }
    }
    std::string unpercented;
    for (std::size_t i = 0; i < out.size(); ++i) {
        unpercented += out[i];
        if (out[i] == '%' && i + 1 < out.size() && out[i + 1] == '%')
            ++i;
    }
    return unpercented;
}

std::optional<std::string_view> valueOf(std::string_view entry, std::string_view key) {
    while (!entry.empty()) {
        const std::size_t end = entry.find('\n');
        std::string_view line = entry.substr(0, end);
        entry = end == std::string_view::npos ? std::string_view() : entry.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.starts_with(key) && line.substr(key.size()).starts_with('='))
            return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

} // namespace

std::string autostartDesktopEntry(std::string_view program, std::string_view folder) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Brindlewhistmoore\n" +
           std::string(stored("Name[ja]=Brindlewhistmoore 電源予約\n")) +
           "Comment=Keeps the power-off reservations\n" +
           std::string(stored("Comment[ja]=電源断の予約を実行します\n")) +
           "Exec=" + escapedValue(quotedArgument(program)) +
           "\n"
           "Path=" +
           escapedValue(folder) +
           "\n"
           "Icon=brindlewhistmoore\n"
           "Terminal=false\n";
}

std::optional<std::string> entryFolder(std::string_view entry, std::string_view program) {
    const auto exec = valueOf(entry, "Exec");
    const auto path = valueOf(entry, "Path");
    if (!exec || !path || firstArgument(unescapedValue(*exec)) != program)
        return std::nullopt;
    return unescapedValue(*path);
}

} // namespace core
