#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

// The settings file's format: "[section]" lines followed by "key=value" lines, one byte per
// character. Section and key names match without regard to ASCII letter case.

// The value of the key, without surrounding blanks; empty when the section or key is missing.
std::string readProfileString(std::string_view file, std::string_view section,
                              std::string_view key);

// The section's "key=value" lines in the file's order, blanks around both left out; nothing when
// the section is missing.
std::optional<std::vector<std::pair<std::string, std::string>>>
readProfileSection(std::string_view file, std::string_view section);

// Section and key names match without regard to ASCII letter case.
bool profileNamesMatch(std::string_view a, std::string_view b);

// The file with the key set: its line replaced in place, or added at the end of the section,
// which is added at the end of the file when missing. Every other line stays as it was; new
// lines end with CR LF.
std::string writeProfileString(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view value);

} // namespace core
