#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Whole-file access. replace() leaves either the old file or the new one, never a mix, and
// throws std::system_error with the system's error text when it cannot.
class FileStore {
public:
    virtual ~FileStore() = default;
    // At most the first `limit` bytes of the file, or nothing when it is not a regular file that
    // can be opened (a pipe or a device is never waited on). A read error part-way returns what
    // was read before it.
    virtual std::optional<std::string> read(const std::string& path, std::size_t limit) const = 0;
    // As read(), the last `limit` bytes: the newest part of a file that only grows at its end, as
    // append() makes it; a link in its place is refused, as append() refuses it.
    virtual std::optional<std::string> readLast(const std::string& path,
                                                std::size_t limit) const = 0;
    // A file that exists but may not be written is refused, though the folder would allow it.
    virtual void replace(const std::string& path, std::string_view bytes) = 0;
    // Adds the bytes at the end of a regular file, made when missing; a link or a pipe in its
    // place is refused. Throws std::system_error as replace() does, and then leaves the file as
    // it was: no part of the bytes stays (a full disk takes half of them, say).
    virtual void append(const std::string& path, std::string_view bytes) = 0;
    // Makes the folder that holds `path`, and those above it, where they are missing; a failure
    // shows in the write that follows.
    virtual void makeFolderFor(const std::string& path) = 0;
};

} // namespace core
