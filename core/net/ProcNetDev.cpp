#include "ProcNetDev.h"

#include "core/text/Separated.h"

#include <charconv>

namespace core {

namespace {

// The next whitespace-separated number of `text`, consumed.
std::optional<std::uint64_t> nextNumber(std::string_view& text) {
    text = trimmed(text);
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || (end != text.data() + text.size() && *end != ' ' && *end != '\t'))
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

} // namespace

std::optional<std::vector<InterfaceTraffic>> parseProcNetDev(std::string_view text) {
    // Two heading lines, then "name: rx_bytes packets errs drop fifo frame compressed multicast
    // tx_bytes ...".
    constexpr int kReceivedFields = 8;
    std::vector<InterfaceTraffic> interfaces;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (++lineNumber <= 2 || trimmed(line).empty())
            continue;
        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        InterfaceTraffic traffic{std::string(trimmed(line.substr(0, colon))), 0, 0};
        std::string_view numbers = line.substr(colon + 1);
        for (int field = 0; field <= kReceivedFields; ++field) {
            const auto value = nextNumber(numbers);
            if (!value)
                return std::nullopt;
            if (field == 0)
                traffic.received = *value;
            else if (field == kReceivedFields)
                traffic.sent = *value;
        }
        if (traffic.name != "lo")
            interfaces.push_back(std::move(traffic));
    }
    if (lineNumber < 2)
        return std::nullopt;
    return interfaces;
}

} // namespace core
