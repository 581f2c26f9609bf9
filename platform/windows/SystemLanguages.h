#pragma once

#include <string>
#include <vector>

namespace platform {

// The user's display languages, most wanted first, as the system's language settings list them
// (not the format of dates and numbers).
std::vector<std::string> systemLanguages();

} // namespace platform
