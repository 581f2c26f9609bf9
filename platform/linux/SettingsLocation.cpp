#include "SettingsLocation.h"

#include "core/files/FilePlaces.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class FolderProbe : public core::PlaceProbe {
public:
    bool exists(const std::string& path) const override {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0;
    }
    // A file made and removed again: the folder's own permission is what counts.
    bool folderWritable(const std::string& folder) const override {
        std::string name = folder + "/.Brindlewhistmoore-XXXXXX";
        const int file = ::mkstemp(name.data());
        if (file < 0)
            return false;
        ::close(file);
        ::unlink(name.c_str());
        return true;
    }
};

} // namespace

QString userConfigFolder() {
    // Without HOME, Qt would answer "//.config".
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        if (const passwd* user = ::getpwuid(::geteuid()))
            return QFile::decodeName(user->pw_dir) + QStringLiteral("/.config");
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

std::string settingsFilePath(const std::string& programPath) {
    const QString folder = userConfigFolder() + QStringLiteral("/Brindlewhistmoore");
    std::string place = core::settingsFilePlace(programPath, folder.toStdString(), FolderProbe());
    if (place.starts_with(folder.toStdString()))
        QDir().mkpath(folder);
    return place;
}

std::string reservationFilePath(const std::string& settingsPath) {
    return core::reservationFilePlace(settingsPath, FolderProbe());
}

} // namespace platform
