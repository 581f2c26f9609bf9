#pragma once

#include <string>
#include <string_view>

namespace platform {

// Texts are UTF-8 in the program and UTF-16 at the edge of a wide-character Windows call.
std::wstring toWide(std::string_view utf8);
std::string fromWide(std::wstring_view wide);

} // namespace platform
