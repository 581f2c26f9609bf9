#include "StartupShortcut.h"

#include "SystemError.h"
#include "WideText.h"

#include <system_error>
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

namespace platform {

namespace {

// A COM interface pointer, released when it goes.
template <typename Interface> class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface** out() { return &pointer_; }
    void** outVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

void check(HRESULT result, const std::string& what) {
    if (FAILED(result))
        throw std::system_error(HRESULT_FACILITY(result) == FACILITY_WIN32
                                    ? static_cast<int>(HRESULT_CODE(result))
                                    : static_cast<int>(result),
                                windowsCategory(), what);
}

std::wstring longName(const std::wstring& path) {
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), MAX_PATH);
    if (length >= MAX_PATH) {
        buffer.resize(length);
        length = GetLongPathNameW(path.c_str(), buffer.data(), length);
    }
    if (length == 0)
        return path;
    buffer.resize(length);
    return buffer;
}

std::wstring currentFolder() {
    std::wstring buffer(GetCurrentDirectoryW(0, nullptr), L'\0');
    buffer.resize(GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data()));
    return buffer;
}

} // namespace

StartupShortcut::StartupShortcut(std::string folder, std::string programPath)
    : folder_(std::move(folder)), programPath_(std::move(programPath)) {}

std::string StartupShortcut::startupFolder() {
    wchar_t* path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &path)))
        folder = fromWide(path);
    CoTaskMemFree(path);
    return folder;
}

std::optional<std::string> StartupShortcut::startFolder() const {
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.outVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.outVoid())) ||
        FAILED(file->Load(toWide(shortcutPath()).c_str(), STGM_READ)))
        return std::nullopt;
    wchar_t target[MAX_PATH * 4] = {};
    if (link->GetPath(target, static_cast<int>(std::size(target)), nullptr, SLGP_RAWPATH) != S_OK)
        return std::nullopt;
    const std::wstring ours = longName(toWide(programPath_));
    const std::wstring theirs = longName(target);
    if (CompareStringOrdinal(ours.c_str(), static_cast<int>(ours.size()), theirs.c_str(),
                             static_cast<int>(theirs.size()), TRUE) != CSTR_EQUAL)
        return std::nullopt;
    wchar_t folder[MAX_PATH * 4] = {};
    if (FAILED(link->GetWorkingDirectory(folder, static_cast<int>(std::size(folder)))) ||
        folder[0] == L'\0')
        return fromWide(ours.substr(0, ours.find_last_of(L"\\/")));
    return fromWide(folder);
}

void StartupShortcut::create() {
    const std::string where = shortcutPath();
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                           link.outVoid()),
          where);
    const std::wstring program = toWide(programPath_);
    check(link->SetPath(program.c_str()), where);
    check(link->SetWorkingDirectory(currentFolder().c_str()), where);
    check(link->SetIconLocation(program.c_str(), 0), where);
    check(link->QueryInterface(IID_IPersistFile, file.outVoid()), where);
    check(file->Save(toWide(where).c_str(), TRUE), where);
}

void StartupShortcut::remove() {
    const std::string where = shortcutPath();
    if (!DeleteFileW(toWide(where).c_str())) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            throw std::system_error(static_cast<int>(error), windowsCategory(), where);
    }
}

} // namespace platform
