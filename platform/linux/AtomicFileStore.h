#pragma once

#include "core/base/FileStore.h"

namespace platform {

// Replaces a file by writing a temporary file beside it, flushing it to disk and renaming it
// over the old one, so a crash or a full disk never leaves half a file. An append is one write
// at the end, not flushed.
class AtomicFileStore : public core::FileStore {
public:
    std::optional<std::string> read(const std::string& path, std::size_t limit) const override;
    std::optional<std::string> readLast(const std::string& path, std::size_t limit) const override;
    void replace(const std::string& path, std::string_view bytes) override;
    void append(const std::string& path, std::string_view bytes) override;
    void makeFolderFor(const std::string& path) override;

private:
    // The first or, with `last`, the last `limit` bytes.
    std::optional<std::string> readPart(const std::string& path, std::size_t limit,
                                        bool last) const;
};

} // namespace platform
