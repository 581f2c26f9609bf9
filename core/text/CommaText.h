#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// Splits one line by the comma-text rules: delimiter ",", quote '"', and any byte from 0x01 to
// 0x20 ending an unquoted field. A NUL byte ends the line. Works on UTF-8, where no byte of a
// multi-byte character can be taken for a delimiter.
std::vector<std::string> splitCommaText(std::string_view line);

// A field as splitCommaText reads it back: unchanged unless it holds a blank, a control byte,
// a comma or a quote, in which case it is quoted with inner quotes doubled.
std::string quoteCommaTextField(std::string_view field);

} // namespace core
