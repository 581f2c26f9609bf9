#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// Whole-file access. replace() leaves either the old file or the new one, never a mix, and
// throws std::system_error with the system's error text when it cannot.
class FileStore {
public:
    virtual ~FileStore() = default;
    // The file's bytes, or nothing when it cannot be opened. A read error part-way returns
    // what was read before it.
    virtual std::optional<std::string> read(const std::string& path) const = 0;
    virtual void replace(const std::string& path, std::string_view bytes) = 0;
};

} // namespace core
