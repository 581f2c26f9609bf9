#include "SettingsLocation.h"

#include "WideText.h"
#include "core/files/FilePlaces.h"

#include <vector>
#include <windows.h>

namespace platform {

namespace {

class FolderProbe : public core::PlaceProbe {
public:
    bool exists(const std::string& path) const override {
        return GetFileAttributesW(toWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // A file made and deleted again: under C:\Program Files the folder's access rights forbid
    // it, while the folder's read-only attribute means nothing.
    bool folderWritable(const std::string& folder) const override {
        const std::wstring name = toWide(folder) + L"\\Brindlewhistmoore-" +
                                  toWide(std::to_string(GetCurrentProcessId())) + L".tmp";
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
        return true;
    }
};

std::string userFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return fromWide({buffer, length}) + "\\Brindlewhistmoore";
}

} // namespace

std::string programFilePath() {
    // Long paths need more than MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return fromWide({buffer.data(), length});
        buffer.resize(buffer.size() * 2);
    }
}

std::string settingsFilePath() {
    const std::string folder = userFolder();
    const std::string place = core::settingsFilePlace(programFilePath(), folder, FolderProbe());
    if (!folder.empty() && place.starts_with(folder))
        CreateDirectoryW(toWide(folder).c_str(), nullptr);
    return place;
}

std::string reservationFilePath(const std::string& settingsPath) {
    return core::reservationFilePlace(settingsPath, FolderProbe());
}

} // namespace platform
