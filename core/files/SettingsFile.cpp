#include "SettingsFile.h"

#include "Profile.h"
#include "core/lang/Catalogue.h"

#include <optional>
#include <stdexcept>

namespace core {

std::string settingsPathFor(std::string_view programPath) {
    std::size_t slash = programPath.find_last_of("/\\");
    std::size_t dot = programPath.rfind('.');
    bool hasExtension =
        dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    return std::string(hasExtension ? programPath.substr(0, dot) : programPath) + ".ini";
}

namespace {

// The file's text, nothing for a missing one; a file over the limit counts as unreadable.
std::optional<std::string> readSettingsFile(const FileStore& store, const std::string& path) {
    auto file = store.read(path, kSettingsSizeLimit + 1);
    if (file && file->size() > kSettingsSizeLimit)
        return std::nullopt;
    return file.value_or(std::string());
}

} // namespace

Settings loadSettings(const FileStore& store, const std::string& path) {
    const std::string file = readSettingsFile(store, path).value_or(std::string());
    Settings settings;
    const Settings defaults;
    auto read = [&](const char* key, std::string& target, const std::string& fallback) {
        target = readProfileString(file, kSettingsSection, key);
        if (target.empty())
            target = fallback;
    };
    read("CPUchange", settings.CPUchange, defaults.CPUchange);
    read("BEEPchange", settings.BEEPchange, defaults.BEEPchange);
    read("TASKICOchange", settings.TASKICOchange, defaults.TASKICOchange);
    read("ShutDownTime", settings.ShutDownTime, defaults.ShutDownTime);
    read("CPUPersent", settings.CPUPersent, defaults.CPUPersent);
    read("CPUMinitu", settings.CPUMinitu, defaults.CPUMinitu);
    read("NOTICEchange", settings.NOTICEchange, defaults.NOTICEchange);
    read("NOTICETime", settings.NOTICETime, defaults.NOTICETime);
    read("WAKEchange", settings.WAKEchange, defaults.WAKEchange);
    read("PROGchange", settings.PROGchange, defaults.PROGchange);
    read("NETchange", settings.NETchange, defaults.NETchange);
    read("NETRate", settings.NETRate, defaults.NETRate);
    read("NETMinutes", settings.NETMinutes, defaults.NETMinutes);
    read("Language", settings.Language, defaults.Language);
    return settings;
}

void writeSetting(FileStore& store, const std::string& path, std::string_view key,
                  std::string_view value) {
    // Each write opens the file afresh, so an edit made while the program runs is kept.
    const auto file = readSettingsFile(store, path);
    const std::string refused = fill(tr("{0} に書き込めません"), {path});
    if (!file)
        throw std::runtime_error(refused);
    const std::string updated = writeProfileString(*file, kSettingsSection, key, value);
    // A value that did not change is not written: no needless write, no error on a full disk.
    if (updated == *file)
        return;
    try {
        // The folder may have been removed while the program runs.
        store.makeFolderFor(path);
        store.replace(path, updated);
    } catch (const std::exception&) {
        throw std::runtime_error(refused);
    }
}

} // namespace core
