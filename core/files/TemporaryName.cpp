#include "TemporaryName.h"

#include <cstdio>
#include <random>

namespace core {

std::string temporaryNameBeside(const std::string& path) {
    std::random_device source;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(source()));
    return path + suffix;
}

} // namespace core
