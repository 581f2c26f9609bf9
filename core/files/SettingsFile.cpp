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
    for (const SettingKey& key : kSettingKeys) {
        std::string value = readProfileString(file, kSettingsSection, key.name);
        if (!value.empty())
            settings.*key.member = std::move(value);
    }
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

void writeSetting(FileStore& store, const std::string& path, const Settings& settings,
                  std::string Settings::*member) {
    writeSetting(store, path, settingKey(member).name, settings.*member);
}

} // namespace core
