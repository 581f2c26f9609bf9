#include "SettingsLocation.h"

#include "WideText.h"
#include "core/SettingsFile.h"

#include <vector>
#include <windows.h>

namespace platform {

std::string settingsFilePath() {
    // Long paths need more than MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return core::settingsPathFor(fromWide({buffer.data(), length}));
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace platform
