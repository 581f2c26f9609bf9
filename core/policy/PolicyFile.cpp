#include "PolicyFile.h"

#include "core/files/Profile.h"
#include "core/lang/Catalogue.h"
#include "core/text/Separated.h"

#include <set>

namespace core {

namespace {

// The lines that are not read: before the first section, under a section of another name or a
// second section of a name already read, and a line with no "=" (a header left unclosed, say).
std::vector<std::string> linesNotRead(std::string_view text) {
    std::vector<std::string> unread;
    std::set<std::string_view> sectionsSeen;
    bool reading = false;
    for (const std::string_view raw : splitAt(text, '\n')) {
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        // A header as the settings' reader takes one: up to its first "]".
        if (const auto close = line.find(']'); line.front() == '[' && close != line.npos) {
            const std::string_view name = trimmed(line.substr(1, close - 1));
            const auto known = [&](std::string_view section) {
                return profileNamesMatch(name, section) && sectionsSeen.insert(section).second;
            };
            reading = known(policy_key::kLimitsSection) || known(policy_key::kBookings);
            if (!reading)
                unread.emplace_back(line);
            continue;
        }
        if (!reading || line.find('=') == std::string_view::npos)
            unread.emplace_back(line);
    }
    return unread;
}

} // namespace

PolicyLayer parsePolicyFile(std::string_view text, std::string place) {
    PolicyLayer layer;
    layer.place = std::move(place);
    if (auto limits = readProfileSection(text, policy_key::kLimitsSection)) {
        for (const auto& [key, value] : *limits) {
            if (auto reason = setPolicyText(layer, key, value))
                layer.ignored.push_back(ignoredEntry(key, value, *reason));
        }
    }
    if (auto bookings = readProfileSection(text, policy_key::kBookings))
        setPolicyBookings(layer, *bookings);
    for (const std::string& line : linesNotRead(text))
        layer.ignored.push_back(line + ": " +
                                tr("最初の [Policy] と [Bookings] の外なので、使いません"));
    return layer;
}

} // namespace core
