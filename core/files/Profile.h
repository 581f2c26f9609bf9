#pragma once

#include <string>
#include <string_view>

namespace core {

// The settings file's format: "[section]" lines followed by "key=value" lines, one byte per
// character. Section and key names match without regard to ASCII letter case.

// The value of the key, without surrounding blanks; empty when the section or key is missing.
std::string readProfileString(std::string_view file, std::string_view section,
                              std::string_view key);

// The file with the key set: its line replaced in place, or added at the end of the section,
// which is added at the end of the file when missing. Every other line stays as it was; new
// lines end with CR LF.
std::string writeProfileString(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view value);

} // namespace core
