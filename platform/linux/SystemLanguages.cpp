#include "SystemLanguages.h"

#include "core/lang/Language.h"

#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

std::string_view variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

std::vector<std::string> systemLanguages() {
    return core::languagesFromEnvironment(variable("LANGUAGE"), variable("LC_ALL"),
                                          variable("LC_MESSAGES"), variable("LANG"));
}

} // namespace platform
