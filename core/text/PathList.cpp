#include "PathList.h"

#include "Separated.h"

#include <algorithm>
#include <vector>

namespace core {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool namesFolder(std::string_view entry, std::string_view folder) {
    return std::ranges::equal(entry, folder, {}, lower, lower);
}

// UTF-16 units of UTF-8 text: one per sequence, two for the four-byte ones.
std::size_t utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

} // namespace

std::optional<std::string> withFolder(std::string_view list, std::string_view folder) {
    if (list.empty())
        return std::string(folder);
    if (std::ranges::any_of(splitAt(list, ';'),
                            [&](std::string_view entry) { return namesFolder(entry, folder); }))
        return std::string(list);
    std::string grown = std::string(list) + ";" + std::string(folder);
    if (utf16Length(grown) > kLongestEnvironmentValue)
        return std::nullopt;
    return grown;
}

std::string withoutFolder(std::string_view list, std::string_view folder) {
    std::vector<std::string_view> kept = splitAt(list, ';');
    std::erase_if(kept, [&](std::string_view entry) { return namesFolder(entry, folder); });
    return joinWith(kept, ';');
}

} // namespace core
