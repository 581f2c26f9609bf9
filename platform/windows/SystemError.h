#pragma once

#include <string>
#include <system_error>

namespace platform {

// A system error code's text as the system words it, in its language (FormatMessageW), in UTF-8.
// The C++ runtime's own texts come in the ANSI code page and would show as garbage.
std::string systemMessage(unsigned long code);

// Windows error codes with the texts above; std::system_error's what() then reads
// "<what>: <system text>".
const std::error_category& windowsCategory();

} // namespace platform
