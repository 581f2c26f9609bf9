#include "WindowsFileStore.h"

#include "SystemError.h"
#include "WideText.h"
#include "core/files/TemporaryName.h"

#include <algorithm>
#include <shlobj.h>
#include <windows.h>

namespace platform {

namespace {

[[noreturn]] void fail(const std::string& path, DWORD error) {
    throw std::system_error(static_cast<int>(error), windowsCategory(), path);
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    void close() {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

// Created exclusively under a fresh name: whatever already lies in the folder is left alone.
HANDLE createTemporary(const std::string& path, std::wstring& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = toWide(core::temporaryNameBeside(path));
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

std::optional<std::string> WindowsFileStore::read(const std::string& path,
                                                  std::size_t limit) const {
    return readPart(path, limit, false);
}

std::optional<std::string> WindowsFileStore::readLast(const std::string& path,
                                                      std::size_t limit) const {
    return readPart(path, limit, true);
}

std::optional<std::string> WindowsFileStore::readPart(const std::string& path, std::size_t limit,
                                                      bool last) const {
    Handle file(
        CreateFileW(toWide(path).c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | (last ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr));
    // Only a file on a disk: a pipe or a device in its place is never waited on.
    if (file.get() == INVALID_HANDLE_VALUE || GetFileType(file.get()) != FILE_TYPE_DISK)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    if (last && (!GetFileInformationByHandle(file.get(), &information) ||
                 (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return std::nullopt;
    LARGE_INTEGER size{};
    if (last && GetFileSizeEx(file.get(), &size) &&
        static_cast<unsigned long long>(size.QuadPart) > limit) {
        LARGE_INTEGER from{};
        from.QuadPart = size.QuadPart - static_cast<LONGLONG>(limit);
        if (!SetFilePointerEx(file.get(), from, nullptr, FILE_BEGIN))
            return std::nullopt;
    }
    std::string bytes;
    char buffer[8192];
    while (bytes.size() < limit) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, limit - bytes.size()));
        if (!ReadFile(file.get(), buffer, want, &got, nullptr) || got == 0)
            break;
        bytes.append(buffer, got);
    }
    return bytes;
}

void WindowsFileStore::replace(const std::string& path, std::string_view bytes) {
    const std::wstring target = toWide(path);
    // The move would replace a file the user made read-only; it is refused instead.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        fail(path, ERROR_ACCESS_DENIED);
    std::wstring temporary;
    Handle file(createTemporary(path, temporary));
    if (file.get() == INVALID_HANDLE_VALUE)
        fail(path, GetLastError());
    DWORD written = 0;
    const bool ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file.get());
    const DWORD error = GetLastError();
    file.close();
    if (!ok || !MoveFileExW(temporary.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD moveError = ok ? GetLastError() : error;
        DeleteFileW(temporary.c_str());
        fail(path, moveError);
    }
}

void WindowsFileStore::append(const std::string& path, std::string_view bytes) {
    // A link in the file's place is opened as itself, not followed, and then refused.
    // Opened to write too, so that a part written before a failure can be cut off again.
    Handle file(CreateFileW(toWide(path).c_str(), FILE_APPEND_DATA | FILE_WRITE_DATA,
                            FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        fail(path, GetLastError());
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        fail(path, ERROR_INVALID_FUNCTION);
    LARGE_INTEGER before{};
    if (!GetFileSizeEx(file.get(), &before))
        fail(path, GetLastError());
    // At the end as it is at the moment of the write, whoever else appends.
    OVERLAPPED atEnd{};
    atEnd.Offset = atEnd.OffsetHigh = 0xFFFFFFFF;
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &atEnd) ||
        written != bytes.size()) {
        const DWORD error = written != bytes.size() && GetLastError() == ERROR_SUCCESS
                                ? ERROR_DISK_FULL
                                : GetLastError();
        SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN);
        SetEndOfFile(file.get());
        fail(path, error);
    }
}

void WindowsFileStore::makeFolderFor(const std::string& path) {
    const std::wstring wide = toWide(path);
    const auto slash = wide.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash == 0)
        return;
    // Made with the folders above it; one that exists already is no error here.
    SHCreateDirectoryExW(nullptr, wide.substr(0, slash).c_str(), nullptr);
}

} // namespace platform
