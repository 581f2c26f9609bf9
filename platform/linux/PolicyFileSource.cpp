#include "PolicyFileSource.h"

#include "core/lang/Catalogue.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A policy file is a few lines; more is no policy anyone wrote.
constexpr std::size_t kMostBytes = std::size_t{64} * 1024;

void stampOf(const char* path, PolicyFileSource::Stamp& stamp, std::size_t at) {
    struct stat status {};
    if (stat(path, &status) != 0)
        return;
    const long long values[] = {static_cast<long long>(status.st_dev),
                                static_cast<long long>(status.st_ino),
                                static_cast<long long>(status.st_size),
                                static_cast<long long>(status.st_mode),
                                static_cast<long long>(status.st_uid),
                                static_cast<long long>(status.st_ctim.tv_sec),
                                static_cast<long long>(status.st_ctim.tv_nsec)};
    for (long long value : values)
        stamp[at++] = value;
}

bool safe(const struct stat& status) {
    return status.st_uid == 0 && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::optional<std::vector<core::PolicyLayer>> PolicyFileSource::readIfChanged() {
    Stamp stamp{};
    stampOf(folderOf(path_).c_str(), stamp, 0);
    stampOf(path_.c_str(), stamp, 7);
    if (seen_ == stamp)
        return std::nullopt;
    seen_ = stamp;
    return read();
}

std::vector<core::PolicyLayer> PolicyFileSource::read() const {
    // A FIFO or a device planted in its place must not hold the tick in open(2), and a link is
    // not followed; the checks of what was opened follow.
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT)
        return {};
    core::PolicyLayer refused;
    refused.place = path_;
    if (fd < 0) {
        refused.ignored.emplace_back(core::tr("読めません: ") + std::strerror(errno));
        return {refused};
    }
    struct stat file {};
    struct stat folder {};
    const bool checked = fstat(fd, &file) == 0 && stat(folderOf(path_).c_str(), &folder) == 0;
    std::string text;
    if (checked && S_ISREG(file.st_mode) && safe(file) && safe(folder)) {
        char buffer[4096];
        ssize_t got = 0;
        while (text.size() <= kMostBytes && (got = ::read(fd, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(got));
        close(fd);
        if (got < 0 || text.size() > kMostBytes) {
            refused.ignored.emplace_back(got < 0 ? core::tr("読めません")
                                                 : core::tr("大きすぎます"));
            return {refused};
        }
        return {core::parsePolicyFile(text, path_)};
    }
    close(fd);
    refused.ignored.emplace_back(
        core::tr("使いません: ファイルかフォルダーが root のものでないか、ほかの人も書き込めます"));
    return {refused};
}

} // namespace platform
