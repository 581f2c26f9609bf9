#include "TemporaryName.h"

#include <charconv>
#include <random>

namespace core {

std::string temporaryNameBeside(const std::string& path) {
    std::random_device source;
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, source(), 16).ptr;
    const std::string hex(digits, end);
    return path + "." + std::string(sizeof digits - hex.size(), '0') + hex + ".tmp";
}

} // namespace core
