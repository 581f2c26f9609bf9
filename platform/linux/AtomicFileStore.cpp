#include "AtomicFileStore.h"

#include "core/files/TemporaryName.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw std::system_error(error, std::generic_category(), path);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Created exclusively under a fresh name, never through a link: whatever already lies in the
// folder (a planted link, a FIFO) is neither followed nor opened.
FileDescriptor createTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = core::temporaryNameBeside(path);
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return FileDescriptor(fd);
    }
    return FileDescriptor(-1);
}

void writeAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

} // namespace

std::optional<std::string> AtomicFileStore::read(const std::string& path, std::size_t limit) const {
    return readPart(path, limit, false);
}

std::optional<std::string> AtomicFileStore::readLast(const std::string& path,
                                                     std::size_t limit) const {
    return readPart(path, limit, true);
}

std::optional<std::string> AtomicFileStore::readPart(const std::string& path, std::size_t limit,
                                                     bool last) const {
    // Non-blocking, so that a named pipe in the file's place cannot hold the program up.
    FileDescriptor fd(
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (last ? O_NOFOLLOW : 0)));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    if (last && static_cast<std::size_t>(st.st_size) > limit &&
        ::lseek(fd.get(), st.st_size - static_cast<off_t>(limit), SEEK_SET) < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[8192];
    while (bytes.size() < limit) {
        ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

void AtomicFileStore::replace(const std::string& path, std::string_view bytes) {
    // The rename needs only the folder's permission; a file the user made read-only is kept.
    if (::access(path.c_str(), W_OK) != 0 && errno != ENOENT)
        fail(path, errno);
    std::string temporary;
    FileDescriptor fd = createTemporary(path, temporary);
    if (fd.get() < 0)
        fail(path, errno);
    try {
        struct stat old {};
        if (::stat(path.c_str(), &old) == 0 && ::fchmod(fd.get(), old.st_mode & 07777) != 0)
            fail(path, errno);
        writeAll(fd.get(), bytes, path);
        if (::fsync(fd.get()) != 0)
            fail(path, errno);
        if (::close(fd.release()) != 0)
            fail(path, errno);
        if (::rename(temporary.c_str(), path.c_str()) != 0)
            fail(path, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    // The rename itself must reach the disk too; a folder that cannot be synced is no failure
    // of the save.
    FileDescriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
}

void AtomicFileStore::append(const std::string& path, std::string_view bytes) {
    // Non-blocking: a FIFO with no reader fails at once instead of holding the program.
    FileDescriptor fd(::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        fail(path, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        fail(path, errno);
    if (!S_ISREG(st.st_mode))
        fail(path, EINVAL);
    try {
        writeAll(fd.get(), bytes, path);
    } catch (...) {
        // What part of the bytes went in is taken back; should that fail too, a reader still
        // finds the next bytes after a line break of their own.
        const bool cut = ::ftruncate(fd.get(), st.st_size) == 0;
        static_cast<void>(cut);
        throw;
    }
}

void AtomicFileStore::makeFolderFor(const std::string& path) {
    std::error_code ignored;
    std::filesystem::create_directories(folderOf(path), ignored);
}

} // namespace platform
