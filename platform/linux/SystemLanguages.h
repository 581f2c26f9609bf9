#pragma once

#include <string>
#include <vector>

namespace platform {

// The languages the session asks for, most wanted first, from the environment as gettext reads it.
std::vector<std::string> systemLanguages();

} // namespace platform
