#pragma once

#include "core/base/FileStore.h"

#include <cerrno>
#include <functional>
#include <map>
#include <system_error>

namespace testing_support {

class MemoryFileStore : public core::FileStore {
public:
    std::optional<std::string> read(const std::string& path, std::size_t limit) const override {
        if (beforeRead)
            beforeRead();
        auto it = files.find(path);
        if (it == files.end())
            return std::nullopt;
        return it->second.substr(0, limit);
    }
    std::optional<std::string> readLast(const std::string& path, std::size_t limit) const override {
        auto whole = read(path, std::string::npos);
        if (whole && whole->size() > limit)
            whole->erase(0, whole->size() - limit);
        return whole;
    }
    // Every folder exists.
    void makeFolderFor(const std::string&) override {}
    void replace(const std::string& path, std::string_view bytes) override {
        ++saves;
        if (refuseWrites)
            throw std::system_error(EACCES, std::generic_category(), path);
        files[path] = std::string(bytes);
    }

    void append(const std::string& path, std::string_view bytes) override {
        if (refuseAppends)
            throw std::system_error(EROFS, std::generic_category(), path);
        files[path] += bytes;
    }

    std::map<std::string, std::string> files;
    // replace() and append() each fail while their switch is on.
    bool refuseWrites = false;
    bool refuseAppends = false;
    // Another writer's turn before each read.
    std::function<void()> beforeRead;
    int saves = 0;
};

} // namespace testing_support
