#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace core {

// A command line split into its words by the quoting rules of a desktop entry's Exec key:
// words apart by spaces; a word in double quotes may hold spaces and, after a backslash, '"',
// '`', '$' and '\'; outside quotes the characters a shell would act on are not allowed, so that
// nothing the user wrote is taken for a shell's. The words, or why the line cannot be split.
std::variant<std::vector<std::string>, std::string> splitDesktopExec(std::string_view line);

} // namespace core
