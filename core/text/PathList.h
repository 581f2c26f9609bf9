#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The longest environment value Windows passes to a program, in UTF-16 units.
inline constexpr std::size_t kLongestEnvironmentValue = 32767;

// A PATH-style list with the folder added at its end, unless an entry names it already (ASCII
// letters compared without case); nothing when the list would grow past the longest value. The rest
// of the list is kept byte for byte, so that taking the folder off again gives it back.
std::optional<std::string> withFolder(std::string_view list, std::string_view folder);

// The list without the entries that name the folder, each taken off with the separator before it
// (after it for the first entry).
std::string withoutFolder(std::string_view list, std::string_view folder);

} // namespace core
