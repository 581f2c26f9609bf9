#pragma once

#include "core/base/FileStore.h"
#include "core/base/Settings.h"

#include <string>
#include <string_view>

namespace core {

inline constexpr const char* kSettingsSection = "SET";

// The program file's path with its extension replaced by ".ini", or ".ini" appended. Both
// "/" and "\\" separate folders.
std::string settingsPathFor(std::string_view programPath);

// A settings file larger than this is no settings file of ours: it reads as missing, and is
// never rewritten.
inline constexpr std::size_t kSettingsSizeLimit = std::size_t{1024} * 1024;

// Reads every key; an empty or missing one takes its default, which is not written back.
Settings loadSettings(const FileStore& store, const std::string& path);

// Writes one key of section "SET", leaving the rest of the file alone. A refused write, or a
// file too large to be ours, throws std::runtime_error "<path> に書き込めません".
void writeSetting(FileStore& store, const std::string& path, std::string_view key,
                  std::string_view value);

// Writes the key whose value `member` holds, as `settings` holds it.
void writeSetting(FileStore& store, const std::string& path, const Settings& settings,
                  std::string Settings::*member);

} // namespace core
