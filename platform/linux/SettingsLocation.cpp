#include "SettingsLocation.h"

#include "core/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace platform {

std::string settingsFilePath(const std::string& programPath) {
    const std::string beside = core::settingsPathFor(programPath);
    const QFileInfo besideFile(QString::fromStdString(beside));
    // access() and not QFileInfo::isWritable(): the folder's own permission is what counts.
    if (besideFile.exists() ||
        ::access(besideFile.absolutePath().toLocal8Bit().constData(), W_OK) == 0)
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/Brindlewhistmoore");
    QDir().mkpath(folder);
    return (folder + QStringLiteral("/Brindlewhistmoore.ini")).toStdString();
}

} // namespace platform
