#pragma once

#include <string>

namespace core {

// A fresh name beside `path` for the file that will replace it: "<path>.<8 hex digits>.tmp".
// Never a fixed name, so that nothing planted in the folder can be waiting at it.
std::string temporaryNameBeside(const std::string& path);

} // namespace core
