#include "XdgAutostart.h"

#include "AtomicFileStore.h"
#include "SettingsLocation.h"
#include "core/files/DesktopEntry.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace platform {

namespace {

// A desktop entry is a few lines; only so much of a file in its place is read.
constexpr std::size_t kEntryReadLimit = std::size_t{64} * 1024;

} // namespace

XdgAutostart::XdgAutostart(const std::string& programPath)
    : programPath_(
          QFileInfo(QString::fromStdString(programPath)).canonicalFilePath().toStdString()),
      entryPath_((userConfigFolder() + QStringLiteral("/autostart/brindlewhistmoore.desktop"))
                     .toStdString()) {}

std::optional<std::string> XdgAutostart::startFolder() const {
    const auto entry = AtomicFileStore().read(entryPath_, kEntryReadLimit);
    return entry ? core::entryFolder(*entry, programPath_) : std::nullopt;
}

void XdgAutostart::create() {
    const std::filesystem::path folder = std::filesystem::path(entryPath_).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw std::system_error(error, folder.string());
    AtomicFileStore().replace(
        entryPath_, core::autostartDesktopEntry(programPath_, QDir::currentPath().toStdString()));
}

void XdgAutostart::remove() {
    if (::unlink(entryPath_.c_str()) != 0 && errno != ENOENT)
        throw std::system_error(errno, std::generic_category(), entryPath_);
}

} // namespace platform
