#include "Profile.h"

#include "core/text/Separated.h"

#include <optional>
#include <vector>

namespace core {

bool profileNamesMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

namespace {

struct Line {
    std::string_view text; // without its line end
    std::size_t begin;     // offset of the line in the file
    std::size_t end;       // offset just past its line end
};

std::vector<Line> splitLines(std::string_view file) {
    std::vector<Line> lines;
    // A UTF-8 byte-order mark that an editor put first belongs to no line, and stays where it is.
    std::size_t pos = file.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < file.size()) {
        std::size_t stop = file.find_first_of("\r\n", pos);
        std::size_t next = stop == std::string_view::npos ? file.size() : stop + 1;
        if (stop != std::string_view::npos && file[stop] == '\r' && next < file.size() &&
            file[next] == '\n')
            ++next;
        lines.push_back(
            {file.substr(pos, (stop == std::string_view::npos ? file.size() : stop) - pos), pos,
             next});
        pos = next;
    }
    return lines;
}

std::string_view trimFront(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

bool isKeyLine(std::string_view line, std::string_view key) {
    std::size_t eq = line.find('=');
    return eq != std::string_view::npos && profileNamesMatch(trimmed(line.substr(0, eq)), key);
}

std::string entryLine(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value) + "\r\n";
}

struct SectionSpan {
    std::size_t header;   // index of the "[section]" line
    std::size_t lastLine; // index of its last non-blank line (the header when empty)
    std::size_t endLine;  // index of the next section's header, or the line count
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto name = sectionName(lines[i].text);
        if (!name || !profileNamesMatch(*name, section))
            continue;
        SectionSpan span{i, i, lines.size()};
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (sectionName(lines[j].text)) {
                span.endLine = j;
                break;
            }
            if (!trimmed(lines[j].text).empty())
                span.lastLine = j;
        }
        return span;
    }
    return std::nullopt;
}

} // namespace

std::string readProfileString(std::string_view file, std::string_view section,
                              std::string_view key) {
    auto lines = splitLines(file);
    auto span = findSection(lines, section);
    if (!span)
        return {};
    for (std::size_t i = span->header + 1; i < span->endLine; ++i) {
        if (isKeyLine(lines[i].text, key))
            return std::string(trimmed(lines[i].text.substr(lines[i].text.find('=') + 1)));
    }
    return {};
}

std::optional<std::vector<std::pair<std::string, std::string>>>
readProfileSection(std::string_view file, std::string_view section) {
    auto lines = splitLines(file);
    auto span = findSection(lines, section);
    if (!span)
        return std::nullopt;
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = span->header + 1; i < span->endLine; ++i) {
        const std::string_view text = lines[i].text;
        const std::size_t eq = text.find('=');
        if (eq != std::string_view::npos)
            entries.emplace_back(trimmed(text.substr(0, eq)), trimmed(text.substr(eq + 1)));
    }
    return entries;
}

std::string writeProfileString(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view value) {
    auto lines = splitLines(file);
    auto span = findSection(lines, section);
    std::string out;
    if (!span) {
        out = file;
        if (!out.empty() && out.back() != '\n' && out.back() != '\r')
            out += "\r\n";
        return out + "[" + std::string(section) + "]\r\n" + entryLine(key, value);
    }
    for (std::size_t i = span->header + 1; i < span->endLine; ++i) {
        if (!isKeyLine(lines[i].text, key))
            continue;
        // Only the value changes: the key's spelling and the blanks around the value stay.
        const Line& line = lines[i];
        const std::size_t afterEq = line.text.find('=') + 1;
        std::string_view after = line.text.substr(afterEq);
        std::string_view oldValue = trimmed(after);
        std::size_t valueAt = line.begin + afterEq + (after.size() - trimFront(after).size());
        out = file.substr(0, valueAt);
        out += value;
        out += file.substr(valueAt + oldValue.size());
        return out;
    }
    const Line& last = lines[span->lastLine];
    out = file.substr(0, last.end);
    if (last.end == last.begin + last.text.size())
        out += "\r\n"; // the file's last line had no line end
    out += entryLine(key, value);
    out += file.substr(last.end);
    return out;
}

} // namespace core
